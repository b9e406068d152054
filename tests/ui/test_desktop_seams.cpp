// Opening files with the desktop's programs: a file type the desktop has no program for is
// reported as a failure (so the help command can say so) instead of starting nothing.
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "ui/desktop_seams.h"

namespace {
// A stand-in for the desktop's look-up that names `program` (none when empty).
void InstallLookup(const QTemporaryDir& bin, const QByteArray& program) {
  QFile script(bin.filePath(QStringLiteral("xdg-mime")));
  QVERIFY(script.open(QIODevice::WriteOnly));
  script.write("#!/bin/sh\n[ \"$1 $2 $3\" = \"query default application/pdf\" ] || exit 2\necho '" + program + "'\n");
  script.close();
  script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
}  // namespace

class TestDesktopSeams : public QObject {
  Q_OBJECT
 private slots:
  void aFileTypeWithoutAProgramIsReported() {
    QTemporaryDir bin;
    QTemporaryDir files;
    const QString guide = files.filePath(QStringLiteral("guide.pdf"));
    QFile pdf(guide);
    QVERIFY(pdf.open(QIODevice::WriteOnly));
    pdf.write("%PDF-1.4\n");
    pdf.close();
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toUtf8() + ':' + path);
    InstallLookup(bin, QByteArray());
    QVERIFY(!DesktopHasProgramFor(guide));
    InstallLookup(bin, "viewer.desktop");
    QVERIFY(DesktopHasProgramFor(guide));
    qputenv("PATH", path);
  }
};

QTEST_GUILESS_MAIN(TestDesktopSeams)
#include "test_desktop_seams.moc"
