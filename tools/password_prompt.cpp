// Reading passwords from the terminal without echo, or from standard input.
#include "password_prompt.h"

#include <termios.h>
#include <unistd.h>

namespace {
// Turns the terminal's echo off while a password is typed.
class NoEcho {
 public:
  NoEcho() {
    if (tcgetattr(STDIN_FILENO, &saved_) != 0) return;
    termios quiet = saved_;
    quiet.c_lflag &= ~tcflag_t(ECHO);
    active_ = tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet) == 0;
  }
  ~NoEcho() {
    if (active_) tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved_);
  }
  NoEcho(const NoEcho&) = delete;
  NoEcho& operator=(const NoEcho&) = delete;

 private:
  termios saved_{};
  bool active_ = false;
};

}  // namespace

QString AskHidden(QTextStream& in, QTextStream& out, const QString& prompt, bool* ended) {
  out << prompt << Qt::flush;
  QString line;
  {
    NoEcho quiet;
    line = in.readLine();
  }
  out << '\n' << Qt::flush;
  *ended = line.isNull();
  return line;
}

// The new password: one line of `in` with --password-stdin, else typed twice on the terminal.
std::optional<QString> ReadNewPassword(QTextStream& in, QTextStream& out, QTextStream& err, bool fromStdin,
                                       bool stdinIsTerminal) {
  if (fromStdin) {
    QString line = in.readLine();
    if (line.isNull()) {
      err << "Не е подадена парола на стандартния вход.\n";
      return std::nullopt;
    }
    if (line.endsWith(u'\r')) line.chop(1);
    return line;
  }
  if (!stdinIsTerminal) {
    err << "Паролата се въвежда от терминал или с --password-stdin.\n";
    return std::nullopt;
  }
  bool ended = false;
  const QString first = AskHidden(in, out, QStringLiteral("Парола: "), &ended);
  if (ended) return std::nullopt;
  const QString second = AskHidden(in, out, QStringLiteral("Повторете паролата: "), &ended);
  if (ended) return std::nullopt;
  if (first != second) {
    err << "Паролите не съвпадат.\n";
    return std::nullopt;
  }
  return first;
}

