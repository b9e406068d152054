// What the card window shows for a new card.
#include "card/view_kart_new_card.h"

CardForm NewCardForm(CardForm form) {
  form.ebRegNum.clear();
  for (QString* text : {&form.ebAdress, &form.pr, &form.dek_id, &form.doctxt, &form.ebCheck, &form.ebLCond,
                        &form.ebDeals, &form.ebAssets, &form.ebGot, &form.edHasFirm, &form.edReasonComment,
                        &form.edNastZap, &form.edNasAdrApart, &form.edIskaKupi, &form.edZapOut, &form.edYear,
                        &form.edPoints, &form.edPointsDescr})
    text->clear();
  for (QStringList* memo : {&form.mNotes, &form.mSYSNotes, &form.mZapHistory}) memo->clear();
  for (QString* number : {&form.edYearsNoDeclr, &form.ebIncome, &form.ebIncomeHalfYear, &form.ebIncPerPerson})
    *number = QStringLiteral("0");
  // The window turns position 0 into "nothing selected" when a list is empty.
  for (ListChoice* list : {&form.cbGroup, &form.cbsubGroup, &form.cbKart, &form.cbLReason, &form.cbLData,
                           &form.cbStatus, &form.cbNastVidApart, &form.cbTerm})
    *list = ListChoice{0, QString()};
  form.HardLife = false;
  form.CheckBoxAloneParent = false;
  return form;
}
