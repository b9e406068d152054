// The values the card print puts into its form: the 29 named texts of a stored card, its
// members and the signed-in user, in the order they are handed to the template engine.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

class TDataModule1;

struct CardPrintValue {
  QString name;
  QString text;
  bool operator==(const CardPrintValue&) const = default;
};

// One stored member as its print line needs it (NULL cells as null values).
struct MemberPrintData {
  int personType = 0;
  QString name;
  QString egn;
  QVariant socGroupText;  // the social group's code-list text ("false" when it has none); null for NULL
  QVariant invProc;
  QVariant invDate;
  QVariant telkNum;
  QVariant notes;
};

// Leading and trailing blanks and control characters removed.
QString TrimPrintText(const QString& text);

// A member's line: role, name and EGN, the social group, the disability decision (lifelong
// when it has no date or a date after 01.01.5000), the notes, ending in ";".
QString MemberPrintLine(const MemberPrintData& member);

// The members' lines of a card, in the order of their keys.
QStringList MemberPrintLines(TDataModule1& data, int cardId);

// "dd.mm.yyyy" followed by "г." for a stored date; empty for NULL.
QString PrintDateText(const QVariant& stored);

// Every named value of the card print, in order. Throws DbError when there is no card
// `cardId`. A code without a code-list name and a missing date print as empty texts.
std::vector<CardPrintValue> CardPrintValues(TDataModule1& data, int cardId, const QString& userName,
                                            const QDate& today);
