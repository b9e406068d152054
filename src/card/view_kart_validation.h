// The checks a card must pass before it is saved from the card window, without widgets:
// the group, the subgroup, the three incomes and the household.
#pragma once

#include <QLocale>
#include <QString>
#include <optional>

#include "card/card_form.h"
#include "card/money_text.h"

// The message for the card, or an empty text when it may be saved. Every failing check
// replaces the message of the checks before it, so the last failing one is what the user sees.
QString CardValidationMessage(const CardForm& form, const QLocale& locale = QLocale());
