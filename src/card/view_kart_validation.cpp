// The checks a card must pass before it is saved from the card window.
#include "card/view_kart_validation.h"

QString CardValidationMessage(const CardForm& form, const QLocale& locale) {
  QString message;
  if (form.cbGroup.text.isEmpty()) message = QStringLiteral("Моля въведете групата на семейството");
  if (form.cbsubGroup.text.isEmpty()) message = QStringLiteral("Моля въведете подгрупата на семейството");
  if (!ReadCurrency(form.ebIncome, locale)) message = QStringLiteral("Моля, въведете валиден доход");
  if (!ReadCurrency(form.ebIncomeHalfYear, locale))
    message = QStringLiteral("Моля, въведете валиден доход за половин година");
  if (!ReadCurrency(form.ebIncPerPerson, locale))
    message = QStringLiteral("Моля, въведете валиден доход на член от семейството");
  if (form.MembersEmpty) message = QStringLiteral("Моля  въведете членовете на семейството");
  return message;
}
