// Cards for tests, built as the card window hands them over: a new card of three members and
// a stored card loaded for editing.
#pragma once

#include <QString>

#include "card/card_form.h"
#include "egn/date_time.h"

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
