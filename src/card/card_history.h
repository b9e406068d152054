// The change history of saving a card: the texts of a new card, of changes to the card and
// to its members, of removed members, and the placement order's history. The texts are
// composed by pure functions; LogCardChanges writes the card-level ones.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

#include "card/card_form.h"

class TDataModule1;

// A date as the history texts show it ("dd.mm.yyyy"); empty for a value that holds no date.
QString HistoryDateText(DateTimeValue value);

QString CardCreationText(const QString& regNum);

// One text per value that differs from the remembered state, in this order: declaration
// number, declaration date, group, group date, state. List names come from `groupNames` and
// `statusNames` (the lists' items); a position outside its list has the empty name.
QStringList CardChangeTexts(const RememberedCardState& remembered, const CardForm& form,
                            const QStringList& groupNames, const QStringList& statusNames);

// One text per field that the save writes only when it holds a text and that the clerk has
// emptied since the card was loaded: "Изтриване на <field> (<old text>) на картон с номер : <n>".
// The declaration number is left to CardChangeTexts, which already records it.
QStringList ClearedFieldTexts(const CardForm& loaded, const CardForm& form);

// Writes CardChangeTexts and ClearedFieldTexts as "RGS_CARD" entries keyed by the card, inside the current transaction.
void LogCardChanges(TDataModule1& data, int cardId, const RememberedCardState& remembered, const CardForm& form);

// A stored member as read before its row is written; an empty optional is a NULL cell.
struct StoredMember {
  int personId = 0;
  std::optional<QString> name, egn, notes, invDate, telk;  // without trailing blanks
  std::optional<int> personType, socGroup, invProc;
};

// The name the role selector shows for a stored role code; empty outside the selector.
QString RoleSelectorName(int code);

// One line per column whose stored value differs from the grid row; NULL cells are not
// compared. `socGroups` are the social-group list's items.
QStringList MemberChangeLines(const StoredMember& stored, const MemberRow& row, const QStringList& socGroups);
// The "RGS_PERSON" entry of a changed member: its lines and the card number, each ended by CR LF.
QString MemberChangeText(const QStringList& lines, const QString& regNum);
QString MemberAdditionText(const MemberRow& row);
QString MemberDeletionText(const StoredMember& stored, const QString& regNum);

// What the placement order of an existing card had stored.
struct StoredPlacement {
  QString number;              // NAST_ZAP without trailing blanks, empty for NULL
  std::optional<QDate> date;   // NAST_ZAP_DATE
};

// The placement history to store and whether a line was appended to the form's history.
struct PlacementHistory {
  QString text;
  bool appended = false;
};

// A new card stores the history memo as it stands. An existing card whose order number or
// date changed gets the line "Заповед № <old> от <old date>г. е сменена на дата <now> от
// потребител <user>" appended when it had a number; a missing stored date counts as changed
// and shows as an empty date.
PlacementHistory PlacementHistoryText(int mode, const StoredPlacement& stored, const CardForm& form,
                                      const QDateTime& now, const QString& userName);
