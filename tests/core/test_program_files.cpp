// Tests of where the program finds its own files: beside it in the build folder, in their
// installed places under the prefix otherwise, and the place beside it named when none holds one.
#include <QtTest>

#include "core/program_files.h"

namespace {
void Touch(const QString& path) {
  QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
}
}  // namespace

class TestProgramFiles : public QObject {
  Q_OBJECT

 private slots:
  void found_data();
  void found();
};

// The installed folders are the ones the build installs to (TESARO_TEST_*_DIR, relative to the
// prefix), so that the program looks where the installation puts the files.
void TestProgramFiles::found_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<QString>("name");
  QTest::addColumn<QStringList>("present");  // relative to the prefix
  QTest::addColumn<QString>("expected");     // relative to the prefix

  const QString bin = QStringLiteral(TESARO_TEST_BIN_DIR);
  const QString lib = QStringLiteral(TESARO_TEST_LIBRARY_DIR);
  const QString data = QStringLiteral(TESARO_TEST_DOCUMENT_DIR);
  const int library = int(ProgramFileKind::Library);
  const int document = int(ProgramFileKind::Document);
  const QString so = QStringLiteral("libVlmLogin.so");
  const QString pdf = QStringLiteral("Tesaro.pdf");

  QTest::newRow("build folder: library beside the program")
      << library << so << QStringList{bin + u'/' + so} << bin + u'/' + so;
  QTest::newRow("installed library") << library << so << QStringList{lib + u'/' + so} << lib + u'/' + so;
  QTest::newRow("installed document") << document << pdf << QStringList{data + u'/' + pdf} << data + u'/' + pdf;
  QTest::newRow("beside the program wins over the installed copy")
      << document << pdf << QStringList{data + u'/' + pdf, bin + u'/' + pdf} << bin + u'/' + pdf;
  QTest::newRow("a library is not looked for among the documents")
      << library << so << QStringList{data + u'/' + so} << bin + u'/' + so;
  QTest::newRow("nowhere: the place beside the program") << document << pdf << QStringList{} << bin + u'/' + pdf;
}

void TestProgramFiles::found() {
  QFETCH(int, kind);
  QFETCH(QString, name);
  QFETCH(QStringList, present);
  QFETCH(QString, expected);
  QTemporaryDir prefix;
  QVERIFY(prefix.isValid());
  const QString programFolder = prefix.filePath(QStringLiteral(TESARO_TEST_BIN_DIR));
  QVERIFY(QDir().mkpath(programFolder));
  for (const QString& file : present) Touch(prefix.filePath(file));

  QCOMPARE(ProgramFileIn(programFolder, ProgramFileKind(kind), name), prefix.filePath(expected));
}

QTEST_GUILESS_MAIN(TestProgramFiles)
#include "test_program_files.moc"
