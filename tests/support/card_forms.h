// Cards for tests, built as the card window hands them over: a new card of three members and
// a stored card loaded for editing.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <initializer_list>
#include <vector>

#include "card/card_form.h"
#include "core/date_time.h"

class TDataModule1;

MemberRow Member(const QString& type, const QString& name, const QString& egn);
DateTimeValue Day(int y, int m, int d);

// A new card as the window hands it over. The child comes before the wife in the grid, so
// the stored order of the members differs from the order the members page lists them in.
CardForm NewForm(TDataModule1& data, const QString& holder = QStringLiteral("Иван Иванов"));

struct Editing {
  CardForm form;
  RememberedCardState remembered;
};

// The card as the window shows it after loading: card values and the members page's rows.
Editing Load(TDataModule1& data, int cardId);

// Reading and writing the register directly, as the tests check what a save left behind.
struct LogEntry {
  int key;
  QString kind;
  QString text;
};
// The card and member entries of the action history, oldest first.
std::vector<LogEntry> CardLog(TDataModule1& data);
QVariant Scalar(TDataModule1& data, const QString& sql, const QVariant& parameter = QVariant());
// Runs one statement and commits.
void Exec(TDataModule1& data, const QString& sql, std::initializer_list<QVariant> values = {});
QStringList MemberNames(TDataModule1& data, int cardId);

// Two workstations save a new card at the same moment: `other` saves whole in the moment after
// `data` took its number. Checks (with QtTest's macros) that the unique index refuses `data`
// with the server's message and nothing of its save stays, that the other's members are on
// its own card, and that `data` then saves under the next number.
void SaveTwoNewCardsAtOnce(TDataModule1& data, TDataModule1& other);
