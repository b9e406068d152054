// What another workstation may change under a card that is open in the editor: the card's
// stored cells (without the figures the classification recomputes) and its members' rows.
// Saving over a card compares the stamp taken when it was loaded with the stored one, so
// one clerk's save never silently undoes another's change.
#pragma once

#include <QVariantList>

class TDataModule1;

QVariantList ReadCardStamp(TDataModule1& data, int cardId);

// The refusal a save gives when the card changed since it was loaded.
extern const char* const kCardChangedElsewhere;
