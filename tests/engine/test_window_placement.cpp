// Windows open inside the screen and come back where the clerk left them: size, position and
// the maximised state are kept in the settings file, read again by the next window of that name.
#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QToolBar>
#include <QtTest>

#include "core/window_placement_store.h"
#include "engine/report/report_layout.h"
#include "engine/ui/report_preview.h"
#include "engine/ui/window_placement.h"

namespace {
QRect Available() { return QGuiApplication::primaryScreen()->availableGeometry(); }

// Inside the available area, with room left for a title bar and borders around it.
bool FitsWithItsFrame(const QWidget& window) {
  const QRect area = Available();
  return area.contains(window.frameGeometry()) && window.width() + 8 <= area.width() &&
         window.height() + 36 <= area.height();
}

report::LaidOutReport OnePage() {
  report::Report r;
  r.bands = {{report::BandKind::Detail, 10, {report::Field(0, 0, QStringLiteral("A"))}}};
  report::TableRows rows({QStringLiteral("A")});
  rows.Append({QStringLiteral("ред")});
  return report::LayOut(r, rows);
}

// Names a fresh settings file for one test and forgets it again.
struct PlacementFile {
  QTemporaryDir dir;
  QString path = dir.filePath(QStringLiteral("tesaro.ini"));
  PlacementFile() { SetWindowPlacementFile(path); }
  ~PlacementFile() { SetWindowPlacementFile(QString()); }
};
}  // namespace

class TestWindowPlacement : public QObject {
  Q_OBJECT
 private slots:
  void aWindowLargerThanTheScreenOpensInsideIt() {
    const QRect area = Available();
    QDialog window;
    window.resize(area.width() + 500, area.height() + 400);
    window.move(area.right() - 10, area.bottom() - 10);
    RememberWindowPlacement(&window, QStringLiteral("Big"));
    QVERIFY2(FitsWithItsFrame(window), qPrintable(QStringLiteral("%1,%2 %3×%4 in %5×%6")
                                                          .arg(window.x()).arg(window.y())
                                                          .arg(window.width()).arg(window.height())
                                                          .arg(area.width()).arg(area.height())));
  }

  void thePreviewFitsTheScreenAndShowsItsWholeToolbar() {
    QCOMPARE(Available().size(), QSize(1280, 720));
    report::TReportPreview preview(OnePage(), {});
    QVERIFY(FitsWithItsFrame(preview));
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    const auto* toolbar = preview.findChild<QToolBar*>(QStringLiteral("PreviewToolbar"));
    QVERIFY(toolbar);
    // Every command is on the bar itself, none only in the extension menu behind "»".
    QVERIFY(toolbar->width() >= toolbar->sizeHint().width());
  }

  void theNextWindowOfTheNameComesBackWhereTheLastWasLeft() {
    PlacementFile file;
    const QRect area = Available();
    const QRect left(area.left() + 40, area.top() + 50, area.width() / 2, area.height() / 2);
    {
      QDialog first;
      RememberWindowPlacement(&first, QStringLiteral("CardWindow"));
      first.setGeometry(left);
      first.show();
      QVERIFY(QTest::qWaitForWindowExposed(&first));
      first.close();
    }
    QVERIFY(QSettings(file.path, QSettings::IniFormat).contains(QStringLiteral("Windows/CardWindow")));

    QDialog second;
    second.resize(300, 200);
    RememberWindowPlacement(&second, QStringLiteral("CardWindow"));
    QCOMPARE(second.size(), left.size());
    QCOMPARE(second.geometry().topLeft(), left.topLeft());

    QDialog other;  // another name keeps its own default
    other.resize(300, 200);
    RememberWindowPlacement(&other, QStringLiteral("PreviewWindow"));
    QCOMPARE(other.size(), QSize(300, 200));
  }

  void theMaximisedStateIsKept() {
    PlacementFile file;
    {
      QDialog first;
      RememberWindowPlacement(&first, QStringLiteral("MainWindow"));
      first.showMaximized();
      QVERIFY(QTest::qWaitForWindowExposed(&first));
      first.close();
    }
    QDialog second;
    RememberWindowPlacement(&second, QStringLiteral("MainWindow"));
    QVERIFY(second.windowState() & Qt::WindowMaximized);
  }

  void aPlacementOffEveryScreenNowOpensCentredInside() {
    PlacementFile file;
    // Kept as if the window had been left on a screen that is gone.
    QDialog probe;
    probe.setGeometry(Available().right() + 3000, Available().bottom() + 3000, 400, 300);
    StoreWindowPlacement(QStringLiteral("MainWindow"), probe.saveGeometry());

    QDialog window;
    RememberWindowPlacement(&window, QStringLiteral("MainWindow"));
    QVERIFY(FitsWithItsFrame(window));
  }

  void withoutASettingsFileNothingIsKept() {
    QTemporaryDir dir;
    QDialog window;
    RememberWindowPlacement(&window, QStringLiteral("MainWindow"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.close();
    QVERIFY(StoredWindowPlacement(QStringLiteral("MainWindow")).isEmpty());
    QVERIFY(QDir(dir.path()).isEmpty());
  }
};

// The smallest screen a clerk's workstation has: 1 280 × 720.
int main(int argc, char** argv) {
  QTemporaryFile screens;
  if (!screens.open()) return 1;
  screens.write(R"({"screens": [{"name": "clerk", "x": 0, "y": 0, "width": 1280, "height": 720,
                  "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
  screens.flush();
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
  QApplication app(argc, argv);
  TestWindowPlacement test;
  return QTest::qExec(&test, argc, argv);
}
#include "test_window_placement.moc"
