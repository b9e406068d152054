// The service note's layout: the municipality as the letterhead, the title, the sentences that
// certify the household's registration with its values in place (the whole name and address,
// however long), a line for whom the note is for, the date and the signature line. On A4 or US
// Letter, as the register's setting says.
#pragma once

#include <QDate>
#include <QString>

#include "data/register_settings.h"
#include "engine/report/report_model.h"

class ListQuery;

// The household's values the note certifies.
struct ServiceNoteValues {
  QString name;     // the holder
  QString address;
  int regNum = 0;
  QDate groupDate;  // GRUPA_DATE; invalid when none is stored
  int group = 0;    // GROUP1, the group as numbered for people (its list position + 1)
};

struct ServiceNoteSettings {
  QString municipality;  // the letterhead
  QString office;        // who issues the note
  NotePaper paper = NotePaper::A4;
};

// The values of a row of the register list.
ServiceNoteValues ServiceNoteValuesOf(const ListQuery& list, int row);

// The register's settings for the note: the municipality, IssuingOffice and StoredNotePaper.
ServiceNoteSettings ServiceNoteSettingsOf(TDataModule1& data);

// The note as a one-page report; it prints over no rows (its texts hold the values).
report::Report ServiceNoteLayout(const ServiceNoteSettings& settings, const ServiceNoteValues& values,
                                 const QDate& today);

QPageSize NotePageSize(NotePaper paper);

// The note's report form: the settings are set before every print.
class TSlBelForm {
 public:
  void SetSettings(const ServiceNoteSettings& settings) { settings_ = settings; }
  // The report for the household, dated today.
  report::Report QRep(const ServiceNoteValues& values) const;

 private:
  ServiceNoteSettings settings_;
};
