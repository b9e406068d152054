// Printing the picture of the card window ("Разпечатва екранна снимка на формата"). By default
// it goes to the default printer; tests and machines without a printer install a replacement.
#pragma once

#include <QImage>
#include <functional>

using FormImagePrinter = std::function<void(const QImage&)>;
// Installs the printer of the window's picture; an empty function brings back the default
// printer.
void SetFormImagePrinter(FormImagePrinter printer);
// Prints through the installed printer, or on the default printer.
void PrintFormImage(const QImage& image);

// Fits the picture on one page of the default printer, keeping its proportions. Without a
// usable printer the error display says so.
void PrintImageOnDefaultPrinter(const QImage& image);
