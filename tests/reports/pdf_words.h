// The words of a PDF with their boxes, as pdftotext -bbox reads them, to check what a person
// would see on the page: which words, where, and whether any two cover each other.
#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <vector>

struct PdfWord {
  QString text;
  QRectF box;  // points from the page's top-left corner
};

struct PdfPage {
  QSizeF size;  // points
  std::vector<PdfWord> words;
};

// Every page of the PDF; empty when pdftotext cannot read it.
std::vector<PdfPage> PdfPages(const QString& path);

// The page's words in reading order without the blanks between them (a value broken over two
// lines reads whole).
QString WordsWithoutBlanks(const PdfPage& page);

// The first pair of words whose boxes overlap by more than `tolerance` points each way,
// described for a failure message; empty when none do.
QString FirstOverlap(const PdfPage& page, double tolerance = 0.3);
