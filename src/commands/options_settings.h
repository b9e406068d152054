// The program's settings kept in the nomenclature table: the municipality printed in document
// titles, the office that issues the service note, the note's paper and the minimum years of
// address registration (their cells: nom_settings in data/nom_table.h). Loaded into and saved
// from the values of the settings window.
#pragma once

#include <QString>

#include "data/nom_table.h"
#include "data/register_settings.h"

class QWidget;
class TDataModule1;

struct OptionsValues {
  QString municipality;  // edSob
  QString minimumYears;  // DateNum, as typed
  QString office;        // edOffice; empty: the default made from the municipality
  NotePaper paper = NotePaper::A4;  // cbPaper
};

// The stored settings as texts; a missing row or NULL gives empty text (and A4), and a
// database error while loading is ignored (the texts stay empty).
OptionsValues LoadOptions(TDataModule1& data);

inline constexpr int kMostRegistrationYears = 99;

// Why the values cannot be stored, naming the field (and the character it cannot hold); empty
// when they can. Years may be left empty (stored as 10) but not typed unreadably.
QString OptionsProblem(const OptionsValues& values);

// Refuses values with an OptionsProblem, showing it under the caption "Настройки" and storing
// nothing. Otherwise stores the municipality and the office (empty text as NULL), the paper
// ("A4" or "Letter") and the years (10 when left empty). A missing row 0 to 3 is created, since
// the settings window is the only place these settings live. Nothing is committed: the values become durable with the transaction's next
// commit. On a database error shows "Грешно въведени данни", stops and returns false.
bool SaveOptions(TDataModule1& data, const OptionsValues& values, QWidget* parent = nullptr);

// The years as stored: the text read as a whole number, or 10 when it is not one.
int MinimumYearsOf(const QString& text);
