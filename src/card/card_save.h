// Saving a card: the card into RGS_CARD, the members grid into RGS_PERSON, the change
// history and the card's classification, in one transaction that is undone on any error.
#pragma once

#include <QString>
#include <functional>

#include "card/card_form.h"

class QWidget;
class TDataModule1;

struct SaveOutcome {
  bool saved = false;
  int cardId = 0;        // the card saved (the new key for a new card)
  QString regNum;        // its registration number
  RememberedCardState remembered;  // the values the next save compares against
};

// Saves `form` as a new card (mode 0) or over card `cardId` (mode 1) and shows the outcome
// through the message seam. On success `form` gets the registration number and the placement
// history as stored; on failure it is left as it was and nothing of this save stays in the
// database. Mode 1 without `canEdit` does nothing and shows nothing. The register list is
// open again afterwards, on the saved card when it lists it.
SaveOutcome SaveCard(TDataModule1& data, CardForm& form, int mode, bool canEdit, int cardId,
                     const RememberedCardState& remembered, QWidget* parent);

// A test hook, not a dialog: runs after a new card's number was taken and before the card is
// written, so that a test can put another workstation's save into that moment. Nothing is
// installed outside tests; an empty function removes the one installed.
using NewCardNumberHook = std::function<void()>;
void SetNewCardNumberHook(NewCardNumberHook hook);
