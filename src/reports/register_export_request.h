// What the main window's "Експорт" hands the export dialog for the list the register shows:
// the title and, on the ranking tab, the ranked list as the annual list (its title, and the
// row number as the place in the ranking, offered ticked). Also where the export's saved
// views are kept, for the dialog and the command line alike.
#pragma once

#include <QString>
#include <vector>

#include "reports/export_source.h"

class RegisterTabs;
class TDataModule1;

struct RegisterExportRequest {
  QString title;
  bool rankedList = false;  // the list is on its ranking tab
};

// "Списък на картотеката - " and today's date; on the ranking tab the annual list's title for
// this year and the register's municipality.
RegisterExportRequest RegisterExportRequestFor(const RegisterTabs& tabs, TDataModule1& data);

// The caption of the place column of the ranked list.
inline constexpr const char16_t* kPlaceCaption = u"№";

// On the ranked list the row number is the household's place: its column is captioned "№" and
// offered ticked, like any other column.
void OfferPlaceColumn(std::vector<ExportSourceColumn>& columns);

// The views file of the export in the user's folder.
QString ExportViewsFile();
