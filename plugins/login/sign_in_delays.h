// The waiting time after wrong passwords, kept across restarts. Each login name has its count
// of wrong passwords in a row and the moment of the last one, in a small file beside the login
// configuration (owner-only). From the third wrong password on, the next try waits 1, 2, 4, …
// seconds, at most five minutes; a correct password clears the count. Ending the program does
// not shorten the wait.
#pragma once

#include <QMap>
#include <QString>

class SignInDelays {
 public:
  static constexpr int kFailuresBeforeDelay = 2;  // the third wrong password in a row starts it
  static constexpr int kLongestDelaySeconds = 5 * 60;
  static constexpr int kMostLoginsKept = 200;  // made-up names cannot make the file grow for ever

  // `stateFile` is read once here; a missing or unreadable file is no failure yet.
  explicit SignInDelays(QString stateFile);

  // Seconds before `login` may try again, judged by the program's clock; 0 when it may now.
  int SecondsToWait(const QString& login) const;
  // A wrong password for `login`; a correct one. Both write the file at once; a file that cannot
  // be written is reported as a warning and the sign-in goes on as it would.
  void RecordFailure(const QString& login);
  void RecordSuccess(const QString& login);

  // The wait after `failures` wrong passwords in a row.
  static int DelayAfter(int failures);
  // The state file beside the login configuration `configPath`.
  static QString FileBeside(const QString& configPath);

 private:
  struct Entry {
    int failures = 0;
    qint64 lastFailure = 0;  // seconds since the epoch
  };
  void Save() const;

  QString file_;
  QMap<QString, Entry> entries_;
};

// "Твърде много неуспешни опита. Опитайте отново след N секунди."
QString TooManyAttemptsText(int seconds);
