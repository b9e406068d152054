// The export dialog's window: controls, their captions and defaults, and the handlers that
// copy the controls into plain values for the column list, the views and the writers.
#include "reports/ui/save_rep_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/messages.h"
#include "data/data_module.h"
#include "reports/export_list_source.h"
#include "reports/export_source.h"
#include "reports/register_export_request.h"
#include "reports/ui/save_rep_prompts.h"
#include "ui/field_label.h"

namespace {
constexpr int kFieldRole = Qt::UserRole;
constexpr int kFloatingRole = Qt::UserRole + 1;
const QString kEraseQuestion = QStringLiteral("Сигурнили сте, че изкате да изтриете избрания поглед?");
}  // namespace

ColumnListWidget::ColumnListWidget(QWidget* parent) : QListWidget(parent) {
  setObjectName(QStringLiteral("CLB"));
  setSelectionMode(QAbstractItemView::SingleSelection);
  setDragEnabled(true);
  setAcceptDrops(true);
  setDropIndicatorShown(true);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDefaultDropAction(Qt::MoveAction);
}

int ColumnListWidget::DropRow(const QPoint& position) const {
  const QModelIndex at = indexAt(position);
  return at.isValid() ? at.row() : -1;
}

void ColumnListWidget::dragMoveEvent(QDragMoveEvent* event) {
  if (event->source() == this)
    event->acceptProposedAction();
  else
    event->ignore();
}

void ColumnListWidget::dropEvent(QDropEvent* event) {
  if (event->source() != this) {
    event->ignore();
    return;
  }
  // The owner moves the entry; a copy action keeps the view from removing the dragged one.
  event->setDropAction(Qt::CopyAction);
  event->accept();
  emit EntryDropped(currentRow(), DropRow(event->position().toPoint()));
}

TfrmSaveRep::TfrmSaveRep(ExportSource& source, const QString& title, const QString& footer, const QString& totals,
                         const QString& viewsFile, const QString& userName, QWidget* parent)
    : QDialog(parent), source_(source) {
  setObjectName(QStringLiteral("frmSaveRep"));
  setWindowTitle(QStringLiteral("Избор на колони за запис"));
  BuildControls();

  SetColumns(ExportColumnsFromSource(source_));
  Memo1->setPlainText(title);
  Footer_M->setPlainText(footer);
  totals_ = SplitTotals(totals);

  Layout_CB->setCurrentIndex(1);  // "Пейзаж"
  Font_CB->setCurrentIndex(0);    // "По подразбиране"
  MSWord_RB->setChecked(true);
  DocTypeRBClick();
  pcColList->setCurrentIndex(0);

  viewsAvailable_ = !viewsFile.isEmpty();
  if (viewsAvailable_) views_.LoadViews(viewsFile, userName);
  for (QWidget* w : std::initializer_list<QWidget*>{NewView_SB, SaveView_SB, EraseView_SB, cbSavedViews})
    w->setEnabled(viewsAvailable_);
  FillViewList(-1);

  setFixedSize(sizeHint());
  if (const QScreen* screen = QApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

TfrmSaveRep::~TfrmSaveRep() = default;

void TfrmSaveRep::BuildControls() {
  auto* root = new QVBoxLayout(this);

  auto* buttons = new QHBoxLayout;
  SelectAll_SB = new QPushButton(QStringLiteral("Избор на всички"), this);
  SelectAll_SB->setObjectName(QStringLiteral("SelectAll_SB"));
  DeselectAll_SB = new QPushButton(QStringLiteral("Отказ на всички"), this);
  DeselectAll_SB->setObjectName(QStringLiteral("DeselectAll_SB"));
  InvertSel_SB = new QPushButton(QStringLiteral("Обратно "), this);
  InvertSel_SB->setObjectName(QStringLiteral("InvertSel_SB"));
  InvertSel_SB->setToolTip(QStringLiteral("Избира елементите които не избрани"));
  Quit_SB = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QString(), this);
  Quit_SB->setObjectName(QStringLiteral("Quit_SB"));
  Quit_SB->setToolTip(QStringLiteral("Затваряне"));
  buttons->addWidget(SelectAll_SB);
  buttons->addWidget(DeselectAll_SB);
  buttons->addWidget(InvertSel_SB);
  buttons->addStretch();
  buttons->addWidget(Quit_SB);
  root->addLayout(buttons);

  auto* viewsRow = new QHBoxLayout;
  Label1 = new QLabel(QStringLiteral("&Записани изгледи"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  cbSavedViews = new QComboBox(this);
  cbSavedViews->setObjectName(QStringLiteral("cbSavedViews"));
  cbSavedViews->setMinimumWidth(200);
  LabelField(Label1, cbSavedViews);
  auto tool = [this](const char* name, QStyle::StandardPixmap icon, const char* hint) {
    auto* b = new QToolButton(this);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(style()->standardIcon(icon));
    b->setToolTip(QString::fromUtf8(hint));
    return b;
  };
  NewView_SB = tool("NewView_SB", QStyle::SP_FileDialogNewFolder, "Нов изглед");
  SaveView_SB = tool("SaveView_SB", QStyle::SP_DialogSaveButton, "Запазване на текущия изглед");
  EraseView_SB = tool("EraseView_SB", QStyle::SP_TrashIcon, "Изтриване на изглед");
  viewsRow->addWidget(Label1);
  viewsRow->addWidget(cbSavedViews, 1);
  viewsRow->addWidget(NewView_SB);
  viewsRow->addWidget(SaveView_SB);
  viewsRow->addWidget(EraseView_SB);
  root->addLayout(viewsRow);

  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setFixedHeight(60);
  NameControl(Memo1, QStringLiteral("Заглавие"));
  root->addWidget(Memo1);

  pcColList = new QTabWidget(this);
  pcColList->setObjectName(QStringLiteral("pcColList"));
  tsMasterColList = new QWidget(pcColList);
  tsMasterColList->setObjectName(QStringLiteral("tsMasterColList"));
  auto* pageLayout = new QVBoxLayout(tsMasterColList);
  CLB = new ColumnListWidget(tsMasterColList);
  CLB->setMinimumHeight(260);
  NameControl(CLB, QStringLiteral("Колони"));
  pageLayout->addWidget(CLB);
  pcColList->addTab(tsMasterColList, QStringLiteral("Главна таблица"));
  root->addWidget(pcColList, 1);

  Footer_M = new QPlainTextEdit(this);
  Footer_M->setObjectName(QStringLiteral("Footer_M"));
  Footer_M->setFixedHeight(44);
  NameControl(Footer_M, QStringLiteral("Текст под таблицата"));
  root->addWidget(Footer_M);

  auto* formats = new QHBoxLayout;
  MSWord_RB = new QRadioButton(QStringLiteral("MS Word"), this);
  MSWord_RB->setObjectName(QStringLiteral("MSWord_RB"));
  MSExcel_RB = new QRadioButton(QStringLiteral("MS Excel"), this);
  MSExcel_RB->setObjectName(QStringLiteral("MSExcel_RB"));
  rbTextFile = new QRadioButton(QStringLiteral("Текстов файл"), this);
  rbTextFile->setObjectName(QStringLiteral("rbTextFile"));
  formats->addWidget(MSWord_RB);
  formats->addWidget(MSExcel_RB);
  formats->addWidget(rbTextFile);
  root->addLayout(formats);

  auto* options = new QGridLayout;
  Delim_L = new QLabel(QStringLiteral("&Разделител"), this);
  Delim_L->setObjectName(QStringLiteral("Delim_L"));
  Delim_ed = new QLineEdit(QStringLiteral("|"), this);
  Delim_ed->setObjectName(QStringLiteral("Delim_ed"));
  Layout_L = new QLabel(QStringLiteral("&Оформление"), this);
  Layout_L->setObjectName(QStringLiteral("Layout_L"));
  Layout_CB = new QComboBox(this);
  Layout_CB->setObjectName(QStringLiteral("Layout_CB"));
  Layout_CB->addItems({QStringLiteral("Портрет"), QStringLiteral("Пейзаж")});
  Font_L = new QLabel(QStringLiteral("&Големина на шрифта"), this);
  Font_L->setObjectName(QStringLiteral("Font_L"));
  Font_CB = new QComboBox(this);
  Font_CB->setObjectName(QStringLiteral("Font_CB"));
  Font_CB->addItem(QStringLiteral("По подразбиране"));
  for (int size = 8; size <= 20; ++size) Font_CB->addItem(QString::number(size));
  LabelField(Delim_L, Delim_ed);
  LabelField(Layout_L, Layout_CB);
  LabelField(Font_L, Font_CB);
  options->addWidget(Delim_L, 0, 0);
  options->addWidget(Delim_ed, 0, 1);
  options->addWidget(Layout_L, 1, 0);
  options->addWidget(Layout_CB, 1, 1);
  options->addWidget(Font_L, 2, 0);
  options->addWidget(Font_CB, 2, 1);
  root->addLayout(options);

  Save_SB = new QPushButton(QStringLiteral("Запис"), this);
  Save_SB->setObjectName(QStringLiteral("Save_SB"));
  root->addWidget(Save_SB);
  FillProgress = new QProgressBar(this);
  FillProgress->setObjectName(QStringLiteral("FillProgress"));
  FillProgress->setValue(0);
  root->addWidget(FillProgress);

  connect(SelectAll_SB, &QPushButton::clicked, this, &TfrmSaveRep::SelectAll_SBClick);
  connect(DeselectAll_SB, &QPushButton::clicked, this, &TfrmSaveRep::DeselectAll_SBClick);
  connect(InvertSel_SB, &QPushButton::clicked, this, &TfrmSaveRep::InvertSel_SBClick);
  connect(Quit_SB, &QPushButton::clicked, this, &QDialog::reject);
  connect(CLB, &ColumnListWidget::EntryDropped, this, &TfrmSaveRep::CLBDragDrop);
  for (QRadioButton* b : {MSWord_RB, MSExcel_RB, rbTextFile})
    connect(b, &QRadioButton::toggled, this, [this](bool on) {
      if (on) DocTypeRBClick();
    });
  connect(Save_SB, &QPushButton::clicked, this, &TfrmSaveRep::Save_SBClick);
  connect(cbSavedViews, &QComboBox::activated, this, &TfrmSaveRep::cbSavedViewsChange);
  connect(NewView_SB, &QToolButton::clicked, this, &TfrmSaveRep::NewView_SBClick);
  connect(SaveView_SB, &QToolButton::clicked, this, &TfrmSaveRep::SaveView_SBClick);
  connect(EraseView_SB, &QToolButton::clicked, this, &TfrmSaveRep::EraseView_SBClick);
}

std::vector<ExportColumn> TfrmSaveRep::Columns() const {
  std::vector<ExportColumn> columns;
  for (int i = 0; i < CLB->count(); ++i) {
    const QListWidgetItem* item = CLB->item(i);
    columns.push_back({item->text(), item->data(kFieldRole).toString(), item->checkState() == Qt::Checked,
                       item->data(kFloatingRole).toBool()});
  }
  return columns;
}

void TfrmSaveRep::SetColumns(const std::vector<ExportColumn>& columns) {
  const int current = CLB->currentRow();
  CLB->clear();
  for (const ExportColumn& c : columns) {
    auto* item = new QListWidgetItem(c.caption, CLB);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsDragEnabled);
    item->setCheckState(c.ticked ? Qt::Checked : Qt::Unchecked);
    item->setData(kFieldRole, c.field);
    item->setData(kFloatingRole, c.floating);
  }
  if (current >= 0 && current < CLB->count()) CLB->setCurrentRow(current);
}

void TfrmSaveRep::SelectAll_SBClick() {
  auto columns = Columns();
  TickAll(columns);
  SetColumns(columns);
}

void TfrmSaveRep::DeselectAll_SBClick() {
  auto columns = Columns();
  UntickAll(columns);
  SetColumns(columns);
}

void TfrmSaveRep::InvertSel_SBClick() {
  auto columns = Columns();
  InvertTicks(columns);
  SetColumns(columns);
}

void TfrmSaveRep::CLBDragDrop(int from, int to) {
  auto columns = Columns();
  MoveExportColumn(columns, totals_, from, to);
  SetColumns(columns);
  const int landed = (to < 0 || to >= CLB->count()) ? 0 : to;
  CLB->setCurrentRow(landed);
}

ExportFormat TfrmSaveRep::Format() const {
  if (MSExcel_RB->isChecked()) return ExportFormat::Excel;
  if (rbTextFile->isChecked()) return ExportFormat::Text;
  return ExportFormat::Word;
}

void TfrmSaveRep::DocTypeRBClick() {
  const ExportFormatInfo info = FormatInfo(Format());
  for (QWidget* w : std::initializer_list<QWidget*>{Layout_L, Layout_CB, Font_L, Font_CB}) w->setVisible(info.pageOptions);
  Delim_L->setVisible(info.delimiterOption);
  Delim_ed->setVisible(info.delimiterOption);
}

ExportChoice TfrmSaveRep::Choice() const {
  ExportChoice choice;
  choice.format = Format();
  choice.columns = Columns();
  choice.totals = totals_;
  choice.delimiter = Delim_ed->text();
  QString title = Memo1->toPlainText();
  choice.layout.title = title.isEmpty() ? QStringList() : title.split(u'\n');
  choice.layout.footer = Footer_M->toPlainText();
  choice.layout.landscape = Layout_CB->currentIndex() == 1;
  choice.layout.fontSize = Font_CB->currentIndex() == 0 ? 0 : Font_CB->currentText().toInt();
  return choice;
}

void TfrmSaveRep::Save_SBClick() {
  FillProgress->setMaximum(std::max(1, source_.RowCount()));
  FillProgress->setValue(0);
  // The row walk lets the window repaint and stay responsive, but no second command may start
  // while it runs: the dialog's controls are off until it ends.
  setEnabled(false);
  QElapsedTimer sinceEvents;
  sinceEvents.start();
  const bool written = SaveExport(this, source_, Choice(), [this, &sinceEvents](int rows) {
    FillProgress->setValue(rows);
    if (sinceEvents.elapsed() >= 50) {
      QCoreApplication::processEvents();
      sinceEvents.restart();
    }
  });
  setEnabled(true);
  if (written) accept();
}

QString TfrmSaveRep::ViewKey() const {
  return GridKey(source_.OwnerName(), source_.ParentName(), source_.GridName(), QString(), views_.UserName(),
                 CLB->count(), 0);
}

void TfrmSaveRep::FillViewList(int chooseId) {
  cbSavedViews->clear();
  for (const ViewListEntry& e : views_.ViewsForKey(ViewKey(), views_.UserName())) cbSavedViews->addItem(e.name, e.id);
  const int at = cbSavedViews->findData(chooseId);
  cbSavedViews->setCurrentIndex(at < 0 ? 0 : at);
}

int TfrmSaveRep::ChosenViewId() const {
  return cbSavedViews->currentIndex() < 0 ? -1 : cbSavedViews->currentData().toInt();
}

void TfrmSaveRep::cbSavedViewsChange() {
  auto columns = Columns();
  const int id = ChosenViewId();
  if (id < 0) {
    TickAll(columns);
  } else if (const TSaveRepView* view = views_.FindView(id)) {
    if (!ApplyView(*view, columns)) return;
  }
  SetColumns(columns);
}

void TfrmSaveRep::NewView_SBClick() {
  // An empty name is asked for again; one that cannot be kept as typed is asked for again
  // after saying why, with the typing to put right.
  QString name;
  for (;;) {
    const std::optional<QString> typed =
        AskText(this, QStringLiteral("Създаване на нов изглед"), QStringLiteral("Име на изглед"), name);
    if (!typed) return;
    name = *typed;
    if (name.trimmed().isEmpty()) continue;
    const QString problem = ViewNameProblem(name);
    if (problem.isEmpty()) break;
    ShowMessage(this, problem, QStringLiteral("Грешка"), MessageIcon::Error);
  }
  const int id = views_.CreateView(name, source_.GridName(), source_.ParentName(), source_.OwnerName(),
                                   views_.UserName(), ViewColumnsOf(Columns()));
  cbSavedViews->addItem(name, id);
  cbSavedViews->setCurrentIndex(cbSavedViews->count() - 1);
}

void TfrmSaveRep::SaveView_SBClick() {
  TSaveRepView* view = views_.FindView(ChosenViewId());
  if (!view) {
    NewView_SBClick();
    return;
  }
  views_.UpdateView(*view, ViewColumnsOf(Columns()));
}

void TfrmSaveRep::EraseView_SBClick() {
  const int id = ChosenViewId();
  if (!views_.FindView(id)) return;
  if (AskMessage(this, {kEraseQuestion, QStringLiteral("Потвърждение"), MessageIcon::Question, MessageButtons::YesNo,
                        MessageAnswer::No}) == MessageAnswer::No)
    return;
  views_.EraseView(id);
  FillViewList(-1);
  cbSavedViewsChange();
}

void ShowExportDialog(ExportSource& source, const QString& title, const QString& footer, const QString& totals,
                      const QString& viewsFile, const QString& userName, QWidget* parent) {
  std::unique_ptr<TfrmSaveRep> dialog;
  try {
    dialog = std::make_unique<TfrmSaveRep>(source, title, footer, totals, viewsFile, userName, parent);
  } catch (const std::exception&) {
    return;
  }
  dialog->exec();
}

std::unique_ptr<ListExportSource> RegisterGridSource(QTableView& grid, TDataModule1& data, bool rankedList) {
  std::vector<int> order;
  std::vector<bool> hidden;
  const QHeaderView* header = grid.horizontalHeader();
  const int count = grid.model() ? grid.model()->columnCount() : 0;
  for (int visual = 0; visual < count; ++visual) order.push_back(header->logicalIndex(visual));
  for (int logical = 0; logical < count; ++logical) hidden.push_back(grid.isColumnHidden(logical));
  std::vector<ExportSourceColumn> columns = RegisterExportColumns(order, hidden);
  if (rankedList) OfferPlaceColumn(columns);
  return std::make_unique<ListExportSource>(data.MainQuery(), std::move(columns));
}

RegisterExportDialog MakeRegisterExportDialog(QWidget* parent, QTableView& grid, TDataModule1& data,
                                              const RegisterTabs& tabs) {
  const RegisterExportRequest request = RegisterExportRequestFor(tabs, data);
  RegisterExportDialog made;
  made.source = RegisterGridSource(grid, data, request.rankedList);
  made.dialog = std::make_unique<TfrmSaveRep>(*made.source, request.title, QString(), QString(), ExportViewsFile(),
                                              data.CurrentUserName(), parent);
  return made;
}

void ExportRegisterList(QWidget* parent, QTableView& grid, TDataModule1& data, const RegisterTabs& tabs) {
  RegisterExportDialog made;
  try {
    made = MakeRegisterExportDialog(parent, grid, data, tabs);
  } catch (const std::exception&) {
    return;
  }
  made.dialog->exec();
}
