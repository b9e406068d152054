// The preview window: printing through the printer seam as often as asked, each time
// followed by the notification; a cancelled printer dialog and closing without printing
// notify nothing; saving as PDF and HTML through the file seam; paging; printing into a file
// writes it whole.
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

#include "core/output_file.h"
#include "engine/report/report_layout.h"
#include "engine/ui/report_preview.h"
#include "engine/ui/report_run.h"
#include "engine/ui/report_seams.h"
#include "recording_messages.h"

using namespace report;

namespace {
Report TwoPageReport() {
  Report r;
  r.documentName = QStringLiteral("Проба");
  r.bands = {{BandKind::PageHeader, 6, {PageNumber(0, 0)}}, {BandKind::Detail, 150, {Field(0, 0, QStringLiteral("A"))}}};
  return r;
}

TableRows TwoRows() {
  TableRows rows({QStringLiteral("A")});
  rows.Append({QStringLiteral("първи")});
  rows.Append({QStringLiteral("втори")});
  return rows;
}

// Installs the seams for one test and takes them away again.
struct Seams {
  QTemporaryDir dir;
  int printerDialogs = 0;
  bool acceptPrinter = true;
  QString saveAs;
  Seams() {
    SetPrinterChooser([this](QPrinter& printer, QWidget*) {
      ++printerDialogs;
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(dir.filePath(QStringLiteral("printed%1.pdf").arg(printerDialogs)));
      return acceptPrinter;
    });
    SetSaveFileChooser([this](QWidget*, const QString&, const QString&, const QString&) { return saveAs; });
  }
  ~Seams() {
    SetPrinterChooser({});
    SetSaveFileChooser({});
    SetPreviewRunner({});
  }
};
}  // namespace

class TestReportPreview : public QObject {
  Q_OBJECT
 private slots:
  void printingNotifiesEachTimeAndCancellingDoesNot() {
    Seams seams;
    int notified = 0;
    const TableRows rows = TwoRows();
    TReportPreview preview(LayOut(TwoPageReport(), rows), [&] { ++notified; });
    QCOMPARE(preview.PageCount(), 2);

    preview.Print();
    preview.Print();
    QCOMPARE(notified, 2);
    QVERIFY(QFileInfo(seams.dir.filePath(QStringLiteral("printed1.pdf"))).size() > 0);
    QVERIFY(QFileInfo(seams.dir.filePath(QStringLiteral("printed2.pdf"))).size() > 0);

    seams.acceptPrinter = false;
    preview.Print();
    QCOMPARE(seams.printerDialogs, 3);
    QCOMPARE(notified, 2);
    QVERIFY(!QFileInfo::exists(seams.dir.filePath(QStringLiteral("printed3.pdf"))));
  }

  void closingThePreviewWithoutPrintingNotifiesNothing() {
    Seams seams;
    int notified = 0;
    int shown = 0;
    SetPreviewRunner([&](TReportPreview& preview) {
      ++shown;
      QCOMPARE(preview.PageCount(), 2);
      preview.reject();
    });
    const TableRows rows = TwoRows();
    PreviewReport(TwoPageReport(), rows, nullptr, [&] { ++notified; });
    QCOMPARE(shown, 1);
    QCOMPARE(notified, 0);
    QCOMPARE(seams.printerDialogs, 0);
  }

  void savesPdfAndHtmlWhereTheUserChose() {
    Seams seams;
    RecordingMessages messages;
    const TableRows rows = TwoRows();
    TReportPreview preview(LayOut(TwoPageReport(), rows), {});
    seams.saveAs = seams.dir.filePath(QStringLiteral("copy.pdf"));
    preview.SavePdf();
    QVERIFY(QFileInfo(seams.saveAs).size() > 0);
    seams.saveAs = seams.dir.filePath(QStringLiteral("copy.html"));
    preview.SaveHtml();
    QFile html(seams.saveAs);
    QVERIFY(html.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(html.readAll()).contains(QStringLiteral("втори")));
    QVERIFY(messages.shown.empty());

    // A folder that does not exist: a clear message, nothing else.
    seams.saveAs = seams.dir.filePath(QStringLiteral("no/such/copy.pdf"));
    preview.SavePdf();
    QCOMPARE(messages.shown.size(), size_t(1));
    QVERIFY(messages.shown[0].text.contains(QStringLiteral("не може да бъде записан")));

    // Cancelling the file dialog writes nothing and says nothing.
    seams.saveAs.clear();
    preview.SaveHtml();
    QCOMPARE(messages.shown.size(), size_t(1));
  }

  void pagingStaysWithinThePages() {
    const TableRows rows = TwoRows();
    TReportPreview preview(LayOut(TwoPageReport(), rows), {});
    QCOMPARE(preview.CurrentPage(), 1);
    preview.GoToPage(2);
    QCOMPARE(preview.CurrentPage(), 2);
    preview.GoToPage(5);
    QCOMPARE(preview.CurrentPage(), 2);
    preview.GoToPage(0);
    QCOMPARE(preview.CurrentPage(), 1);
  }

  void directPrintingUsesThePrinterGiven() {
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("direct.pdf")));
    const TableRows rows = TwoRows();
    QVERIFY(PrintReport(TwoPageReport(), rows, printer));
    const qint64 printed = QFileInfo(dir.filePath(QStringLiteral("direct.pdf"))).size();
    QVERIFY(printed > 0);

    // Printing into a file writes it whole or not at all, like saving it: on a full disk the
    // earlier file stays and the reason is raised.
    SetDiskRoomHook([](const QString&) { return qint64(100); });
    QVERIFY_THROWS_EXCEPTION(FileWriteError, PrintReport(TwoPageReport(), rows, printer));
    SetDiskRoomHook({});
    QCOMPARE(QFileInfo(dir.filePath(QStringLiteral("direct.pdf"))).size(), printed);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
  }
};

QTEST_MAIN(TestReportPreview)
#include "test_report_preview.moc"
