// The ranking criteria and the ranking window: the order text at first and after moves, the
// up/down bounds as a table, the place record and its group number, and the window's controls.
#include <QCheckBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include "classification/ranking_criteria.h"
#include "classification/ranking_place.h"
#include "classification/ui/klas_form.h"
#include "controls.h"

namespace {
const QString kInitialOrder = QStringLiteral(
    "order by POINTS_YEAR, GRUPA,POINTS DESC,REGDATE,KIDS DESC,ONLY_PARENT DESC,N_INVALIDS DESC,YOUNG_FAMILY DESC,"
    "HARD_LIFE DESC,KIDS_AGE DESC");
}  // namespace

class TestRankingCriteria : public QObject {
  Q_OBJECT
 private slots:
  void orderTextAtFirstAndAfterMoves() {
    RankingCriteriaList list;
    QCOMPARE(list.OrderText(), kInitialOrder);
    // " - брой деца до 18 г." one place up: KIDS DESC before REGDATE.
    QCOMPARE(list.MoveUp(3), 2);
    QCOMPARE(list.Rows()[2].caption, QStringLiteral(" - брой деца до 18 г."));
    QCOMPARE(list.OrderText(), QStringLiteral("order by POINTS_YEAR, GRUPA,POINTS DESC,KIDS DESC,REGDATE,ONLY_PARENT "
                                              "DESC,N_INVALIDS DESC,YOUNG_FAMILY DESC,HARD_LIFE DESC,KIDS_AGE DESC"));
    // The last criterion down to position 2, one step at a time; the others keep their order.
    int position = 8;
    while (list.CanMoveUp(position)) position = list.MoveUp(position);
    QCOMPARE(position, 2);
    QCOMPARE(list.OrderText(), QStringLiteral("order by POINTS_YEAR, GRUPA,POINTS DESC,KIDS_AGE DESC,KIDS DESC,REGDATE,"
                                              "ONLY_PARENT DESC,N_INVALIDS DESC,YOUNG_FAMILY DESC,HARD_LIFE DESC"));
  }

  void moveBounds_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("up");
    QTest::addColumn<bool>("down");
    QTest::newRow("0 fixed") << 0 << false << false;
    QTest::newRow("1 fixed") << 1 << false << false;
    QTest::newRow("2 first movable") << 2 << false << true;
    QTest::newRow("3") << 3 << true << true;
    QTest::newRow("7") << 7 << true << true;
    QTest::newRow("8 last") << 8 << true << false;
    QTest::newRow("9 outside") << 9 << false << false;
    QTest::newRow("-1 none selected") << -1 << false << false;
  }
  void moveBounds() {
    QFETCH(int, position);
    QFETCH(bool, up);
    QFETCH(bool, down);
    RankingCriteriaList list;
    QCOMPARE(list.CanMoveUp(position), up);
    QCOMPARE(list.CanMoveDown(position), down);
    // A refused move changes nothing.
    if (!up) QCOMPARE(list.MoveUp(position), position);
    if (!down) QCOMPARE(list.MoveDown(position), position);
    if (!up && !down) QCOMPARE(list.OrderText(), kInitialOrder);
  }

  void rankedListCondition() {
    QCOMPARE(RankedListCondition(2026),
             QStringLiteral("and person_type=0 and c.status=1 and c.grupa<>0 and POINTS_YEAR<=2026"));
  }

  void placeRecord() {
    const QString record = RankingPlaceRecord(12, QDate(2026, 12, 9), 2, QDate(2009, 6, 15), QStringLiteral("Без подгрупа"));
    QCOMPARE(record, QStringLiteral("12-о място от 09.12.2026 - Група 2 от 15.06.2009, oсоб.:Без подгрупа"));
    // ", oсоб.:" begins with the Latin "o", then Cyrillic.
    const qsizetype mark = record.indexOf(QStringLiteral("соб.:"));
    QCOMPARE(record.at(mark - 1), QChar(u'o'));
    QCOMPARE(record.at(mark).unicode(), char16_t(0x0441));
    QCOMPARE(RankingPlaceRecord(1, QDate(2026, 12, 9), 5, QDate(2024, 1, 2), std::nullopt),
             QStringLiteral("1-о място от 09.12.2026 - Група 5 от 02.01.2024"));
  }

  void groupNumberIsTheNamesFirstDigit() {
    QCOMPARE(RankingGroupNumber(QStringLiteral("3.не заемащи жил. площ"), 7), 3);
    for (const QString& bad : {QStringLiteral("Гр.1"), QString(), QStringLiteral(" 2")}) {
      try {
        RankingGroupNumber(bad, 417);
        QFAIL("accepted");
      } catch (const std::runtime_error& error) {
        QVERIFY(QString::fromUtf8(error.what()).contains(QStringLiteral("рег. № 417")));
      }
    }
  }

  void windowShowsTheCriteriaAndMovesTheSelectedOne() {
    TKlasForm form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Класиране"));
    auto* list = Control<QListWidget>(form, "ClassList");
    auto* info = Control<QPlainTextEdit>(form, "KlasInfo");
    auto* refresh = Control<QCheckBox>(form, "cbRefreshInfo");
    auto* ok = Control<QPushButton>(form, "bOK");
    QCOMPARE(list->count(), 9);
    QCOMPARE(list->item(0)->text(), QStringLiteral(" - Група"));
    QVERIFY(info->isReadOnly());
    QVERIFY(info->toPlainText().contains(QStringLiteral("състояние \"вписан в картотеката\".")));
    QVERIFY(refresh->isChecked());
    QVERIFY(!refresh->isEnabled());
    QCOMPARE(ok->text(), QStringLiteral("Класиране >>"));
    QVERIFY(ok->isDefault());
    QCOMPARE(form.RankingOrder(), kInitialOrder);

    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(info->verticalScrollBar()->maximum(), 0);  // the explanation is whole, no scroll bar
    QCOMPARE(list->currentRow(), 2);  // FormShow
    form.sbUpClick();                 // position 2 cannot move up
    QCOMPARE(form.RankingOrder(), kInitialOrder);
    list->setCurrentRow(3);
    form.sbUpClick();
    QCOMPARE(list->currentRow(), 2);
    QCOMPARE(list->item(2)->text(), QStringLiteral(" - брой деца до 18 г."));
    QVERIFY(form.RankingOrder().contains(QStringLiteral("POINTS DESC,KIDS DESC,REGDATE,")));
    form.sbDownClick();
    QCOMPARE(form.RankingOrder(), kInitialOrder);
    list->setCurrentRow(8);
    form.sbDownClick();
    QCOMPARE(list->currentRow(), 8);
    list->setCurrentRow(1);
    form.sbDownClick();
    QCOMPARE(form.RankingOrder(), kInitialOrder);
    form.close();
  }
};

QTEST_MAIN(TestRankingCriteria)
#include "test_ranking_criteria.moc"
