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

// "Единен годишен списък за <year> г. на ... - <municipality>".
QString AnnualListTitle(int year, const QString& municipality);

report::Report AnnualListLayout(const QString& title);

// The parts the annual list shares with its public version: A4 with 10 mm margins in the
// documents' fonts, the page header "стр. N", the centred title, the header of each year of
// inclusion and the closing count "Списъкът съдържа общо N семейства/домакинства".
report::Report AnnualListPage(const QString& documentName);
report::Band AnnualListPageHeader();
report::Band AnnualListTitleBand(const QString& title);
report::Band AnnualListYearBand();
report::Item AnnualListCount();
// "Списъкът съдържа общо %1 семейства/домакинства", "%1" standing for the count.
QString AnnualListCountPattern();
