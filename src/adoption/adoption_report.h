// The report of taking over an older register: what was found, what was made and what a clerk
// should look at, as text for the terminal and as a PDF document.
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include "adoption/data_check.h"

struct AdoptionReport {
  QString source;
  QString target;
  QDateTime finished;
  QStringList schemaChanges;         // what the bring-up made
  QStringList schemaNotes;           // differences left as they are
  QStringList generatorsMoved;
  QList<qint64> memberCountsFixed;   // registration numbers of cards whose member count was wrong
  QList<int> codeRowsAdded;          // NOM rows added with the starting lists
  DataCheck data;
  QStringList euro;                  // what became of the amounts in leva
};

QString AdoptionReportText(const AdoptionReport& report);

// Writes the report as a PDF document, whole or not at all (FileWriteError).
void WriteAdoptionReportPdf(const AdoptionReport& report, const QString& path);
