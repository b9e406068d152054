// The card's and its members' text fields that feed a text column: the column's length, the
// field's caption as the card window shows it, and the check a save makes before it writes.
// The card window takes its controls' length limits from here too, so the two cannot part.
#pragma once

#include <QLatin1StringView>
#include <QString>
#include <span>

#include "card/card_form.h"

struct CardTextField {
  const char* control;  // the card window's control, also the CardForm member it fills
  const char* caption;  // the field as the window names it
  QLatin1StringView column;
  int length;                               // characters the column holds; 0 for a memo
  QString (*stored)(const CardForm& form);  // the text as a save writes it
  // Written only when it holds a text, so an empty field the window never filled keeps the
  // stored value; a text the clerk cleared is written cleared (see FieldCleared).
  bool writtenWhenFilled = false;
};

struct MemberTextField {
  const char* control;  // the member panel's control
  const char* caption;
  QLatin1StringView column;
  int length;
  QString (*stored)(const MemberRow& row);
};

std::span<const CardTextField> CardTextFields();
std::span<const MemberTextField> MemberTextFields();
const CardTextField& CardTextFieldOf(QLatin1StringView column);

// Whether the clerk emptied a field that the window had loaded with a text.
bool FieldCleared(const CardTextField& field, const CardForm& loaded, const CardForm& form);

// Why the card cannot be saved as it stands: the first text, of the card, the placement
// history the save composed, or a member, that is longer than its column or holds a character
// the database cannot store, named as the clerk knows it. Empty when every text fits.
QString CardTextProblem(const CardForm& form, const QString& placementHistory);
