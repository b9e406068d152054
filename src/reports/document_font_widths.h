// How wide a text is in the export documents' font (Times New Roman, which the word processor
// is told to use). The widths come from a table of the face's own advance widths, so that the
// command line and a window measure alike and no font need be installed.
#pragma once

#include <QStringView>

// The width of `text` on one line, in ems (multiply by the font size for points). A character
// the table lacks counts as one em, wider than any letter or digit the table holds.
double DocumentTextWidthEm(QStringView text, bool bold);
