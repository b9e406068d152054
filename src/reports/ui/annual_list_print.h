// The main window's "Списък" command: the annual list of the ranking view previewed under its
// title and, once printed, the offer to store the ranking places.
#pragma once

#include <QString>

class QWidget;
class RegisterTabs;
class TDataModule1;
class TPrintForm1;

// The main window's tbKlasListClick. Does nothing unless the list shows the "Класиране" tab.
// Sets the title from this year and the municipality, clears the printed mark, previews the
// ranked list; after a preview from which the report was printed, asks whether to store the
// places and stores them on Yes.
void PrintAnnualList(TDataModule1& data, RegisterTabs& tabs, TPrintForm1& form, QWidget* parent);
