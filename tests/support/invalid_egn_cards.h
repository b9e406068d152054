// The register the personal-number checks are tried on: five cards, one holder with a valid
// number and four without a valid date, each card with a child whose number is broken.
#pragma once

class TDataModule1;

// Empties the register and writes the five cards, committed.
void ResetInvalidEgnCards(TDataModule1& data);
