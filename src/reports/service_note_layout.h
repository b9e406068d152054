// The service note's layout: US Letter, 8 pt, the municipality as the header line, the
// fixed text with the blanks in which the household's fields are printed, lines for
// handwriting.
#pragma once

#include <QDate>
#include <QString>

#include "engine/report/report_model.h"

// The eleven lines of the note's fixed text.
QString ServiceNoteText();

report::Report ServiceNoteLayout(const QString& headerLine, const QDate& today);

// The note's report form: the header line is set before every print.
class TSlBelForm {
 public:
  void SetHeaderLine(const QString& text) { headerLine_ = text; }
  const QString& HeaderLine() const { return headerLine_; }
  // The report with the header line and today's date.
  report::Report QRep() const;

 private:
  QString headerLine_;
};
