// Every file writer of the program writes whole or not at all: when the disk fills up halfway
// (a file-size limit stands in for a full disk) the older file of that name stays as it was
// and no temporary file is left; a folder, a device or a FIFO is refused, never replaced; and
// the reason reaches the clerk in Bulgarian.
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

#include "core/output_file.h"
#include "engine/report/report_html.h"
#include "engine/report/report_layout.h"
#include "engine/report/report_painter.h"
#include "engine/rtf/rtf_template.h"
#include "file_size_limit.h"
#include "reports/save_rep_view_ini.h"
#include "reports/writer_docx.h"
#include "reports/writer_txt.h"
#include "reports/writer_xlsx.h"

namespace {
constexpr int kRows = 3000;
constexpr rlim_t kDiskRoom = 4096;  // what is left on the "disk": a few kilobytes

// A table whose every writer's file is far larger than kDiskRoom, compressed or not.
ExportTable BigTable() {
  ExportTable t;
  t.columns = {{QStringLiteral("Рег.номер")}, {QStringLiteral("Име")}, {QStringLiteral("Доход"), true}};
  t.rowCount = kRows;
  t.cells = [](int row, QStringList& cells) {
    cells << QString::number(row + 1) << QStringLiteral("Иванов %1 Петров").arg(row * 7919 % 100003)
          << QString::number(row * 13.37, 'f', 2);
  };
  return t;
}

report::LaidOutReport BigReport() {
  using namespace report;
  Report r;
  r.documentName = QStringLiteral("Списък");
  Band detail{BandKind::Detail, 5, {Field(0, 0, QStringLiteral("NAME")), Field(100, 0, QStringLiteral("CODE"))}};
  r.bands = {detail};
  TableRows rows({QStringLiteral("NAME"), QStringLiteral("CODE")});
  for (int i = 0; i < 400; ++i) rows.Append({QStringLiteral("Иванов %1").arg(i), QString::number(i * 31)});
  return LayOut(r, rows);
}

// A writer under test: writes its document to `path` and gives the failure's text (empty
// when it wrote). Writers that only say yes or no give "failed".
using Writer = std::function<QString(const QString& path)>;

template <typename Error>
QString Catching(const std::function<void()>& write) {
  try {
    write();
  } catch (const Error& error) {
    return error.Message();
  }
  return {};
}

struct NamedWriter {
  const char* name;
  const char* extension;
  Writer write;
};

std::vector<NamedWriter> Writers() {
  return {
      {"PDF", "pdf",
       [](const QString& path) { return Catching<FileWriteError>([&] { report::WritePdf(BigReport(), path); }); }},
      {"HTML", "html",
       [](const QString& path) { return Catching<FileWriteError>([&] { report::WriteHtml(BigReport(), path); }); }},
      {"RTF", "rtf",
       [](const QString& path) {
         QTemporaryDir templates;
         const QString templatePath = templates.filePath(QStringLiteral("card.rtf"));
         QFile file(templatePath);
         file.open(QIODevice::WriteOnly);
         file.write("{\\rtf1\\ansi <<name>>}");
         file.close();
         RtfTemplateEngine engine;
         engine.SetTemplate(templatePath);
         engine.SetResultFile(path);
         engine.AddValue(QStringLiteral("name"), QString(20000, u'я'));
         return Catching<RtfError>([&] { engine.Run(); });
       }},
      {"text", "txt",
       [](const QString& path) {
         return Catching<ExportError>([&] { WriteTextExport(path, BigTable(), QStringLiteral("|")); });
       }},
      {"docx", "docx",
       [](const QString& path) { return Catching<ExportError>([&] { WriteDocxExport(path, BigTable(), {}); }); }},
      {"xlsx", "xlsx",
       [](const QString& path) { return Catching<ExportError>([&] { WriteXlsxExport(path, BigTable(), {}); }); }},
      {"views file", "ini",
       [](const QString& path) {
         ViewIniFile ini;
         for (int i = 0; i < 500; ++i)
           ini.SetValue(QStringLiteral("VLMView_%1").arg(i), QStringLiteral("ViewName"), QStringLiteral("Изглед %1").arg(i));
         return ini.Save(path) ? QString() : QStringLiteral("failed");
       }},
  };
}

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// The failure's text names the file and says why in Bulgarian; a writer that only says yes or
// no has nothing to check.
void CheckMessage(const QString& message, const QString& path, const QString& reason) {
  if (message == QLatin1String("failed")) return;
  QVERIFY2(message.contains(QStringLiteral("Файлът „%1“ не може да бъде записан: ").arg(path)), qPrintable(message));
  QVERIFY2(message.contains(reason), qPrintable(message));
}
}  // namespace

class TestWholeOutputs : public QObject {
  Q_OBJECT

 private slots:
  void writtenWholeAndPrivate_data() { WriterRows(); }
  void writtenWholeAndPrivate() {
    QFETCH(int, writer);
    QTemporaryDir dir;
    const NamedWriter w = Writers().at(writer);
    const QString path = dir.filePath(QStringLiteral("нов.") + w.extension);
    QCOMPARE(w.write(path), QString());
    QVERIFY(QFileInfo(path).size() > qint64(kDiskRoom));
    struct stat status {};
    QVERIFY(::stat(QFile::encodeName(path).constData(), &status) == 0);
    QCOMPARE(status.st_mode & 0777, mode_t(0600));
    QCOMPARE(Entries(dir.path()).size(), 1);
  }

  void aFullDiskKeepsTheOldFile_data() { WriterRows(); }
  void aFullDiskKeepsTheOldFile() {
    QFETCH(int, writer);
    QTemporaryDir dir;
    const NamedWriter w = Writers().at(writer);
    const QString path = dir.filePath(QStringLiteral("списък.") + w.extension);
    const QByteArray old = "the previous, whole document";
    {
      QFile file(path);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(old);
    }
    QString message;
    {
      FileSizeLimit limit(kDiskRoom);
      message = w.write(path);
    }
    QVERIFY2(!message.isEmpty(), "the writer said it wrote the file");
    // The writers that write through the program's own file report the system's reason; the
    // libraries that write by name give theirs as well as they know it.
    const bool ownDevice = QByteArray("pdf html rtf txt").contains(w.extension);
    CheckMessage(message, path, ownDevice ? QStringLiteral("файлът надхвърля най-големия размер") : QString());
    QCOMPARE(Contents(path), old);
    QCOMPARE(Entries(dir.path()), QStringList{QFileInfo(path).fileName()});
  }

  void notARegularFileIsRefused_data() {
    QTest::addColumn<int>("writer");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("reason");
    const std::vector<NamedWriter> writers = Writers();
    for (int i = 0; i < int(writers.size()); ++i) {
      QTest::addRow("%s: folder", writers[i].name) << i << "FOLDER" << "това е папка, а не файл";
      QTest::addRow("%s: device", writers[i].name) << i << "/dev/null" << "това е устройство, а не обикновен файл";
      QTest::addRow("%s: FIFO", writers[i].name) << i << "FIFO" << "това е именуван канал (FIFO), а не обикновен файл";
      QTest::addRow("%s: no folder", writers[i].name) << i << "FOLDER/няма/f" << "не съществува";
    }
  }
  void notARegularFileIsRefused() {
    QFETCH(int, writer);
    QFETCH(QString, target);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("папка"));
    QVERIFY(QDir().mkdir(folder));
    const QString fifo = dir.filePath(QStringLiteral("канал"));
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    target.replace(QLatin1String("FOLDER"), folder).replace(QLatin1String("FIFO"), fifo);

    CheckMessage(Writers().at(writer).write(target), target, reason);
    QVERIFY(QFileInfo(folder).isDir());
    QVERIFY(Entries(folder).isEmpty());
    QCOMPARE(Entries(dir.path()).size(), 2);
    struct stat status {};
    QVERIFY(::stat(QFile::encodeName(fifo).constData(), &status) == 0 && S_ISFIFO(status.st_mode));
    QVERIFY(::stat("/dev/null", &status) == 0 && S_ISCHR(status.st_mode));
  }

 private:
  static void WriterRows() {
    QTest::addColumn<int>("writer");
    const std::vector<NamedWriter> writers = Writers();
    for (int i = 0; i < int(writers.size()); ++i) QTest::newRow(writers[i].name) << i;
  }
};

QTEST_MAIN(TestWholeOutputs)
#include "test_whole_outputs.moc"
