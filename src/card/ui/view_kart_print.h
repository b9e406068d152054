// Printing the picture of a window on the default printer, the default of the card window's
// printer seam.
#pragma once

#include <QImage>

// Fits the picture on one page of the default printer, keeping its proportions. Without a
// usable printer the error display says so.
void PrintImageOnDefaultPrinter(const QImage& image);
