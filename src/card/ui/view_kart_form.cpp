// The card window's controls copied into a CardForm and back; the members stay with the
// members page, which keeps its own rows. Likewise the fields of the population-database
// check, copied into LbdCardFields and back.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>

#include "card/ui/members_page.h"
#include "card/ui/view_kart.h"
#include "ui/date_edit.h"

namespace {
ListChoice ChoiceOf(const QComboBox* list) { return {list->currentIndex(), list->currentText()}; }

// A stored position beyond the end of the list leaves the list with nothing selected.
void Choose(QComboBox* list, const ListChoice& choice) {
  const QSignalBlocker blocker(list);
  list->setCurrentIndex(choice.position >= 0 && choice.position < list->count() ? choice.position : -1);
}

QStringList LinesOf(const QPlainTextEdit* memo) {
  const QString text = memo->toPlainText();
  return text.isEmpty() ? QStringList() : text.split(u'\n');
}

void SetLines(QPlainTextEdit* memo, const QStringList& lines) { memo->setPlainText(lines.join(u'\n')); }

// Sets an edit only when its text changes, so an untouched field does not count as an edit.
void SetIfChanged(QLineEdit* edit, const QString& text) {
  if (edit->text() != text) edit->setText(text);
}
}  // namespace

CardForm TViewKart::ToForm() const {
  CardForm form;
  form.ebRegNum = ebRegNum->text();
  form.doctxt = doctxt->text();
  form.AddDate = AddDate->DateTime();

  form.cbGroup = ChoiceOf(cbGroup);
  form.cbsubGroup = ChoiceOf(cbsubGroup);
  form.cbStatus = ChoiceOf(cbStatus);
  form.cbKart = ChoiceOf(cbKart);
  form.dtGrupaDate = dtGrupaDate->DateTime();
  form.ebGot = ebGot->text();
  form.pr = pr->text();
  form.dek_id = dek_id->text();
  form.edYearsNoDeclr = edYearsNoDeclr->text();
  form.protDate = protDate->DateTime();
  form.dek_dat = dek_dat->DateTime();
  form.HardLife = HardLife->isChecked();
  form.CheckBoxAloneParent = CheckBoxAloneParent->isChecked();

  form.edYear = edYear->text();
  form.edPoints = edPoints->text();
  form.edPointsDescr = edPointsDescr->text();

  form.dtAdress = dtAdress->DateTime();
  form.dtCheck = dtCheck->DateTime();
  form.ebAdress = ebAdress->text();
  form.ebLCond = ebLCond->text();
  form.edReasonComment = edReasonComment->text();
  form.ebCheck = ebCheck->text();
  form.cbLData = ChoiceOf(cbLData);
  form.cbLReason = ChoiceOf(cbLReason);

  form.ebIncome = ebIncome->text();
  form.ebIncomeHalfYear = ebIncomeHalfYear->text();
  form.ebIncPerPerson = ebIncPerPerson->text();
  form.ebAssets = ebAssets->text();
  form.ebDeals = ebDeals->text();
  form.edHasFirm = edHasFirm->text();

  form.mNotes = LinesOf(mNotes);
  form.mSYSNotes = LinesOf(mSYSNotes);

  form.edNastZap = edNastZap->text();
  form.edNasAdrApart = edNasAdrApart->text();
  form.edIskaKupi = edIskaKupi->text();
  form.edZapOut = edZapOut->text();
  form.dtNastZap = dtNastZap->DateTime();
  form.cbNastVidApart = ChoiceOf(cbNastVidApart);
  form.cbTerm = ChoiceOf(cbTerm);
  form.mZapHistory = LinesOf(mZapHistory);

  form.members = members->Rows();
  form.MembersEmpty = members->MembersEmpty();
  return form;
}

void TViewKart::FromForm(const CardForm& form) {
  ebRegNum->setText(form.ebRegNum);
  doctxt->setText(form.doctxt);
  AddDate->SetDateTime(form.AddDate);

  Choose(cbGroup, form.cbGroup);
  Choose(cbsubGroup, form.cbsubGroup);
  Choose(cbStatus, form.cbStatus);
  Choose(cbKart, form.cbKart);
  dtGrupaDate->SetDateTime(form.dtGrupaDate);
  ebGot->setText(form.ebGot);
  pr->setText(form.pr);
  dek_id->setText(form.dek_id);
  edYearsNoDeclr->setText(form.edYearsNoDeclr);
  protDate->SetDateTime(form.protDate);
  dek_dat->SetDateTime(form.dek_dat);
  HardLife->setChecked(form.HardLife);
  CheckBoxAloneParent->setChecked(form.CheckBoxAloneParent);

  edYear->setText(form.edYear);
  edPoints->setText(form.edPoints);
  edPointsDescr->setText(form.edPointsDescr);

  dtAdress->SetDateTime(form.dtAdress);
  dtCheck->SetDateTime(form.dtCheck);
  ebAdress->setText(form.ebAdress);
  ebLCond->setText(form.ebLCond);
  edReasonComment->setText(form.edReasonComment);
  ebCheck->setText(form.ebCheck);
  Choose(cbLData, form.cbLData);
  Choose(cbLReason, form.cbLReason);

  ebIncome->setText(form.ebIncome);
  ebIncomeHalfYear->setText(form.ebIncomeHalfYear);
  ebIncPerPerson->setText(form.ebIncPerPerson);
  ebAssets->setText(form.ebAssets);
  ebDeals->setText(form.ebDeals);
  edHasFirm->setText(form.edHasFirm);

  SetLines(mNotes, form.mNotes);
  SetLines(mSYSNotes, form.mSYSNotes);

  edNastZap->setText(form.edNastZap);
  edNasAdrApart->setText(form.edNasAdrApart);
  edIskaKupi->setText(form.edIskaKupi);
  edZapOut->setText(form.edZapOut);
  dtNastZap->SetDateTime(form.dtNastZap);
  Choose(cbNastVidApart, form.cbNastVidApart);
  Choose(cbTerm, form.cbTerm);
  SetLines(mZapHistory, form.mZapHistory);
}

LbdCardFields TViewKart::LbdFields() const {
  const MemberPanelValues panel = members->PanelValues();
  LbdCardFields fields;
  fields.memberName = panel.name;
  fields.currentAddress = ebAdress->text();
  fields.currentAddressDate = dtAdress->DateTime();
  fields.notes = mNotes->toPlainText();
  fields.memberNotes = panel.notes;
  fields.memberEgn = panel.egn;
  return fields;
}

void TViewKart::SetLbdFields(const LbdCardFields& fields) {
  members->SetPanelTexts(fields.memberName, fields.memberEgn, fields.memberNotes);
  SetIfChanged(ebAdress, fields.currentAddress);
  if (dtAdress->DateTime() != fields.currentAddressDate) dtAdress->SetDateTime(fields.currentAddressDate);
  if (mNotes->toPlainText() != fields.notes) mNotes->setPlainText(fields.notes);
}
