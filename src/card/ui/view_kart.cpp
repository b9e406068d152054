// The card window's behaviour: showing and loading a card, checking and saving it, closing,
// opening another card by number or with the navigator, and noticing the user's changes.
#include "card/ui/view_kart.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolButton>

#include "card/card_load.h"
#include "card/card_save.h"
#include "card/ui/members_page.h"
#include "card/ui/view_kart_print.h"
#include "card/view_kart_new_card.h"
#include "card/view_kart_validation.h"
#include "core/clock.h"
#include "core/error_display.h"
#include "core/messages.h"
#include "data/data_module.h"
#include "engine/ui/window_placement.h"
#include "ui/date_edit.h"
#include "ui/field_label.h"

namespace {
// The widest a code list's drop-down grows to show its longest name.
constexpr int kWidestList = 280;
const QString kCardIdField = QStringLiteral("CARD_ID");
const QString kRegNumField = QStringLiteral("REG_NUM");
}  // namespace

TViewKart::TViewKart(TDataModule1& data, QWidget* parent) : QDialog(parent), data_(data) {
  setObjectName(QStringLiteral("ViewKart"));
  setModal(true);
  BuildControls();
  ConnectChangeTracking();
  connect(Load, &QPushButton::clicked, this, &TViewKart::LoadClick);
  connect(OK, &QPushButton::clicked, this, &TViewKart::OKClick);
  connect(Cancel, &QPushButton::clicked, this, &TViewKart::CancelClick);
  connect(sbPrintForm, &QToolButton::clicked, this, &TViewKart::sbPrintFormClick);
  connect(ButtonPrint, &QPushButton::clicked, this, &TViewKart::PrintCardRequested);
  connect(members, &TMembersPage::LbdRequested, this, &TViewKart::LbdCheckRequested);
  ebRegNum->installEventFilter(this);
  mode_ = 0;
  RememberWindowPlacement(this, QStringLiteral("CardWindow"));
}

bool TViewKart::MembersEmpty() const { return members->MembersEmpty(); }

void TViewKart::ShowCard(int mode, bool canEdit) {
  PrepareShow(mode, canEdit);
  exec();
}

void TViewKart::PrepareShow(int mode, bool canEdit) {
  mode_ = mode;
  canEdit_ = canEdit;
  PageControl1->setCurrentIndex(0);
  setWindowTitle(mode_ == 0 ? QStringLiteral("Картотекиране на рег. картон")
                            : QStringLiteral("Разглеждане/промяна на рег.картон"));
}

void TViewKart::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TViewKart::FormShow() {
  const DateTimeValue now = DateTimeValueOf(Clock::Now());
  members->SetValidUntil(now);
  for (TAODateTimePicker* date : {dek_dat, AddDate, dtGrupaDate, protDate, dtAdress, dtCheck, dtNastZap})
    date->SetDateTime(now);
  Guarded([this] {
    FillFromNomenclature(cbGroup, QStringLiteral("GROUP1"));
    FillFromNomenclature(cbsubGroup, QStringLiteral("GROUP2"));
    FillFromNomenclature(cbLData, QStringLiteral("LDATA"));
    FillFromNomenclature(cbLReason, QStringLiteral("LREASON"));
    FillFromNomenclature(cbKart, QStringLiteral("KARTFOR"));
    members->FillSocialGroups(data_);
    FillFromNomenclature(cbStatus, QStringLiteral("STATUS"));
    FillFromNomenclature(cbNastVidApart, QStringLiteral("NAST_VID_APART"));
    FillFromNomenclature(cbTerm, QStringLiteral("NAST_TERM"));
  });
  // The lists' new widths take effect in every box before the window is drawn.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  OK->setEnabled(canEdit_);
  Guarded([this] { LoadCard(); });
}

void TViewKart::FillFromNomenclature(QComboBox* list, const QString& column) {
  const QSignalBlocker blocker(list);
  list->clear();
  for (const CodeListEntry& entry : data_.CodeListEntries(column)) list->addItem(entry.name);
  // As wide as its longest name, up to a width the page keeps room for; a longer name is
  // whole in the opened list.
  const QComboBox::SizeAdjustPolicy policy = list->sizeAdjustPolicy();
  list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  list->setMinimumWidth(std::min(list->sizeHint().width(), kWidestList));
  list->setSizeAdjustPolicy(policy);
}

void TViewKart::SetNetIncomeLabels() {
  lbIncome->setText(QStringLiteral("Нетен годишен доход:"));
  lbIncomeHalfYear->setText(QStringLiteral("Нетен доход за 6 месеца"));
  // A screen reader names the fields by the captions now shown.
  LabelField(lbIncome, ebIncome);
  LabelField(lbIncomeHalfYear, ebIncomeHalfYear);
}

void TViewKart::LoadCard() {
  modified_ = false;
  // The members page empties the member panel and hides it on both kinds of load.
  SetNetIncomeLabels();

  if (mode_ == 0) {
    ebRegNum->setEnabled(false);
    members->SetCardContext(&data_, 0);
    members->ClearForNewCard();
    FromForm(NewCardForm(ToForm()));
    DBNavigator1->hide();
    Load->hide();
    cardId_ = 0;
    return;
  }

  DBNavigator1->show();
  Load->show();
  EnsureRegisterListOpen();
  cardId_ = data_.MainQuery().CurrentValue(kCardIdField).toInt();
  ebRegNum->setEnabled(true);
  members->SetCardContext(&data_, cardId_);
  members->LoadCard(data_, cardId_);
  CardForm form = ToForm();
  const QVariantList stamp = LoadCardForm(data_, cardId_, form).storedStamp;
  FromForm(form);
  RememberCardState();
  remembered_.storedStamp = stamp;
  remembered_.loaded = ToForm();
  UpdateNavigator();
  cbGroup->setFocus();
}

void TViewKart::RememberCardState() {
  remembered_.dek_id = dek_id->text();
  remembered_.dek_dat = dek_dat->DateTime();
  remembered_.groupPosition = cbGroup->currentIndex();
  remembered_.grupaDate = dtGrupaDate->DateTime();
  remembered_.statusPosition = cbStatus->currentIndex();
}

void TViewKart::OKClick() {
  const QString message = CardValidationMessage(ToForm());
  if (!message.isEmpty()) {
    ShowMessage(this, message, QStringLiteral("Грешка при запис"), MessageIcon::Error);
    return;
  }
  // A failed save keeps what was typed and the changes still count, so closing asks again.
  if (SaveFromWindow()) modified_ = false;
}

bool TViewKart::SaveFromWindow() {
  CardForm form = ToForm();
  const SaveOutcome outcome = SaveCard(data_, form, mode_, canEdit_, cardId_, remembered_, this);
  // A save ends with a commit, which closes the register list; the navigator and "Зареждане"
  // need it, and in mode 1 its current row must stay on this card.
  EnsureRegisterListOpen();
  if (!outcome.saved) return false;
  if (mode_ == 0) {
    Guarded([this] { LoadCard(); });
  } else {
    data_.MainQuery().Locate(kCardIdField, cardId_);
    FromForm(form);
    remembered_ = outcome.remembered;
    UpdateNavigator();
  }
  return true;
}

void TViewKart::CancelClick() { reject(); }

void TViewKart::done(int result) {
  if (!closing_) {
    closing_ = true;
    const bool mayClose = FormClose();
    closing_ = false;
    if (!mayClose) return;
  }
  QDialog::done(result);
}

bool TViewKart::FormClose() {
  if (mode_ == 1 && canEdit_ && modified_ &&
      AskYesNo(this, QStringLiteral("Искате ли да запазите промените върху картона"), QStringLiteral("Потвърждение"),
               false)) {
    bool saved = false;
    Guarded([&] { saved = SaveFromWindow(); });
    // The save showed why it failed; closing now would lose what was typed.
    if (!saved) return false;
  }
  modified_ = false;
  Guarded([this] { EnsureRegisterListOpen(); });
  return true;
}

void TViewKart::EnsureRegisterListOpen() {
  const int row = data_.MainQuery().CurrentRow();
  if (data_.MainQuery().IsOpen()) return;
  data_.MainQuery().Open();
  if (row >= 0) data_.MainQuery().SetCurrentRow(row);
}

void TViewKart::LoadClick() {
  const QString text = ebRegNum->text();
  bool ok = false;
  const int number = text.trimmed().toInt(&ok);
  if (!ok) {
    ShowErrorDisplay(this, QStringLiteral("'%1' is not a valid integer value").arg(text));
    return;
  }
  Guarded([&] {
    EnsureRegisterListOpen();
    if (data_.MainQuery().Locate(kRegNumField, number)) {
      LoadCard();
      return;
    }
    ShowMessage(this, QStringLiteral("Не същетсвува запис с този регистрационен номер"), QStringLiteral("Грешка"),
                MessageIcon::Error);
    ebRegNum->setText(data_.MainQuery().CurrentValue(kRegNumField).toString());
  });
}

void TViewKart::DBNavigator1Click(int button) {
  ListQuery& list = data_.MainQuery();
  Guarded([&] {
    EnsureRegisterListOpen();
    if (list.RowCount() == 0) return;
    const int last = list.RowCount() - 1;
    const int current = list.CurrentRow();
    int row = current;
    switch (button) {
      case nbFirst: row = 0; break;
      case nbPrior: row = std::max(0, current - 1); break;
      case nbNext: row = std::min(last, current + 1); break;
      case nbLast: row = last; break;
      default: return;
    }
    list.SetCurrentRow(row);
    LoadCard();
  });
}

void TViewKart::UpdateNavigator() {
  const ListQuery& list = data_.MainQuery();
  const int row = list.CurrentRow();
  const bool any = list.IsOpen() && list.RowCount() > 0;
  navButtons[nbFirst]->setEnabled(any && row > 0);
  navButtons[nbPrior]->setEnabled(any && row > 0);
  navButtons[nbNext]->setEnabled(any && row < list.RowCount() - 1);
  navButtons[nbLast]->setEnabled(any && row < list.RowCount() - 1);
}

void TViewKart::sbPrintFormClick() {
  const QImage image = grab().toImage();
  PrintFormImage(image);
}

void TViewKart::Guarded(const std::function<void()>& step) {
  try {
    step();
  } catch (const std::exception& error) {
    ShowErrorDisplay(this, error);
  }
}

void TViewKart::ConnectChangeTracking() {
  // A key typed into these boxes marks the card changed (mNotesKeyPress).
  for (QWidget* box : std::initializer_list<QWidget*>{
           doctxt, ebGot, dek_id, edYearsNoDeclr, pr, ebLCond, ebAdress, ebCheck, edReasonComment, ebIncome, ebAssets,
           ebDeals, edHasFirm, ebIncPerPerson, mNotes, edNastZap, edNasAdrApart, edIskaKupi, edZapOut})
    box->installEventFilter(this);

  // A choice in these lists or dates marks it changed (cbGroupClick, cbStatusClick, dtGrupaDateClick).
  for (QComboBox* list : {cbGroup, cbKart, cbLData, cbLReason, cbStatus})
    connect(list, &QComboBox::activated, this, &TViewKart::SetModified);
  for (TAODateTimePicker* date : {dek_dat, protDate, dtCheck, dtAdress, dtNastZap, dtGrupaDate}) {
    connect(date, &TAODateTimePicker::OnChange, this, &TViewKart::SetModified);
    connect(date, &TAODateTimePicker::OnCloseUp, this, &TViewKart::SetModified);
  }
  connect(members, &TMembersPage::Modified, this, &TViewKart::SetModified);
}

bool TViewKart::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
  if (watched == ebRegNum) {
    if (enter && mode_ == 1) {
      LoadClick();
      return true;
    }
    return false;
  }
  // Keys that move the focus, close the window or press the default button change nothing.
  const bool dialogKey = key->key() == Qt::Key_Escape || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
                         (enter && watched != mNotes);
  if (!key->text().isEmpty() && !dialogKey) modified_ = true;
  return false;
}
