// The application object: catches what an event handler threw and shows it through the one
// error display, so the program goes on instead of ending; it also puts the real desktop
// (message boxes, opening files) behind the seams, and makes the program Bulgarian: its locale,
// and Qt's own dialogs (Save As, Print, OK/Cancel, the colour and font pickers) through Qt's
// Bulgarian translations.
#pragma once

#include <QApplication>

class TesaroApplication : public QApplication {
 public:
  TesaroApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

// The locale Bulgarian (Bulgaria) and Qt's Bulgarian translations installed; false when Qt's
// translations are not installed (the dialogs then stay in English).
bool UseBulgarian(QApplication& app);
