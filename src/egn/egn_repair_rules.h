// Correcting a holder's personal number from the invalid-EGN view, without the window: the
// checks of the typed number and reading and writing the person's row by its PERSON_ID.
#pragma once

#include <QString>
#include <optional>

class TDataModule1;

enum class CorrectedEgnCheck {
  NotTenDigits,  // refused: "ЕГН-то не е 10 цифри!"
  NoValidDate,   // saved only when the clerk confirms
  Valid,
};

CorrectedEgnCheck CheckCorrectedEgn(const QString& text);

// The person's EGN as stored (without the column's padding); nothing when the row is gone.
std::optional<QString> LoadPersonEgn(TDataModule1& data, int personId);
// Writes the EGN into exactly that person's row and commits keeping the transaction, so the
// register list stays open where it was. False (nothing written) when the row is gone.
bool SavePersonEgn(TDataModule1& data, int personId, const QString& egn);
