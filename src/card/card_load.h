// Loading a stored card into the card form: every card value from its RGS_CARD row, with the
// code-list texts of the drop-down lists and the memos as lines. Members are loaded apart.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

#include "card/card_form.h"

class TDataModule1;

// The items a drop-down list shows for code list `column`: the names of codes 0 to 9 that
// exist, in code order, without their trailing blanks. A stored code is a position in it.
QStringList CodeListItems(TDataModule1& data, const QString& column);

// A memo's stored text as lines and back. Every line is followed by CR LF when stored, so a
// line appended to a stored text always starts on a line of its own.
QStringList MemoLines(const QString& text);
QString MemoText(const QStringList& lines);

// The date-time value of a stored DATE cell (date or timestamp); 0 for NULL.
DateTimeValue StoredDateValue(const QVariant& cell);
// The date a date field's value is stored as; none for the field's empty value, which lies
// before the first day a DATE column can hold. 0 and 0.0001 are 30.12.1899 like any value.
std::optional<QDate> StorableDate(DateTimeValue value);

// Fills every card value of `form` from the card `cardId` and returns the values the change
// history compares against. Throws DbError when there is no such card, or when GRUPA, GROUP2,
// STATUS or HARD_LIFE is NULL (every save writes them, so the row was not written here).
RememberedCardState LoadCardForm(TDataModule1& data, int cardId, CardForm& form);
