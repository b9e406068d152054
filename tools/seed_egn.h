// Personal numbers for the synthetic register: a valid EGN for a birth date and sex, and
// deliberately broken ones for the invalid-EGN view.
#pragma once

#include <QDate>
#include <QString>

class SeedRandom;

// The check digit of the first nine digits.
int EgnCheckDigit(const QString& firstNine);

// A valid EGN for a birth date between 1800 and 2099: the month carries the century
// (+20 for the 1800s, +40 for the 2000s), the ninth digit is even for men and odd for women.
QString MakeEgn(const QDate& birth, bool male, SeedRandom& random);

// A ten-digit number that encodes no usable birth date: either a wrong check digit or a
// right check digit over a day that does not exist.
QString MakeBrokenEgn(const QDate& birth, bool male, SeedRandom& random);
