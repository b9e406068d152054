// What the card window shows for a new card: which of the card's values are emptied, set to
// "0" or put at the first item of their list, and which are kept.
#pragma once

#include "card/card_form.h"

// The form of a new card made from the window's current one: dates and members are kept (the
// window has just set the dates to now, the members page empties its grid itself).
CardForm NewCardForm(CardForm form);
