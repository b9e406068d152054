// The household members part of the card window: builds the grid and the member panel and
// moves values between them and the member rules.
#include "card/ui/members_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "card/card_text_fields.h"
#include "core/clock.h"
#include "core/error_display.h"
#include "core/messages.h"
#include "data/data_module.h"
#include "ui/date_edit.h"
#include "ui/field_label.h"

namespace {
const char* const kHeadings[] = {"Тип", "Име", "ЕГН", "Соц.група", "Допълнителни бележки", "Процент на инвалидност",
                                 "Валидно до (дата)", "Експертно решение на ТЕЛК"};
const int kWidths[] = {53, 211, 73, 67, 47, 64, 64, 64};
constexpr int kMaxColumnWidth = 320;  // pixels; wider texts show whole in their tooltip
constexpr int kColumns = 8;

QLabel* Caption(const char* text, QWidget* buddy) {
  auto* label = LabelField(new QLabel(QString::fromUtf8(text)), buddy);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return label;
}

// Sets an edit only when its text changes, so an untouched box does not count as an edit.
void SetIfChanged(QLineEdit* edit, const QString& text) {
  if (edit->text() != text) edit->setText(text);
}
}  // namespace

TMembersPage::TMembersPage(QWidget* parent) : QWidget(parent) {
  BuildControls();
  ClearForNewCard();
}

void TMembersPage::BuildControls() {
  auto* pageLayout = new QVBoxLayout(this);
  pageLayout->setContentsMargins(0, 0, 0, 0);

  groupFamily = new QGroupBox(QStringLiteral("Членове на семейството"), this);
  auto* familyLayout = new QVBoxLayout(groupFamily);
  FamilyList = new QTableWidget(0, kColumns, groupFamily);
  FamilyList->setObjectName(QStringLiteral("FamilyList"));
  NameControl(FamilyList, groupFamily->title());
  QStringList headings;
  for (const char* heading : kHeadings) headings << QString::fromUtf8(heading);
  FamilyList->setHorizontalHeaderLabels(headings);
  for (int c = 0; c < kColumns; ++c) FamilyList->setColumnWidth(c, kWidths[c]);
  FamilyList->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  FamilyList->verticalHeader()->setVisible(false);
  FamilyList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FamilyList->setSelectionBehavior(QAbstractItemView::SelectItems);
  FamilyList->setSelectionMode(QAbstractItemView::SingleSelection);
  FamilyList->setMinimumHeight(140);
  familyLayout->addWidget(FamilyList);

  auto* countsRow = new QHBoxLayout;
  FamilyCount = new QLineEdit(groupFamily);
  FamilyKids = new QLineEdit(groupFamily);
  for (QLineEdit* count : {FamilyCount, FamilyKids}) {
    count->setReadOnly(true);
    count->setMaximumWidth(48);
    count->setAlignment(Qt::AlignRight);
  }
  countsRow->addWidget(Caption("Общ брой:", FamilyCount));
  countsRow->addWidget(FamilyCount);
  countsRow->addSpacing(12);
  countsRow->addWidget(Caption("Брой деца под 18 години:", FamilyKids));
  countsRow->addWidget(FamilyKids);
  countsRow->addStretch(1);
  Button1 = new QPushButton(QStringLiteral("Промени избрания на титуляр"), groupFamily);
  sbShowHide = new QToolButton(groupFamily);
  sbShowHide->setText(QStringLiteral("Добави/редакт. член на домакинство"));
  sbShowHide->setCheckable(true);
  countsRow->addWidget(Button1);
  countsRow->addWidget(sbShowHide);
  familyLayout->addLayout(countsRow);
  pageLayout->addWidget(groupFamily, 1);

  gbFamilyMember = new QGroupBox(QStringLiteral("Добавяне/редактиране на член на семейството"), this);
  auto* form = new QGridLayout(gbFamilyMember);
  form->setColumnStretch(1, 2);
  form->setColumnStretch(3, 1);

  FirstName = new QLineEdit(gbFamilyMember);
  PersonType = new QComboBox(gbFamilyMember);
  for (int code = 0; code < kMemberPanelRoles; ++code) PersonType->addItem(PersonTypeText(code));
  form->addWidget(Caption("Име:", FirstName), 0, 0);
  form->addWidget(FirstName, 0, 1);
  form->addWidget(Caption("Тип:", PersonType), 0, 2);
  form->addWidget(PersonType, 0, 3);

  PersonEGN = new QLineEdit(gbFamilyMember);
  ButtonFillPrs = new QPushButton(QStringLiteral("?"), gbFamilyMember);
  ButtonFillPrs->setFixedWidth(28);
  bLBD = new QPushButton(QStringLiteral("ЛБД"), gbFamilyMember);
  auto* egnRow = new QHBoxLayout;
  egnRow->addWidget(PersonEGN, 1);
  egnRow->addWidget(ButtonFillPrs);
  egnRow->addWidget(bLBD);
  cbSocGrupa = new QComboBox(gbFamilyMember);
  form->addWidget(Caption("ЕГН:", PersonEGN), 1, 0);
  form->addLayout(egnRow, 1, 1);
  form->addWidget(Caption("Соц. група", cbSocGrupa), 1, 2);
  form->addWidget(cbSocGrupa, 1, 3);

  PersonNotes = new QLineEdit(gbFamilyMember);
  form->addWidget(Caption("Бележки:", PersonNotes), 2, 0);
  form->addWidget(PersonNotes, 2, 1, 1, 3);

  gbInvalid = new QGroupBox(QStringLiteral("Данни за инвалидност"), gbFamilyMember);
  auto* invalidLayout = new QHBoxLayout(gbInvalid);
  proc_inv = new QLineEdit(gbInvalid);
  proc_inv->setMaximumWidth(60);
  val_do = new TAODateTimePicker(gbInvalid);
  pojiz = new QCheckBox(QStringLiteral("Пожизнена"), gbInvalid);
  re6_telk = new QLineEdit(gbInvalid);
  invalidLayout->addWidget(Caption("Проц. инв.", proc_inv));
  invalidLayout->addWidget(proc_inv);
  invalidLayout->addWidget(Caption("Валидно до:", val_do));
  invalidLayout->addWidget(val_do);
  invalidLayout->addWidget(pojiz);
  invalidLayout->addWidget(Caption("ТЕЛК", re6_telk));
  invalidLayout->addWidget(re6_telk, 1);
  form->addWidget(gbInvalid, 3, 0, 1, 4);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  Add = new QPushButton(QStringLiteral("Добави ново лице"), gbFamilyMember);
  Modify = new QPushButton(QStringLiteral("Редактирай  лицето"), gbFamilyMember);
  Delete = new QPushButton(QStringLiteral("Премахни лицето"), gbFamilyMember);
  buttons->addWidget(Add);
  buttons->addWidget(Modify);
  buttons->addWidget(Delete);
  form->addLayout(buttons, 4, 0, 1, 4);
  pageLayout->addWidget(gbFamilyMember);

  // Object names equal the control names, so the window and tests can find them.
  const std::pair<QObject*, const char*> names[] = {
      {groupFamily, "GroupBox5"}, {FamilyCount, "FamilyCount"}, {FamilyKids, "FamilyKids"}, {Button1, "Button1"},
      {sbShowHide, "sbShowHide"}, {gbFamilyMember, "gbFamilyMember"}, {FirstName, "FirstName"},
      {PersonType, "PersonType"}, {PersonEGN, "PersonEGN"}, {ButtonFillPrs, "ButtonFillPrs"}, {bLBD, "bLBD"},
      {cbSocGrupa, "cbSocGrupa"}, {PersonNotes, "PersonNotes"}, {Add, "Add"}, {Modify, "Modify"},
      {Delete, "Delete"}, {gbInvalid, "gbInvalid"}, {proc_inv, "proc_inv"}, {val_do, "val_do"},
      {pojiz, "pojiz"}, {re6_telk, "re6_telk"}};
  for (const auto& [object, name] : names) object->setObjectName(QString::fromLatin1(name));
  // Each text field takes its column's length: a longer text could never be saved.
  for (const MemberTextField& field : MemberTextFields())
    if (auto* edit = findChild<QLineEdit*>(QString::fromLatin1(field.control))) edit->setMaxLength(field.length);

  connect(Add, &QPushButton::clicked, this, &TMembersPage::AddClick);
  connect(Modify, &QPushButton::clicked, this, &TMembersPage::ModifyClick);
  connect(Delete, &QPushButton::clicked, this, &TMembersPage::DeleteClick);
  connect(Button1, &QPushButton::clicked, this, &TMembersPage::Button1Click);
  connect(sbShowHide, &QToolButton::toggled, this, &TMembersPage::ShowClick);
  connect(FamilyList, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
    currentChangedByPress_ = true;
    FamilyListSelectCell(row);
  });
  // A press on the cell that is already current changes nothing the grid reports; it selects
  // the member all the same.
  FamilyList->viewport()->installEventFilter(this);
  connect(FamilyList, &QTableWidget::cellPressed, this, [this](int row, int) {
    if (!currentChangedByPress_) FamilyListSelectCell(row);
  });
  connect(cbSocGrupa, &QComboBox::currentIndexChanged, this, &TMembersPage::cbSocGrupaChange);
  connect(pojiz, &QCheckBox::clicked, this, &TMembersPage::pojizClick);
  connect(ButtonFillPrs, &QPushButton::clicked, this, &TMembersPage::ButtonFillPrsClick);
  connect(bLBD, &QPushButton::clicked, this, [this] { emit LbdRequested(PersonEGN->text()); });
}

void TMembersPage::FillSocialGroups(TDataModule1& data) {
  const QSignalBlocker blocker(cbSocGrupa);
  cbSocGrupa->clear();
  cbSocGrupa->addItems(SocialGroupNames(data));
}

void TMembersPage::SetCardContext(TDataModule1* data, int cardId) {
  data_ = data;
  cardId_ = cardId;
}

void TMembersPage::ClearForNewCard() {
  proc_inv->clear();
  re6_telk->clear();
  PersonEGN->clear();
  FirstName->clear();
  rows_.clear();
  membersEmpty_ = true;
  skipSelectFill_ = false;
  ShowRows();
  ForgetCurrentCell();
  FamilyCount->setText(QStringLiteral("0"));
  FamilyKids->setText(QStringLiteral("0"));
  Modify->setEnabled(false);
  Delete->setEnabled(false);
  PersonType->setCurrentIndex(0);
  {
    const QSignalBlocker blocker(cbSocGrupa);
    cbSocGrupa->setCurrentIndex(cbSocGrupa->count() > 0 ? 0 : -1);
  }
  SetPanelVisible(false);
}

void TMembersPage::LoadCard(TDataModule1& data, int cardId) {
  proc_inv->clear();
  re6_telk->clear();
  PersonEGN->clear();
  FirstName->clear();
  rows_ = LoadMemberRows(data, cardId);
  membersEmpty_ = false;
  skipSelectFill_ = false;
  ShowRows();
  ForgetCurrentCell();
  ShowCounts();
  Modify->setEnabled(true);
  Delete->setEnabled(true);
  PersonType->setCurrentIndex(0);
  SetPanelVisible(false);
}

void TMembersPage::ShowRows() {
  // Filling the grid is not the user selecting a cell.
  const QSignalBlocker blocker(FamilyList);
  const int current = FamilyList->currentRow();
  if (membersEmpty_) {
    FamilyList->setRowCount(1);
    for (int c = 0; c < kColumns; ++c)
      FamilyList->setItem(0, c, new QTableWidgetItem(c == kColType ? PersonTypeText(0) : QString()));
  } else {
    FamilyList->setRowCount(static_cast<int>(rows_.size()));
    for (int r = 0; r < static_cast<int>(rows_.size()); ++r)
      for (int c = 0; c < kColumns; ++c) {
        auto* item = new QTableWidgetItem(MemberCell(rows_[r], c));
        item->setToolTip(item->text());  // the whole text of a cell its column's cap cuts
        FamilyList->setItem(r, c, item);
      }
  }
  if (current >= FamilyList->rowCount()) FamilyList->setCurrentCell(FamilyList->rowCount() - 1, 0);
  FitColumns();
}

void TMembersPage::ForgetCurrentCell() {
  // Another card's rows: a cell current from the last card would make the first press on the
  // same cell of this one select nothing.
  const QSignalBlocker blocker(FamilyList);
  FamilyList->setCurrentCell(-1, -1);
  FamilyList->clearSelection();
}

bool TMembersPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FamilyList->viewport() && event->type() == QEvent::MouseButtonPress) currentChangedByPress_ = false;
  return QWidget::eventFilter(watched, event);
}

void TMembersPage::FitColumns() {
  // The given widths are the least each column gets; a column widens to show its heading and
  // its longest cell whole, so names, personal numbers and roles are not cut, up to a cap: a very
  // long name would push the other columns out of sight (its whole text is in its tooltip).
  for (int c = 0; c < kColumns; ++c) {
    FamilyList->resizeColumnToContents(c);
    FamilyList->setColumnWidth(c, std::min(kMaxColumnWidth, std::max(kWidths[c], FamilyList->columnWidth(c))));
  }
}

void TMembersPage::ShowCounts() {
  if (!membersEmpty_) FamilyCount->setText(QString::number(::CountMembers(rows_)));
  FamilyKids->setText(QString::number(::CountKidsUnder18(rows_)));
}

int TMembersPage::SelectedRow() const {
  const auto ranges = FamilyList->selectedRanges();
  if (!ranges.isEmpty()) return ranges.first().topRow() + 1;
  return FamilyList->currentRow() >= 0 ? FamilyList->currentRow() + 1 : 1;
}

MemberPanelValues TMembersPage::PanelValues() const {
  MemberPanelValues panel;
  panel.name = FirstName->text();
  panel.typePosition = PersonType->currentIndex();
  panel.egn = PersonEGN->text();
  panel.socGroupPosition = cbSocGrupa->currentIndex();
  panel.socGroupText = cbSocGrupa->currentIndex() >= 0 ? cbSocGrupa->currentText() : QString();
  panel.notes = PersonNotes->text();
  panel.percent = proc_inv->text();
  panel.validUntil = val_do->DateTime();
  panel.lifelong = pojiz->isChecked();
  panel.telk = re6_telk->text();
  panel.disabilityBoxVisible = !gbInvalid->isHidden();
  return panel;
}

void TMembersPage::SetPanelValues(const MemberPanelValues& panel) {
  FirstName->setText(panel.name);
  PersonType->setCurrentIndex(panel.typePosition);
  PersonEGN->setText(panel.egn);
  {
    const QSignalBlocker blocker(cbSocGrupa);
    cbSocGrupa->setCurrentIndex(panel.socGroupPosition < cbSocGrupa->count() ? panel.socGroupPosition : -1);
  }
  PersonNotes->setText(panel.notes);
  proc_inv->setText(panel.percent);
  val_do->SetDateTime(panel.validUntil);
  pojiz->setChecked(panel.lifelong);
  val_do->setEnabled(!panel.lifelong);
  re6_telk->setText(panel.telk);
}

void TMembersPage::SetPanelTexts(const QString& name, const QString& egn, const QString& notes) {
  SetIfChanged(FirstName, name);
  SetIfChanged(PersonEGN, egn);
  SetIfChanged(PersonNotes, notes);
}

void TMembersPage::SetValidUntil(DateTimeValue value) { val_do->SetDateTime(value); }

void TMembersPage::SetPanelVisible(bool visible) {
  {
    const QSignalBlocker blocker(sbShowHide);
    sbShowHide->setChecked(visible);
  }
  gbFamilyMember->setVisible(visible);
  UpdateInvalidBox();
}

void TMembersPage::ShowClick(bool down) { gbFamilyMember->setVisible(down); }

void TMembersPage::UpdateInvalidBox() {
  if (!gbFamilyMember->isHidden()) gbInvalid->setVisible(cbSocGrupa->currentIndex() == kDisabilityGroupPosition);
}

void TMembersPage::cbSocGrupaChange() { UpdateInvalidBox(); }

void TMembersPage::pojizClick() {
  const bool ticked = pojiz->isChecked();
  val_do->setEnabled(!ticked);
  val_do->SetDateTime(ticked ? LifelongValidUntil() : DateTimeValueOf(Clock::Now()));
}

void TMembersPage::ClearMemberPanel() { SetPanelValues(ClearedMemberPanel()); }

void TMembersPage::FamilyListSelectCell(int row) {
  if (row < 0) return;
  if (!skipSelectFill_) {
    MemberRow shown;
    for (int c = 0; c < kColumns; ++c) {
      const QTableWidgetItem* item = FamilyList->item(row, c);
      SetMemberCell(shown, c, item ? item->text() : QString());
    }
    QStringList socGroups;
    for (int i = 0; i < cbSocGrupa->count(); ++i) socGroups << cbSocGrupa->itemText(i);
    SetPanelValues(PanelFromRow(shown, PanelValues(), socGroups));
  }
  skipSelectFill_ = false;
  SetPanelVisible(true);
}

void TMembersPage::ApplyAccepted(const MemberCommandResult& result) {
  rows_ = result.rows;
  membersEmpty_ = false;
  ShowRows();
  ShowCounts();
  SetPanelValues(result.panel);
  emit Modified();
}

void TMembersPage::AddClick() {
  try {
    const bool wasEmpty = membersEmpty_;
    const MemberCommandResult result = AddMember(rows_, membersEmpty_, SelectedRow(), PanelValues(), Context());
    if (!result.accepted) {
      SetPanelValues(result.panel);
      if (!result.message.isEmpty()) ShowMessage(this, result.message, result.caption);
      return;
    }
    if (!wasEmpty) skipSelectFill_ = true;
    ApplyAccepted(result);
    Delete->setEnabled(rows_.size() >= 2);
    Modify->setEnabled(true);
  } catch (const std::exception& error) {
    ShowErrorDisplay(this, error);
  }
}

void TMembersPage::ModifyClick() {
  try {
    const MemberCommandResult result = ModifyMember(rows_, SelectedRow(), PanelValues(), Context());
    if (!result.accepted) {
      SetPanelValues(result.panel);
      if (!result.message.isEmpty()) ShowMessage(this, result.message, result.caption);
      return;
    }
    ApplyAccepted(result);
    Delete->setEnabled(rows_.size() >= 2);
    Modify->setEnabled(true);
  } catch (const std::exception& error) {
    ShowErrorDisplay(this, error);
  }
}

void TMembersPage::DeleteClick() {
  const int selected = membersEmpty_ ? 1 : SelectedRow();
  const MemberCommandResult result = RemoveMember(rows_, selected, PanelValues());
  if (!result.accepted) {
    if (!result.message.isEmpty()) ShowMessage(this, result.message, result.caption);
    return;
  }
  ApplyAccepted(result);
  if (rows_.size() <= 1) Delete->setEnabled(false);
}

void TMembersPage::Button1Click() {
  if (membersEmpty_) return;
  const auto promoted = MakeHolder(rows_, SelectedRow());
  if (!promoted) return;
  rows_ = *promoted;
  ShowRows();
  // The promoted member may have been a child, so the children's count is shown anew.
  ShowCounts();
  emit Modified();
}

void TMembersPage::ButtonFillPrsClick() {
  if (!data_) return;
  try {
    if (const auto name = NameByEGN(*data_, PersonEGN->text())) FirstName->setText(*name);
  } catch (const std::exception& error) {
    ShowErrorDisplay(this, error);
  }
}
