// The one general error display: an error that no operation handled shows its own text
// (for database errors, the server's message). The application object (ui/tesaro_application.h)
// routes every exception that reaches the event loop here.
#pragma once

#include <QString>
#include <exception>

class QWidget;

// Shows the error's text in a box captioned "Грешка" through the message seam.
void ShowErrorDisplay(QWidget* parent, const std::exception& error);
void ShowErrorDisplay(QWidget* parent, const QString& text);
