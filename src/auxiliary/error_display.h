// The one general error display: an error that no operation handled shows its own text
// (for database errors, the server's message). The application object routes every
// exception that reaches the event loop here.
#pragma once

#include <QApplication>
#include <exception>

class QWidget;

// Shows the error's text in a box captioned "Грешка" through the message seam.
void ShowErrorDisplay(QWidget* parent, const std::exception& error);
void ShowErrorDisplay(QWidget* parent, const QString& text);

// The application object: catches what an event handler threw and shows it, so the program
// goes on instead of ending.
class TesaroApplication : public QApplication {
 public:
  TesaroApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};
