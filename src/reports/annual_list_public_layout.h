// The public version of the annual list, for the notice board and the web site: the same
// title, year headers and count as the signed list, but each household only by its place, the
// registration number of its card, the holder's initials and its group. The application's
// number is left out: it is the number of a letter in the municipality's correspondence,
// which leads to the applicant's documents, while the registration number is all an applicant
// needs to find the household's place. Particulars are left out: they speak of health and
// hardship. Laid out over PublicListRows.
#pragma once

#include <QString>

#include "engine/report/report_model.h"

// The annual list's title and under it, as a paragraph of its own, PublicAnnualListNote.
QString PublicAnnualListTitle(int year, const QString& municipality);
// The line under the title saying what the public version shows.
QString PublicAnnualListNote();

report::Report PublicAnnualListLayout(const QString& title);
