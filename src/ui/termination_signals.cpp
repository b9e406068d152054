#include "ui/termination_signals.h"

#include <QApplication>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QWidget>
#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {
sigset_t TerminationSignals() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGHUP);
  return set;
}

bool& TerminationRequestedFlag() {
  static bool requested = false;
  return requested;
}
}  // namespace

void BlockTerminationSignals() {
  const sigset_t set = TerminationSignals();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

void QuitOnTerminationSignals() {
  static int descriptor = -1;
  if (descriptor >= 0) return;
  const sigset_t set = TerminationSignals();
  descriptor = signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
  if (descriptor < 0) return;
  auto* notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, [] {
    signalfd_siginfo info;
    while (::read(descriptor, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
    }
    TerminationRequestedFlag() = true;
    // quit() ends only the main event loop, and only once it runs; before that (the sign-in
    // window, a message at start) the open modal windows are closed so main() can return.
    QCoreApplication::quit();
    for (QWidget* window : QApplication::topLevelWidgets())
      if (window->isModal() && window->isVisible()) window->close();
  });
}

bool TerminationRequested() { return TerminationRequestedFlag(); }
