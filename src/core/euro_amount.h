// Amounts of money in the register: leva until the euro came, euro since (fixed rate).
#pragma once

#include <optional>

// How many leva make one euro, fixed by law.
inline constexpr double kLevaPerEuro = 1.95583;

// The largest amount, in leva or euro, that a conversion accepts: incomes are far below it,
// and beyond it a stored double no longer holds whole cents.
inline constexpr double kLargestConvertibleAmount = 1e13;

// The euro figure of an amount in leva: the amount as it is written in decimal (the shortest
// text that reads back as the stored value) divided by 1.95583 exactly and rounded half away
// from zero to the cent, so 100 gives 51.13, 1.95583 gives 1.00 and 0.01 gives 0.01. Empty
// for an amount that is not finite or larger than kLargestConvertibleAmount.
std::optional<double> LevaToEuro(double leva);
