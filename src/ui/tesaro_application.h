// The application object: catches what an event handler threw and shows it through the one
// error display, so the program goes on instead of ending; it also puts the real desktop
// (message boxes, opening files) behind the seams.
#pragma once

#include <QApplication>

class TesaroApplication : public QApplication {
 public:
  TesaroApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};
