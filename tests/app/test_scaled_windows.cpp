// The windows on a screen scaled to 150 % or 200 % (QT_SCALE_FACTOR, set by the test's
// entry): every control shows whole inside the boxes and pages that hold it.
#include <QAbstractButton>
#include <QApplication>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtTest>
#include <memory>

#include "app/main_form.h"
#include "card/ui/view_kart.h"
#include "commands/ui/options_form.h"
#include "reports/export_list_source.h"
#include "reports/ui/save_rep_dialog.h"
#include "session/login_record.h"
#include "temp_register.h"
#include "window_controls.h"

namespace {
bool IsControl(const QWidget* w) {
  return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
         qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QAbstractButton*>(w) ||
         qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
         qobject_cast<const QLabel*>(w);
}

// A scroll area that can scroll shows the rest on demand; one that cannot must hold all.
bool CanScroll(const QWidget* viewport) {
  const auto* area = qobject_cast<const QAbstractScrollArea*>(viewport->parentWidget());
  return area != nullptr && area->viewport() == viewport &&
         (area->verticalScrollBar()->isVisible() || area->horizontalScrollBar()->isVisible());
}

// The visible controls cut by a box, page or window that holds them.
QStringList CutControls(QWidget* window) {
  QStringList cut;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (!IsControl(w) || !w->isVisible() || IsPartOfAnotherControl(w, window)) continue;
    for (QWidget* up = w->parentWidget(); up != nullptr; up = up->parentWidget()) {
      if (CanScroll(up)) break;
      const QRect inUp(w->mapTo(up, QPoint(0, 0)), w->size());
      if (!up->rect().contains(inUp)) {
        cut << QStringLiteral("%1 in %2").arg(w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                                                          : w->objectName(),
                                               up->objectName().isEmpty() ? QString::fromLatin1(up->metaObject()->className())
                                                                           : up->objectName());
        break;
      }
      if (up == window) break;
    }
  }
  return cut;
}

void ExpectWhole(QWidget& window, const QString& what) {
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  const QStringList cut = CutControls(&window);
  QVERIFY2(cut.isEmpty(), qPrintable(what + QStringLiteral(": ") + cut.join(QStringLiteral(", "))));
}
}  // namespace

class TestScaledWindows : public QObject {
  Q_OBJECT
  QTemporaryDir userFolder_;
  std::unique_ptr<TempRegister> register_;

 private slots:
  void initTestCase() {
    qputenv("USERPROFILE", userFolder_.path().toUtf8());
    QVERIFY2(qEnvironmentVariableIsSet("QT_SCALE_FACTOR"), "the test runs on a scaled screen");
    register_ = std::make_unique<TempRegister>();
  }
  void cleanupTestCase() { register_.reset(); }

  void mainWindow() {
    TLogInfoRec record;
    TMainForm form(register_->Data(), record);
    ExpectWhole(form, QStringLiteral("главният прозорец"));
  }

  void cardWindowPages() {
    TViewKart card(register_->Data());
    card.PrepareShow(0, true);
    auto* pages = card.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    QVERIFY(pages != nullptr);
    for (int page = 0; page < pages->count(); ++page) {
      pages->setCurrentIndex(page);
      ExpectWhole(card, pages->tabText(page));
    }
  }

  void dialogs() {
    TOptionsForm options;
    ExpectWhole(options, QStringLiteral("настройките"));
    ListQuery& list = register_->Data().MainQuery();
    list.Open();
    ListExportSource source(list, RegisterExportColumns());
    TfrmSaveRep exportDialog(source, QStringLiteral("Списък"), QString(), QString(),
                             userFolder_.filePath(QStringLiteral("views.ini")), QStringLiteral("clerk"));
    ExpectWhole(exportDialog, QStringLiteral("експортът"));
  }
};

// A clerk's screen of 1 366 × 768 at the scale asked for: its pixels grow with the scale, so the
// windows have the same room as at 100 %.
int main(int argc, char** argv) {
  const double scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
  QTemporaryFile screens;
  if (!screens.open()) return 1;
  screens.write(QStringLiteral(R"({"screens": [{"name": "clerk", "x": 0, "y": 0, "width": %1, "height": %2,
                  "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                    .arg(qRound(1366 * scale))
                    .arg(qRound(768 * scale))
                    .toUtf8());
  screens.flush();
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
  QApplication app(argc, argv);
  TestScaledWindows test;
  return QTest::qExec(&test, argc, argv);
}
#include "test_scaled_windows.moc"
