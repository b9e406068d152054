// The register the personal-number checks are tried on: the user "clerk" and five cards, one
// holder with a valid number and four without a valid date, each card with a child whose
// number is broken.
#pragma once

class TDataModule1;

// Empties the register of cards, writes the five cards and the user if missing, committed.
void ResetInvalidEgnCards(TDataModule1& data);
