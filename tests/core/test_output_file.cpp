// Writing an output file whole or not at all: the temporary file beside the target, the old
// file kept when a write fails, targets that are not regular files refused, the reasons in
// Bulgarian, and the permissions of new and replaced files.
#include <sys/stat.h>
#include <sys/types.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "core/output_file.h"
#include "core/settings_output.h"
#include "file_size_limit.h"

namespace {
QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Put(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

mode_t Mode(const QString& path) {
  struct stat status {};
  ::stat(QFile::encodeName(path).constData(), &status);
  return status.st_mode & 07777;
}

// Everything in the folder: a temporary file left behind would show here.
QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

QString Failure(const std::function<void()>& write) {
  try {
    write();
  } catch (const FileWriteError& error) {
    return error.Message();
  }
  return {};
}
}  // namespace

class TestOutputFile : public QObject {
  Q_OBJECT

 private slots:
  void newAndReplacedFiles() {
    QTemporaryDir dir;
    const QString fresh = dir.filePath(QStringLiteral("нов.txt"));
    WriteWholeFile(fresh, "първи");
    QCOMPARE(Contents(fresh), QByteArray("първи"));
    QCOMPARE(Mode(fresh), mode_t(0600));  // personal data: the owner's only

    const QString shared = dir.filePath(QStringLiteral("общ.txt"));
    Put(shared, "стар");
    QFile::setPermissions(shared, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
    WriteWholeFile(shared, "нов");
    QCOMPARE(Contents(shared), QByteArray("нов"));
    QCOMPARE(Mode(shared), mode_t(0640));  // a replaced file keeps what it allowed
    WriteWholeFile(shared, "личен", OutputPermissions::OwnerOnly);
    QCOMPARE(Mode(shared), mode_t(0600));

    // A link stays a link; the file it names is replaced.
    const QString link = dir.filePath(QStringLiteral("връзка.txt"));
    QVERIFY(QFile::link(shared, link));
    WriteWholeFile(link, "през връзката");
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(Contents(shared), QByteArray("през връзката"));
    QCOMPARE(Entries(dir.path()).size(), 3);
  }

  void aFailedWriteKeepsTheOldFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("бележка.pdf"));
    Put(path, "предишната бележка");
    QString message;
    {
      FileSizeLimit limit(4096);  // the disk fills up after 4 KB
      message = Failure([&] {
        OutputFile file(path);
        for (int i = 0; i < 64; ++i) file.Device().write(QByteArray(1024, 'x'));
        file.Commit();
      });
    }
    QCOMPARE(message, QStringLiteral("Файлът „%1“ не може да бъде записан: файлът надхвърля най-големия размер, "
                                     "който системата позволява.")
                          .arg(QDir::toNativeSeparators(path)));
    QCOMPARE(Contents(path), QByteArray("предишната бележка"));
    QCOMPARE(Entries(dir.path()), QStringList{QStringLiteral("бележка.pdf")});
  }

  void anUncommittedFileLeavesNothing() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("списък.txt"));
    Put(path, "стар");
    {
      OutputFile file(path);
      file.Write("половин");
      QVERIFY(QFileInfo::exists(file.TemporaryPath()));
      QCOMPARE(QFileInfo(file.TemporaryPath()).absolutePath(), dir.path());
    }  // a writer that threw before Commit
    QCOMPARE(Contents(path), QByteArray("стар"));
    QCOMPARE(Entries(dir.path()).size(), 1);
  }

  void refusedTargets_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("reason");
    QTest::newRow("folder") << "FOLDER" << "това е папка, а не файл";
    QTest::newRow("device") << "/dev/null" << "това е устройство, а не обикновен файл";
    QTest::newRow("FIFO") << "FIFO" << "това е именуван канал (FIFO), а не обикновен файл";
    QTest::newRow("link to a device") << "LINK" << "това е устройство, а не обикновен файл";
    QTest::newRow("missing folder") << "FOLDER/няма/файл.txt" << "папката „FOLDER/няма“ не съществува";
    QTest::newRow("file as folder") << "FOLDER/файл/друг.txt" << "„FOLDER/файл“ не е папка";
    QTest::newRow("no name") << "FOLDER/" << "не е посочено име на файл";
  }
  void refusedTargets() {
    QFETCH(QString, target);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("папка"));
    QVERIFY(QDir().mkpath(folder));
    Put(folder + QStringLiteral("/файл"), "данни");
    QVERIFY(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("канал"))).constData(), 0600) == 0);
    QVERIFY(QFile::link(QStringLiteral("/dev/null"), dir.filePath(QStringLiteral("връзка"))));
    target.replace(QLatin1String("FOLDER"), folder)
        .replace(QLatin1String("FIFO"), dir.filePath(QStringLiteral("канал")))
        .replace(QLatin1String("LINK"), dir.filePath(QStringLiteral("връзка")));
    reason.replace(QLatin1String("FOLDER"), folder);

    QCOMPARE(OutputTargetProblem(target), reason);
    const QString message = Failure([&] { WriteWholeFile(target, "x"); });
    QVERIFY2(message.endsWith(QStringLiteral(": %1.").arg(reason)), qPrintable(message));
    // Nothing was made or replaced.
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(Entries(folder), QStringList{QStringLiteral("файл")});
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("връзка"))).isSymLink());
    QCOMPARE(Entries(dir.path()).size(), 3);
    struct stat status {};
    QVERIFY(::stat(QFile::encodeName(dir.filePath(QStringLiteral("канал"))).constData(), &status) == 0);
    QVERIFY(S_ISFIFO(status.st_mode));
  }

  // A settings file keeps the keys it had; one that cannot be written stays as it was.
  void settingsAreChangedWhole() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tesaro.ini"));
    Put(path, "[Other]\nkey=kept\n");
    ChangeIniSettings(path, [](QSettings& settings) { settings.setValue(QStringLiteral("User/lastuser"), "иван"); });
    {
      QSettings settings(path, QSettings::IniFormat);
      QCOMPARE(settings.value(QStringLiteral("Other/key")).toString(), QStringLiteral("kept"));
      QCOMPARE(settings.value(QStringLiteral("User/lastuser")).toString(), QStringLiteral("иван"));
    }
    const QByteArray before = Contents(path);
    QString message;
    {
      FileSizeLimit limit(before.size() + 16);
      message = Failure([&] {
        ChangeIniSettings(path, [](QSettings& settings) {
          settings.setValue(QStringLiteral("User/lastuser"), QString(4096, u'я'));
        });
      });
    }
    QVERIFY2(message.startsWith(QStringLiteral("Файлът „%1“ не може да бъде записан: ").arg(path)), qPrintable(message));
    QCOMPARE(Contents(path), before);
    QCOMPARE(Entries(dir.path()), QStringList{QStringLiteral("tesaro.ini")});
    QCOMPARE(Failure([&] { ChangeIniSettings(dir.path(), [](QSettings&) {}); }),
             QStringLiteral("Файлът „%1“ не може да бъде записан: това е папка, а не файл.").arg(dir.path()));
  }
};

QTEST_GUILESS_MAIN(TestOutputFile)
#include "test_output_file.moc"
