// Build step: turns the user guide (HTML) into the help file Tesaro.pdf that the program
// opens from its own folder.
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextStream>

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    QTextStream(stderr) << "Употреба: tesaro-help-pdf РЪКОВОДСТВО.html Tesaro.pdf\n";
    return 2;
  }
  QFile source(QString::fromLocal8Bit(argv[1]));
  if (!source.open(QIODevice::ReadOnly)) {
    QTextStream(stderr) << "Не може да се прочете " << source.fileName() << '\n';
    return 1;
  }
  QTextDocument document;
  document.setHtml(QString::fromUtf8(source.readAll()));
  QPdfWriter pdf(QString::fromLocal8Bit(argv[2]));
  pdf.setTitle(QStringLiteral("Жилищна картотека — ръководство"));
  pdf.setPageSize(QPageSize(QPageSize::A4));
  pdf.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
  document.print(&pdf);
  return QFile::exists(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
