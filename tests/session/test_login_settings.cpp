// The user's working folder and the settings file with the last user.
#include <unistd.h>

#include <QtTest>

#include "recording_messages.h"
#include "core/user_directory.h"
#include "session/settings_file.h"

namespace {
// Sets or clears an environment variable for the life of the object.
class EnvValue {
 public:
  EnvValue(const char* name, const std::optional<QString>& value) : name_(name), had_(qEnvironmentVariableIsSet(name)) {
    old_ = qgetenv(name);
    if (value)
      qputenv(name, value->toLocal8Bit());
    else
      qunsetenv(name);
  }
  ~EnvValue() {
    if (had_)
      qputenv(name_, old_);
    else
      qunsetenv(name_);
  }

 private:
  const char* name_;
  bool had_;
  QByteArray old_;
};

QString WithSeparator(const QString& folder) { return folder.endsWith(u'/') ? folder : folder + u'/'; }
}  // namespace

class TestLoginSettings : public QObject {
  Q_OBJECT
 private slots:
  void userDirectory_data() {
    QTest::addColumn<QVariant>("profile");  // null: unset
    QTest::addColumn<QVariant>("home");
    QTest::addColumn<QString>("expected");
    QTest::newRow("USERPROFILE") << QVariant("/srv/профил") << QVariant("/home/u") << "/srv/профил/";
    QTest::newRow("separator not doubled") << QVariant("/srv/p/") << QVariant("/home/u") << "/srv/p/";
    QTest::newRow("HOME without USERPROFILE") << QVariant() << QVariant("/home/u") << "/home/u/";
    QTest::newRow("temporary folder without both") << QVariant() << QVariant() << WithSeparator(QDir::tempPath());
  }
  void userDirectory() {
    QFETCH(QVariant, profile);
    QFETCH(QVariant, home);
    QFETCH(QString, expected);
    const auto value = [](const QVariant& v) {
      return v.isNull() ? std::nullopt : std::optional<QString>(v.toString());
    };
    EnvValue p("USERPROFILE", value(profile));
    EnvValue h("HOME", value(home));
    QCOMPARE(UserDirectory(), expected);
  }

  void writesTheLastUser() {
    QTemporaryDir dir;
    EnvValue profile("USERPROFILE", dir.path());
    RecordingMessages messages;
    QVERIFY(WriteLastUser(QStringLiteral("иван"), nullptr));
    QVERIFY(WriteLastUser(QStringLiteral("мария"), nullptr));  // rewritten at every sign-in
    QVERIFY(messages.shown.empty());
    QCOMPARE(SettingsFilePath(), dir.path() + QStringLiteral("/tesaro.ini"));
    const QSettings file(dir.path() + QStringLiteral("/tesaro.ini"), QSettings::IniFormat);
    QCOMPARE(file.value(QStringLiteral("User/lastuser")).toString(), QStringLiteral("мария"));
    QCOMPARE(file.allKeys(), QStringList{QStringLiteral("User/lastuser")});
  }

  void unwritableFileShowsTheMessageAndGoesOn_data() {
    QTest::addColumn<bool>("underAFile");
    QTest::newRow("folder is a regular file") << true;
    QTest::newRow("read-only folder") << false;
  }
  void unwritableFileShowsTheMessageAndGoesOn() {
    QFETCH(bool, underAFile);
    if (!underAFile && geteuid() == 0) QSKIP("root writes into a read-only folder all the same");
    QTemporaryDir dir;
    QString folder = dir.filePath(QStringLiteral("locked"));
    if (underAFile) {
      QFile file(folder);
      QVERIFY(file.open(QIODevice::WriteOnly));
    } else {
      QVERIFY(QDir().mkdir(folder));
      QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    }
    EnvValue profile("USERPROFILE", folder);
    RecordingMessages messages;
    QVERIFY(!WriteLastUser(QStringLiteral("иван"), nullptr));
    QCOMPARE(messages.Texts(), QStringList{QStringLiteral("Файлът с настройки '") + folder +
                                           QStringLiteral("/tesaro.ini' не може да бъде отворен или редактиран!")});
    QCOMPARE(messages.shown[0].buttons, MessageButtons::Ok);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  }
};

QTEST_MAIN(TestLoginSettings)
#include "test_login_settings.moc"
