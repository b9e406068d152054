// Tests of the please-wait window: the progress position rule (nearest whole number, halves
// to even) and that the window repaints only when the position moves.
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <cstdlib>

#include "ui/progress_rule.h"
#include "ui/status_form.h"

namespace {
// Counts the paint events a widget receives.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};
}  // namespace

class StatusFormTest : public QObject {
  Q_OBJECT

 private slots:
  void position_data() {
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("expected");
    for (int k = 1; k <= 9; ++k)
      QTest::addRow("item %d of 9", k) << k << 9 << 10 * k;
    QTest::newRow("12.5 to even 12") << 1 << 7 << 12;
    QTest::newRow("37.5 to even 38") << 3 << 7 << 38;
    QTest::newRow("62.5 to even 62") << 5 << 7 << 62;
    QTest::newRow("87.5 to even 88") << 7 << 7 << 88;
    QTest::newRow("0.5 to even 0") << 1 << 199 << 0;
    QTest::newRow("1.5 to even 2") << 3 << 199 << 2;
    QTest::newRow("33.3 down") << 1 << 2 << 33;
    QTest::newRow("66.7 up") << 2 << 2 << 67;
    QTest::newRow("one item") << 1 << 1 << 50;
    QTest::newRow("no items yet") << 0 << 5 << 0;
    QTest::newRow("last of 1000 rounds to 100") << 1000 << 1000 << 100;
    QTest::newRow("49.95 up") << 500 << 1000 << 50;
    QTest::newRow("large counts stay exact") << 1000000 << 1999999 << 50;
  }
  void position() {
    QFETCH(int, k);
    QFETCH(int, n);
    QFETCH(int, expected);
    QCOMPARE(ProgressPosition(k, n), expected);
  }

  void positionIsNearestWithHalvesToEven() {
    // The rule itself, checked in exact integers over many counts.
    for (int n = 0; n <= 400; ++n) {
      for (int k = 0; k <= n + 1; ++k) {
        const long long p = ProgressPosition(k, n);
        const long long twiceError = 2 * std::llabs(100LL * k - p * (n + 1));
        const bool ok = twiceError < n + 1 || (twiceError == n + 1 && p % 2 == 0);
        if (!ok) QFAIL(qPrintable(QStringLiteral("k=%1 n=%2 gave %3").arg(k).arg(n).arg(p)));
      }
    }
  }

  void trackerReportsOnlyChanges() {
    ProgressTracker tracker;
    QVERIFY(!tracker.Advance(1, 1000));  // 0.0999 rounds to the starting 0
    QVERIFY(!tracker.Advance(5, 1000));
    QCOMPARE(tracker.Position(), 0);  // 0.4995 is still 0
    QVERIFY(tracker.Advance(6, 1000));
    QCOMPARE(tracker.Position(), 1);
    QVERIFY(!tracker.Advance(7, 1000));
    tracker.Reset();
    QCOMPARE(tracker.Position(), 0);
  }

  void beginShowsTheWindowCentred() {
    QWidget main;
    main.setGeometry(100, 100, 600, 400);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));

    TStatusForm form(&main);
    QVERIFY(form.windowFlags() & Qt::FramelessWindowHint);
    form.Begin(QStringLiteral("Попълване на данните от класирането"), &main, TStatusForm::kWideWidth);
    QVERIFY(form.isVisible());
    QVERIFY(!form.isModal());
    QCOMPARE(form.size(), QSize(140, 65));
    QCOMPARE(form.findChild<QLabel*>("L")->text(), QStringLiteral("Попълване на данните от класирането"));
    QCOMPARE(form.findChild<QLabel*>("Label1")->text(), QStringLiteral("Моля изчакайте .."));
    auto* bar = form.findChild<QProgressBar*>("pbBar");
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 100);
    QCOMPARE(bar->value(), 0);
    QVERIFY((form.geometry().center() - main.frameGeometry().center()).manhattanLength() <= 2);

    form.End();
    QVERIFY(!form.isVisible());
    form.Begin(QStringLiteral("Попълване на данните"), &main);
    QCOMPARE(form.size(), QSize(134, 65));
  }

  void repaintsOnlyWhenThePositionMoves_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("repaints");
    QTest::newRow("9 items: 10, 20, ... 90") << 9 << 9;
    QTest::newRow("1000 items: positions 1..100") << 1000 << 100;
    QTest::newRow("7 items: 12, 25, 38, 50, 62, 75, 88") << 7 << 7;
  }
  void repaintsOnlyWhenThePositionMoves() {
    QFETCH(int, n);
    QFETCH(int, repaints);
    TStatusForm form;
    form.Begin(QStringLiteral("Попълване на данните"), nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto* bar = form.findChild<QProgressBar*>("pbBar");
    // The bar may repaint itself when its value changes; a label that never changes is
    // painted only when the whole window is.
    PaintCounter counter;
    form.findChild<QLabel*>("Label1")->installEventFilter(&counter);

    QList<int> seen;  // the positions the bar took after its starting 0
    for (int k = 1; k <= n; ++k) {
      form.Step(k, n);
      QCOMPARE(bar->value(), ProgressPosition(k, n));
      if (bar->value() != (seen.isEmpty() ? 0 : seen.back())) seen.append(bar->value());
    }
    QCOMPARE(form.RepaintCount(), repaints);
    QCOMPARE(seen.size(), repaints);
    // The loop let no events through, so each of these paints came from a Step.
    QCOMPARE(counter.paints, repaints);
    if (n == 9) QCOMPARE(seen, (QList<int>{10, 20, 30, 40, 50, 60, 70, 80, 90}));
    form.End();
  }
};

QTEST_MAIN(StatusFormTest)
#include "test_status_form.moc"
