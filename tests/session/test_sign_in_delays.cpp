// The wait after wrong passwords: it grows with each wrong password in a row from the third on,
// at most five minutes, outlives the program (a fresh SignInAttempts is a restart), belongs to
// one login name, ends with a correct password, and while it lasts the password is not
// checked at all. The clock is fixed, so nothing here really waits.
#include <sys/stat.h>

#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include "core/clock.h"
#include "data/firebird/db_error.h"
#include "login_dialog.h"
#include "password_hash.h"
#include "sign_in_attempts.h"

namespace {
const QString kLogin = QStringLiteral("иван");
const QString kPassword = QStringLiteral("вярна-парола1");
const QDateTime kStart(QDate(2026, 3, 2), QTime(9, 0));

int Mode(const QString& path) {
  struct stat status {};
  if (::stat(QFile::encodeName(path).constData(), &status) != 0) return -1;
  return int(status.st_mode & 07777);
}
}  // namespace

class TestSignInDelays : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  LoginConfig config_;
  QString delays_;
  QDateTime now_;

  // A restart: a new run of the sign-in, which knows only the file.
  SignInAttempts Restart() const { return SignInAttempts(config_, delays_); }
  void Wait(int seconds) { now_ = now_.addSecs(seconds); }

 private slots:
  void initTestCase() {
    config_.users << LoginUser{kLogin, QStringLiteral("Иван Петров"), QStringLiteral("USER2"), HashPassword(kPassword)};
    Clock::SetNowSource([this] { return now_; });
  }
  void cleanupTestCase() { Clock::SetNowSource({}); }
  void init() {
    delays_ = SignInDelays::FileBeside(dir_.filePath(QStringLiteral("%1/login.ini").arg(QTest::currentTestFunction())));
    QVERIFY(QDir().mkpath(QFileInfo(delays_).absolutePath()));
    now_ = kStart;
  }

  void theDelayGrowsToFiveMinutes() {
    const QList<int> expected{0, 0, 1, 2, 4, 8, 16, 32, 64, 128, 256, 300, 300};
    for (int failures = 1; failures <= expected.size(); ++failures)
      QCOMPARE(SignInDelays::DelayAfter(failures), expected[failures - 1]);
    QCOMPARE(SignInDelays::DelayAfter(0), 0);
    QCOMPARE(SignInDelays::DelayAfter(1000), 300);
  }

  void theWaitOutlivesARestartAndEndsWithTheRightPassword() {
    {
      SignInAttempts first = Restart();
      QCOMPARE(first.Try(kLogin, QStringLiteral("грешна")), SignInAttempts::Outcome::Refused);
      QCOMPARE(first.SecondsToWait(kLogin), 0);
      QCOMPARE(first.Try(kLogin, QStringLiteral("грешна")), SignInAttempts::Outcome::Refused);
      QCOMPARE(first.Try(kLogin, QStringLiteral("грешна")), SignInAttempts::Outcome::Exhausted);
      QCOMPARE(first.SecondsToWait(kLogin), 1);
    }
    QCOMPARE(Mode(delays_), 0600);

    // Each restart meets the wait the last wrong password left, and each wrong password after
    // it doubles the next one.
    int expected = 1;
    for (int restart = 0; restart < 4; ++restart) {
      SignInAttempts attempts = Restart();
      QCOMPARE(attempts.SecondsToWait(kLogin), expected);
      // While it waits, even the right password is not looked at, and no try is used up.
      QCOMPARE(attempts.Try(kLogin, kPassword), SignInAttempts::Outcome::Waiting);
      QVERIFY(!attempts.AcceptedUser());
      QCOMPARE(attempts.Remaining(), SignInAttempts::kAllowed);
      Wait(expected - 1);
      QCOMPARE(attempts.Try(kLogin, QStringLiteral("грешна")), SignInAttempts::Outcome::Waiting);
      Wait(1);
      QCOMPARE(attempts.Try(kLogin, QStringLiteral("грешна")), SignInAttempts::Outcome::Refused);
      expected *= 2;
      QCOMPARE(attempts.SecondsToWait(kLogin), expected);
    }

    // Another login name has its own count.
    QCOMPARE(Restart().SecondsToWait(QStringLiteral("мария")), 0);

    Wait(expected);
    SignInAttempts right = Restart();
    QCOMPARE(right.Try(kLogin, kPassword), SignInAttempts::Outcome::Accepted);
    QCOMPARE(right.AcceptedUser()->login, kLogin);
    // The count starts again: two wrong passwords wait for nothing.
    SignInAttempts after = Restart();
    QCOMPARE(after.Try(kLogin, QStringLiteral("грешна")), SignInAttempts::Outcome::Refused);
    QCOMPARE(after.Try(kLogin, QStringLiteral("грешна")), SignInAttempts::Outcome::Refused);
    QCOMPARE(Restart().SecondsToWait(kLogin), 0);
  }

  // The clock put back (by hand or by a wrong time zone) never makes the wait longer than one
  // whole delay; a damaged file counts as no wrong password, and an unknown name waits too.
  void aClockPutBackAndADamagedFile() {
    SignInDelays delays(delays_);
    for (int i = 0; i < 6; ++i) delays.RecordFailure(QStringLiteral("никой"));
    QCOMPARE(SignInDelays(delays_).SecondsToWait(QStringLiteral("никой")), 8);
    now_ = kStart.addDays(-30);
    QCOMPARE(SignInDelays(delays_).SecondsToWait(QStringLiteral("никой")), 8);

    QFile file(delays_);
    QVERIFY(file.open(QIODevice::Append));
    file.write("не е ред\nzz 5\n" + kLogin.toUtf8().toHex() + " много 1\n");
    file.close();
    const SignInDelays damaged(delays_);
    QCOMPARE(damaged.SecondsToWait(kLogin), 0);
    QCOMPARE(damaged.SecondsToWait(QStringLiteral("никой")), 8);
  }

  // Made-up names cannot grow the file without end; the oldest are let go first.
  void theFileKeepsTheNewestNames() {
    SignInDelays delays(delays_);
    const auto name = [](int i) { return QStringLiteral("име%1").arg(i); };
    for (int i = 0; i < SignInDelays::kMostLoginsKept + 20; ++i) {
      Wait(1);
      delays.RecordFailure(name(i));
    }
    QFile file(delays_);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QCOMPARE(text.count('\n'), SignInDelays::kMostLoginsKept);
    QVERIFY(!text.contains(name(19).toUtf8().toHex() + ' '));
    QVERIFY(text.contains(name(20).toUtf8().toHex() + ' '));
    QVERIFY(text.contains(name(SignInDelays::kMostLoginsKept + 19).toUtf8().toHex() + ' '));
  }

  void theDialogSaysHowLongToWait() {
    for (int i = 0; i < 4; ++i) SignInDelays(delays_).RecordFailure(kLogin);
    LoginDialog dialog(config_, delays_, QStringLiteral("Tesaro"));
    dialog.LoginEdit()->setText(kLogin);
    dialog.PasswordEdit()->setText(kPassword);
    dialog.TrySignIn();
    QCOMPARE(dialog.ErrorText(), QStringLiteral("Твърде много неуспешни опита. Опитайте отново след 2 секунди."));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.AcceptedUser());

    // A wrong password once the wait is over says both what is left and the next wait.
    Wait(2);
    dialog.PasswordEdit()->setText(QStringLiteral("грешна"));
    dialog.TrySignIn();
    QCOMPARE(dialog.ErrorText(), QStringLiteral("Грешно потребителско име или парола. Остават още 2 опита.\n"
                                                "Твърде много неуспешни опита. Опитайте отново след 4 секунди."));
    Wait(3);
    dialog.PasswordEdit()->setText(kPassword);
    dialog.TrySignIn();
    QCOMPARE(dialog.ErrorText(), QStringLiteral("Твърде много неуспешни опита. Опитайте отново след 1 секунда."));
    Wait(1);
    dialog.PasswordEdit()->setText(kPassword);
    dialog.TrySignIn();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }

  // A register on a server that does not answer: the dialog says so in the server's words,
  // stays open with the password typed, and neither a try nor a wrong password is counted.
  void aServerOutOfReachIsNoWrongPassword() {
    LoginConfig server = config_;
    server.databases.insert(QStringLiteral("ZIRE"), {QStringLiteral("127.0.0.1/1:/няма/регистър.fdb"), {}, {}});
    LoginDialog dialog(server, delays_, QStringLiteral("Tesaro"));
    dialog.LoginEdit()->setText(QStringLiteral("ivan"));
    dialog.PasswordEdit()->setText(QStringLiteral("Parola-1"));
    for (int i = 0; i < SignInAttempts::kAllowed; ++i) dialog.TrySignIn();
    QVERIFY(!dialog.ErrorText().isEmpty());
    QVERIFY2(dialog.ErrorText().startsWith(QString::fromUtf8(kServerUnreachableText)), qPrintable(dialog.ErrorText()));
    QCOMPARE(dialog.PasswordEdit()->text(), QStringLiteral("Parola-1"));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.AcceptedUser());
    QCOMPARE(SignInDelays(delays_).SecondsToWait(QStringLiteral("ivan")), 0);
    QVERIFY(!QFileInfo::exists(delays_));
  }
};

QTEST_MAIN(TestSignInDelays)
#include "test_sign_in_delays.moc"
