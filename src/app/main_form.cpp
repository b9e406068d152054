#include "app/main_form.h"

#include "core/error_display.h"

#include <QEvent>
#include <algorithm>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QStyledItemDelegate>
#include <QStatusBar>
#include <QTabBar>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "commands/delete_card.h"
#include "commands/help.h"
#include "commands/refresh.h"
#include "commands/state_commands.h"
#include "commands/ui/about_form.h"
#include "commands/ui/options_form.h"
#include "commands/ui/status_menu.h"
#include "core/messages.h"
#include "data/data_module.h"
#include "data/register_settings.h"
#include "engine/ui/window_placement.h"
#include "register/register_grid_model.h"
#include "register/rights.h"
#include "search/search_condition.h"
#include "search/ui/search_panel.h"
#include "session/library_login.h"
#include "session/work_session.h"
#include "ui/field_label.h"

TMainForm::TMainForm(TDataModule1& data, TLogInfoRec& record, MainFormWindows windows, QWidget* parent)
    : QMainWindow(parent), data_(data), record_(record), windows_(std::move(windows)), tabs_(data) {
  setWindowTitle(QStringLiteral("Velmora - Жилищнa картотека"));
  resize(942, 744);
  setMinimumSize(710, 379);
  BuildCentre();
  BuildToolbar();
  BuildMenus();

  statusPanel_[0] = new QLabel(this);
  statusPanel_[0]->setFixedWidth(150);
  statusPanel_[1] = new QLabel(this);
  statusPanel_[1]->setMinimumWidth(50);
  statusBar()->addWidget(statusPanel_[0]);
  statusBar()->addWidget(statusPanel_[1]);
  connect(&data_, &TDataModule1::RecordCountChanged, statusPanel_[0], &QLabel::setText);

  connect(&tabs_, &RegisterTabs::CaptionsChanged, this, &TMainForm::SyncTabStrip);
  connect(&tabs_, &RegisterTabs::CurrentChanged, this, &TMainForm::SyncTabStrip);
  connect(&tabs_, &RegisterTabs::ExportCaptionChanged, this, [this](const QString& caption) {
    if (tbSpravka) tbSpravka->setText(caption);
  });
  SyncTabStrip();
  RememberWindowPlacement(this, QStringLiteral("MainWindow"));
}

TMainForm::~TMainForm() = default;

QString TMainForm::StatusText(int panel) const { return statusPanel_[panel]->text(); }

bool TMainForm::FormShow() {
  if (data_.IsConnected()) data_.Disconnect();
  data_.Connect(ConnectionFromRecord(record_));
  RightsLevel = RightsLevelOf(record_.RightsGroup());
  searchPanel_->FillLists(data_);
  searchPanel_->SetDatesToday();
  tabs_.OpenAtStart();
  GetSTATUS();
  if (!SignIn(data_, record_, this)) return false;
  statusPanel_[1]->setText(data_.CurrentUserName());
  // Only the administrator can have the amounts converted, so only they are told.
  if (RightsLevel == 1 && !AmountsConvertedToEuro(data_))
    ShowMessage(this, AmountsInLevaNotice(), QStringLiteral("Информация"), MessageIcon::Information);
  return true;
}

void TMainForm::BuildCentre() {
  auto* centre = new QWidget(this);
  auto* layout = new QVBoxLayout(centre);
  layout->setContentsMargins(6, 4, 6, 0);

  auto* searchBox = new QGroupBox(QStringLiteral("Търсене"), centre);
  auto* searchLayout = new QVBoxLayout(searchBox);
  searchLayout->setContentsMargins(6, 2, 6, 4);
  // The panel keeps its width; a narrow window scrolls it rather than crushing the criteria.
  auto* searchScroll = new QScrollArea(searchBox);
  searchScroll->setFrameShape(QFrame::NoFrame);
  searchScroll->setWidgetResizable(true);
  searchScroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  searchPanel_ = new TSearchPanel(searchScroll);
  searchPanel_->setMinimumWidth(searchPanel_->minimumSizeHint().width());
  searchScroll->setWidget(searchPanel_);
  searchLayout->addWidget(searchScroll);
  // At least the height it always had, and as much more as the criteria need: the fixed height
  // was a few pixels short, which cut the last row on screens scaled to 150 % and 200 %.
  searchBox->setFixedHeight(std::max(296, searchBox->sizeHint().height()));
  connect(searchPanel_, &TSearchPanel::SearchRequested, this, &TMainForm::SearchClick);
  layout->addWidget(searchBox);

  auto* listBox = new QGroupBox(QStringLiteral("Списък на картотеката"), centre);
  auto* listLayout = new QVBoxLayout(listBox);
  listLayout->setContentsMargins(6, 2, 6, 4);
  listLayout->setSpacing(0);
  FamilyGrid = new QTableView(listBox);
  FamilyGrid->setObjectName(QStringLiteral("FamilyGrid"));
  NameControl(FamilyGrid, listBox->title());
  model_ = new RegisterGridModel(data_.MainQuery(), this);
  FamilyGrid->setModel(model_);
  FamilyGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FamilyGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
  FamilyGrid->setSelectionMode(QAbstractItemView::SingleSelection);
  FamilyGrid->setAlternatingRowColors(true);
  FamilyGrid->setShowGrid(true);
  FamilyGrid->setWordWrap(false);
  FamilyGrid->verticalHeader()->hide();
  FamilyGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  FamilyGrid->verticalHeader()->setDefaultSectionSize(FamilyGrid->fontMetrics().height() + 6);
  FamilyGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  FamilyGrid->horizontalHeader()->setHighlightSections(false);
  const int charWidth = FamilyGrid->fontMetrics().averageCharWidth();
  const auto& columns = RegisterGridColumns();
  for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
    int width = columns[c].widthPixels;
    if (width == 0) {
      const int chars = model_->DisplayWidth(c);
      const QFontMetrics metrics = FamilyGrid->fontMetrics();
      const int titleWidth = metrics.horizontalAdvance(columns[c].title) + 16;
      const int sampleWidth = columns[c].sample.isEmpty() ? 0 : metrics.horizontalAdvance(columns[c].sample) + 14;
      width = std::max({titleWidth, sampleWidth, chars > 0 ? chars * charWidth + 8 : 0});
    }
    FamilyGrid->setColumnWidth(c, width);
    FamilyGrid->setColumnHidden(c, columns[c].hidden);
  }
  connect(model_, &QAbstractItemModel::modelReset, this, [this] { FitRowNumberColumn(); });
  FamilyGrid->setContextMenuPolicy(Qt::CustomContextMenu);
  pm_s = new QMenu(this);
  connect(FamilyGrid, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    GetSTATUS();
    pm_s->popup(FamilyGrid->viewport()->mapToGlobal(at));
  });
  connect(FamilyGrid, &QAbstractItemView::doubleClicked, this, [this] { FamilyGridDblClick(); });
  connect(FamilyGrid, &QAbstractItemView::clicked, this, [this] {
    // FamilyGridCellClick: in the invalid-EGN view a click opens the correction.
    if (RightsLevel < 3 && tabs_.CurrentCaption() == RegisterTabs::kInvalidEgnCaption && windows_.egnCorrection)
      windows_.egnCorrection(this);
  });
  FamilyGrid->installEventFilter(this);
  connect(FamilyGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (!syncing_) data_.MainQuery().SetCurrentRow(current.isValid() ? current.row() : -1);
          });
  connect(&data_.MainQuery(), &ListQuery::CurrentRowChanged, this, &TMainForm::SyncSelectionFromList);
  connect(&data_.MainQuery(), &ListQuery::Opened, this, &TMainForm::SyncSelectionFromList);
  listLayout->addWidget(FamilyGrid);

  TabSet1 = new QTabBar(listBox);
  TabSet1->setObjectName(QStringLiteral("TabSet1"));
  TabSet1->setShape(QTabBar::RoundedSouth);
  TabSet1->setExpanding(false);
  TabSet1->setElideMode(Qt::ElideRight);
  // Every way the strip changes its tab (a click, the arrow keys, the mouse wheel) runs the
  // tab rules; the strip then shows the tab the rules settled on.
  connect(TabSet1, &QTabBar::currentChanged, this, [this](int index) {
    if (index >= 0 && index != tabs_.Current()) tabs_.SetCurrent(index);
    SyncTabStrip();
  });
  listLayout->addWidget(TabSet1);
  layout->addWidget(listBox, 1);
  setCentralWidget(centre);
}

void TMainForm::SyncTabStrip() {
  const QSignalBlocker block(TabSet1);
  const QStringList& captions = tabs_.Captions();
  while (TabSet1->count() > captions.size()) TabSet1->removeTab(TabSet1->count() - 1);
  for (int i = 0; i < captions.size(); ++i) {
    if (i < TabSet1->count())
      TabSet1->setTabText(i, captions[i]);
    else
      TabSet1->addTab(captions[i]);
  }
  TabSet1->setCurrentIndex(tabs_.Current());
}

void TMainForm::SyncSelectionFromList() {
  const int row = data_.MainQuery().CurrentRow();
  syncing_ = true;
  if (row >= 0 && row < model_->rowCount()) {
    // Column 0 is always shown, so scrolling to it moves the grid only up or down.
    const QModelIndex index = model_->index(row, 0);
    FamilyGrid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                              QItemSelectionModel::Rows);
    FamilyGrid->scrollTo(index);
  } else {
    FamilyGrid->selectionModel()->clearSelection();
  }
  syncing_ = false;
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FamilyGrid && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      OpenOrCorrect();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TMainForm::FitRowNumberColumn() {
  const int rows = model_->rowCount();
  int width = RegisterGridColumns().front().widthPixels;
  if (rows > 0) {
    QStyleOptionViewItem option;
    option.initFrom(FamilyGrid);
    option.font = FamilyGrid->font();
    // The last row holds the largest number.
    width = std::max(width, FamilyGrid->itemDelegate()->sizeHint(option, model_->index(rows - 1, 0)).width() + 4);
  }
  FamilyGrid->setColumnWidth(0, width);
}

void TMainForm::OpenOrCorrect() {
  // FamilyGridKeyPress with Enter.
  if (tabs_.CurrentCaption() != RegisterTabs::kInvalidEgnCaption || RightsLevel > 2) {
    if (data_.MainQuery().RowCount() > 0) FamilyGridDblClick();
  } else if (windows_.egnCorrection) {
    windows_.egnCorrection(this);
  }
}

void TMainForm::FamilyGridDblClick() {
  if (data_.MainQuery().RowCount() > 0 && windows_.showCard) windows_.showCard(this, 1, CanEditCards(RightsLevel));
  tbRefreshClick();
}

void TMainForm::tbRegisterClick() {
  if (!CanRegister(RightsLevel))
    ShowNoRightsMessage(this);
  else if (windows_.showCard)
    windows_.showCard(this, 0, true);
  tbRefreshClick();
}

void TMainForm::tbRefreshClick() {
  // The invalid-EGN view counts its rows again while the list reopens.
  const bool invalidView = tabs_.CurrentCaption() == RegisterTabs::kInvalidEgnCaption;
  if (invalidView) data_.InvalidCount = 0;
  RefreshList(data_, [this, invalidView] {
    if (!invalidView) return;
    statusPanel_[0]->setText(QString::number(data_.InvalidCount) + QStringLiteral(" невалидни ЕГН-та"));
    data_.InvalidCount = -1;
  });
}

void TMainForm::SearchClick() {
  const SearchOutcome outcome = BuildSearch(searchPanel_->Criteria(), [this](const QString& list, const QString& name) {
    return data_.NomCodeOf(list, name);
  });
  data_.DetachInvalidEgnFilter();
  tabs_.Search(outcome.condition, outcome.tabCaption, outcome.anyFragment);
}

void TMainForm::GetSTATUS() {
  FillStatusMenu(*pm_s, StatusMenuEntries(data_), [this](const StatusMenuEntry& entry) {
    try {
      if (entry.forAll)
        SetALLSTATUS(data_, entry.code);
      else
        SetSTATUS(data_, entry.code);
    } catch (const std::exception& error) {
      ShowErrorDisplay(this, error);
    }
    // Also after a refusal: a rollback closed the list.
    tbRefreshClick();
  });
}

void TMainForm::DelClick() { ::DelClick(data_, this); }

void TMainForm::tbExitClick() {
  SignOut(data_);
  close();
}
