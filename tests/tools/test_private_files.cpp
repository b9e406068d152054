// Files that hold personal data are their owner's only, whatever the umask allows: the register
// made by init-db, a backup and a restored register, the population store, the settings file
// and the sign-in delays; a file that is there already keeps its mode. A login file that others
// may read or change is refused with the command that closes it, by the login library and by
// tesaro-admin alike. The engine's lock folder is one of the user's own.
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

#include "admin_exit.h"
#include "admin_process.h"
#include "data/firebird/lock_folder.h"
#include "login_config.h"
#include "population_store.h"
#include "session/settings_file.h"
#include "sign_in_delays.h"
#include "temp_register.h"

namespace {
// A lock folder given by whoever runs the tests is theirs to choose.
const bool kLockFolderGiven = qEnvironmentVariableIsSet("FIREBIRD_LOCK");

int Mode(const QString& path) {
  struct stat status {};
  if (::stat(QFile::encodeName(path).constData(), &status) != 0) return -1;
  return int(status.st_mode & 07777);
}

void SetMode(const QString& path, int mode) { QVERIFY(::chmod(QFile::encodeName(path).constData(), mode_t(mode)) == 0); }

void Put(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

// A writer under test: writes its file in `folder` and gives its path, or fails the test.
using Writer = std::function<QString(const QString& folder)>;

struct NamedWriter {
  const char* name;
  bool keepsMode;  // writes over a file that is there and keeps its mode (the others refuse one
                   // or, as the sign-in delays do, make it the owner's only again)
  Writer write;
};

QString Admin(const QStringList& args) {
  const AdminRun run = RunAdmin(args);
  return run.exitCode == kExitOk ? QString() : run.err;
}
}  // namespace

class TestPrivateFiles : public QObject {
  Q_OBJECT

  std::unique_ptr<TempRegister> register_;
  QTemporaryDir backups_;
  QString backup_;

  std::vector<NamedWriter> Writers() {
    return {
        {"init-db register", false,
         [](const QString& folder) {
           const QString path = folder + QStringLiteral("/регистър.fdb");
           const QString err = Admin({QStringLiteral("init-db"), path, QStringLiteral("--municipality"),
                                      QStringLiteral("Община Тетевен")});
           return err.isEmpty() ? path : QStringLiteral("FAILED: ") + err;
         }},
        {"backup", true,
         [this](const QString& folder) {
           const QString path = folder + QStringLiteral("/архив.fbk");
           const QString err = Admin({QStringLiteral("backup"), register_->Params().path, path});
           return err.isEmpty() ? path : QStringLiteral("FAILED: ") + err;
         }},
        {"restored register", false,
         [this](const QString& folder) {
           const QString path = folder + QStringLiteral("/възстановен.fdb");
           const QString err = Admin({QStringLiteral("restore"), backup_, path});
           return err.isEmpty() ? path : QStringLiteral("FAILED: ") + err;
         }},
        {"population store", true,
         [](const QString& folder) {
           const QString path = folder + QStringLiteral("/population.sqlite");
           PopulationWriter writer(QFile::encodeName(path).toStdString());
           PopulationRecord person;
           person.egn = "7501020018";
           writer.Write(person);
           writer.Commit();
           return path;
         }},
        {"settings file", true,
         [](const QString& folder) {
           qputenv("USERPROFILE", QFile::encodeName(folder));
           const bool written = WriteLastUser(QStringLiteral("иван"), nullptr);
           return written ? folder + QStringLiteral("/tesaro.ini") : QStringLiteral("FAILED");
         }},
        {"sign-in delays", false,
         [](const QString& folder) {
           const QString path = SignInDelays::FileBeside(folder + QStringLiteral("/login.ini"));
           SignInDelays(path).RecordFailure(QStringLiteral("иван"));
           return path;
         }},
    };
  }

 private slots:
  void initTestCase() {
    ::umask(022);  // what most desktops give: without care every file would be world-readable
    register_ = std::make_unique<TempRegister>(QStringLiteral("Община Смолян"));
    register_->Data().Disconnect();
    backup_ = backups_.filePath(QStringLiteral("register.fbk"));
    QCOMPARE(Admin({QStringLiteral("backup"), register_->Params().path, backup_}), QString());
  }

  void newFilesAreTheOwnersOnly_data() {
    QTest::addColumn<int>("writer");
    const std::vector<NamedWriter> writers = Writers();
    for (int i = 0; i < int(writers.size()); ++i) QTest::newRow(writers[i].name) << i;
  }
  void newFilesAreTheOwnersOnly() {
    QFETCH(int, writer);
    QTemporaryDir dir;
    const QString path = Writers().at(writer).write(dir.path());
    QVERIFY2(!path.startsWith(QLatin1String("FAILED")), qPrintable(path));
    QCOMPARE(Mode(path), 0600);
  }

  // A file that is there keeps what its owner allowed: narrower stays narrow, a group's share
  // stays shared.
  void aReplacedFileKeepsItsMode_data() {
    QTest::addColumn<int>("writer");
    QTest::addColumn<int>("mode");
    const std::vector<NamedWriter> writers = Writers();
    for (int i = 0; i < int(writers.size()); ++i) {
      if (!writers[i].keepsMode) continue;
      QTest::addRow("%s, 0600", writers[i].name) << i << 0600;
      QTest::addRow("%s, 0640", writers[i].name) << i << 0640;
    }
  }
  void aReplacedFileKeepsItsMode() {
    QFETCH(int, writer);
    QFETCH(int, mode);
    QTemporaryDir dir;
    // Written once to learn the name, then given the mode and written again.
    const QString path = Writers().at(writer).write(dir.path());
    QVERIFY2(!path.startsWith(QLatin1String("FAILED")), qPrintable(path));
    SetMode(path, mode);
    QCOMPARE(Writers().at(writer).write(dir.path()), path);
    QCOMPARE(Mode(path), mode);
  }

  void aSharedLoginFileIsRefused_data() {
    QTest::addColumn<int>("mode");
    QTest::newRow("group may read") << 0640;
    QTest::newRow("others may read") << 0604;
    QTest::newRow("group may write") << 0620;
    QTest::newRow("others may write") << 0602;
  }
  void aSharedLoginFileIsRefused() {
    QFETCH(int, mode);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("login.ini"));
    Put(path, "[Users]\nsize=1\n1\\login=admin\n1\\rights=USER1\n");
    SetMode(path, mode);
    const QString fix = QStringLiteral("„chmod 600 %1“").arg(path);
    try {
      ReadLoginConfig(path);
      QFAIL("a login file others may use was read");
    } catch (const LoginError& error) {
      QVERIFY2(error.Message().contains(fix), qPrintable(error.Message()));
      QVERIFY2(error.Message().contains(QStringLiteral("и от други потребители")), qPrintable(error.Message()));
    }
    const AdminRun run = RunAdmin({QStringLiteral("user"), QStringLiteral("list"), QStringLiteral("--config"), path});
    QCOMPARE(run.exitCode, kExitFailure);
    QVERIFY2(run.err.contains(fix), qPrintable(run.err));

    // Closed as the message says, the same file is read.
    SetMode(path, 0600);
    QCOMPARE(ReadLoginConfig(path).users.size(), 1);
    SetMode(path, 0400);
    QCOMPARE(ReadLoginConfig(path).users.size(), 1);
  }

  void theLockFolderIsTheUsersOwn() {
    QTemporaryDir dir;
    const QString open = dir.filePath(QStringLiteral("open"));
    QVERIFY(QDir().mkdir(open));
    SetMode(open, 0777);  // as a folder another user left in /tmp for us
    const QString groupWritable = dir.filePath(QStringLiteral("group"));
    QVERIFY(QDir().mkdir(groupWritable));
    SetMode(groupWritable, 0770);
    const QString link = dir.filePath(QStringLiteral("link"));
    QVERIFY(QFile::link(dir.path(), link));
    const QString fresh = dir.filePath(QStringLiteral("cache/tesaro/firebird-lock"));
    // Someone else's folder: the system's for a user, one given away for root.
    QString othersFolder = QStringLiteral("/usr");
    if (::geteuid() == 0) {
      othersFolder = dir.filePath(QStringLiteral("nobody"));
      QVERIFY(QDir().mkdir(othersFolder));
      SetMode(othersFolder, 0700);
      QVERIFY(::chown(QFile::encodeName(othersFolder).constData(), 65534, 65534) == 0);
    }

    QVERIFY(!IsPrivateFolder(othersFolder));
    QVERIFY(!IsPrivateFolder(open));
    QVERIFY(!IsPrivateFolder(groupWritable));
    QVERIFY(!IsPrivateFolder(link));
    QVERIFY(!IsPrivateFolder(dir.filePath(QStringLiteral("missing"))));
    QCOMPARE(PrivateLockFolder({othersFolder, open, groupWritable, link, fresh}), fresh);
    QCOMPARE(Mode(fresh), 0700);
    QCOMPARE(Mode(open), 0777);  // a folder passed over is left as it was
    // A folder of the user's own that others may only read is used as it is.
    const QString readable = dir.filePath(QStringLiteral("readable"));
    QVERIFY(QDir().mkdir(readable));
    SetMode(readable, 0755);
    QCOMPARE(PrivateLockFolder({open, readable}), readable);
    QCOMPARE(PrivateLockFolder({open, link}), QString());
    // The engine of this very test found one of the user's own.
    if (!kLockFolderGiven && ::geteuid() != 0) QVERIFY(IsPrivateFolder(qEnvironmentVariable("FIREBIRD_LOCK")));
  }
};

QTEST_MAIN(TestPrivateFiles)
#include "test_private_files.moc"
