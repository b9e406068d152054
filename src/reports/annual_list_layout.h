// The annual list's layout: A4 portrait, page header with the page number, the title, the
// column header, a header for each year of inclusion, one line per ranked household and the
// closing count with the lines for the approving official's signature.
#pragma once

#include <QString>

#include "engine/report/report_model.h"

// The fonts of the printed documents: Arial where it is installed, else DejaVu Sans
// Condensed, whose widths come closest to Arial's so the fixed positions still line up.
QStringList PrintedDocumentFonts();
// The documents' positions and blanks were measured for Arial. Without Arial the fonts are a
// little wider, so the documents are drawn 96 % wide and every text stays in its place.
int PrintedDocumentStretch();

// "Eдинен годишен списък за <year> г. на ... - <municipality>" (its first letter is Latin).
QString AnnualListTitle(int year, const QString& municipality);

report::Report AnnualListLayout(const QString& title);
