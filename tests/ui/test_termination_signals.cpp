// A termination signal that arrives while a modal window is open before the main event loop
// runs (the sign-in window, a message at start) closes the window, so the program can end
// instead of waiting for a click that never comes.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <unistd.h>

#include "ui/termination_signals.h"

int main(int argc, char** argv) {
  BlockTerminationSignals();
  QApplication app(argc, argv);
  QuitOnTerminationSignals();
  QTimer::singleShot(100, [] { ::kill(::getpid(), SIGTERM); });
  // If the signal did not close the box, end the test as a failure instead of hanging.
  QTimer::singleShot(10000, [] {
    std::fprintf(stderr, "FAIL: the modal window stayed open after SIGTERM\n");
    std::_Exit(1);
  });
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Грешка"), QStringLiteral("Съобщение при стартиране"),
                  QMessageBox::Ok);
  box.exec();
  if (!TerminationRequested()) {
    std::fprintf(stderr, "FAIL: the signal was not recorded\n");
    return 1;
  }
  std::printf("PASS: the modal window closed on SIGTERM\n");
  return 0;
}
