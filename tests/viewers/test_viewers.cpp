// The nomenclature viewer and the action history viewer offscreen: the walk through the code
// lists, read-only cells and deletion on confirmation; the cut action text, the double-click
// rules and the text window.
#include <QAbstractItemModel>
#include <QApplication>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "controls.h"
#include "data/firebird/statement.h"
#include "recording_messages.h"
#include "temp_register.h"
#include "viewers/ui/log_form.h"
#include "viewers/ui/memo_form.h"
#include "viewers/ui/nom_form.h"

namespace {
QList<int> VisibleColumns(const TNomForm& form) {
  QList<int> visible;
  auto* grid = Control<QTableView>(form, "NomGrid");
  for (int c = 0; c < grid->model()->columnCount(); ++c)
    if (!grid->isColumnHidden(c)) visible << c;
  return visible;
}

int NomRows(const ConnectionParams& params) {
  Database db;
  db.Attach(params);
  Statement count(db, QStringLiteral("select count(*) from NOM"));
  return count.ScalarValue().toInt();
}

void AddHistory(TDataModule1& data, const QString& user, const QString& text) {
  Statement insert(data.Db(), QStringLiteral(
      "insert into INF_LOG (USER_ID, TYPE_T, T_ID, T_TEXT, C_DATE, S_DATE, U_NAME) "
      "values (1, 'RGS_CARD', 7, ?, '01.02.2024 10:11:12', '01.02.2024 10:11:13', ?)"));
  insert.BindAll({text, user});
  insert.Execute();
}
}  // namespace

class TestViewers : public QObject {
  Q_OBJECT

  std::unique_ptr<TempRegister> reg_;

 private slots:
  void initTestCase() { reg_ = std::make_unique<TempRegister>(); }
  void cleanupTestCase() { reg_.reset(); }

  void nomenclatureWalk() {
    TNomForm form(reg_->Data());
    form.show();
    QCOMPARE(form.windowTitle(), QStringLiteral("Номенклатури"));
    const QStringList titles = {"Номер", "Група", "Особености", "Състояние", "Социална Група", "Данни за жилището",
                                "Основание за обитаване", "Картотекиран за "};
    auto* grid = Control<QTableView>(form, "NomGrid");
    for (int c = 0; c < titles.size(); ++c)
      QCOMPARE(grid->model()->headerData(c, Qt::Horizontal).toString(), titles[c]);
    QCOMPARE(VisibleColumns(form), (QList<int>{0, 1}));
    QVERIFY(grid->model()->rowCount() > 0);

    Control<QPushButton>(form, "bPrev")->click();  // no wrapping below the first list
    QCOMPARE(form.ListIndex(), 1);
    for (int i = 0; i < 7; ++i) Control<QPushButton>(form, "bNext")->click();
    QCOMPARE(form.ListIndex(), 7);
    QCOMPARE(VisibleColumns(form), (QList<int>{0, 7}));
    Control<QPushButton>(form, "bPrev")->click();
    QCOMPARE(VisibleColumns(form), (QList<int>{0, 6}));

    // Closed on "Състояние", opened again: "Група" alone.
    while (form.ListIndex() > 3) Control<QPushButton>(form, "bPrev")->click();
    QCOMPARE(VisibleColumns(form), (QList<int>{0, 3}));
    Control<QPushButton>(form, "SpeedButton3")->click();
    QVERIFY(!form.isVisible());
    form.show();
    QCOMPARE(VisibleColumns(form), (QList<int>{0, 1}));
  }

  void nomenclatureIsReadOnlyButDeletesOnOk() {
    TDataModule1& data = reg_->Data();
    TNomForm form(data);
    form.show();
    auto* grid = Control<QTableView>(form, "NomGrid");
    QAbstractItemModel* model = grid->model();
    const QModelIndex cell = model->index(0, 1);
    const QString before = cell.data().toString();
    QVERIFY(!(model->flags(cell) & Qt::ItemIsEditable));
    QVERIFY(!model->setData(cell, QStringLiteral("друго")));
    grid->setCurrentIndex(cell);
    QTest::keyClicks(grid, QStringLiteral("xyz"));
    QTest::keyClick(grid, Qt::Key_F2);
    QCOMPARE(model->index(0, 1).data().toString(), before);

    const int rows = model->rowCount();
    const int stored = NomRows(reg_->Params());
    RecordingMessages messages;
    messages.answers = {MessageAnswer::Cancel};
    QTest::keyClick(grid, Qt::Key_Delete);  // without Ctrl: nothing
    QVERIFY(messages.shown.empty());
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(messages.Texts(), QStringList{QStringLiteral("Delete record?")});
    QCOMPARE(messages.shown.back().buttons, MessageButtons::OkCancel);
    QCOMPARE(model->rowCount(), rows);

    messages.answers = {MessageAnswer::Ok};
    grid->setCurrentIndex(model->index(0, 1));
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(model->rowCount(), rows - 1);
    QCOMPARE(VisibleColumns(form), (QList<int>{0, 1}));
    // In the shared transaction: committed with the program's next commit.
    data.Commit();
    QCOMPARE(NomRows(reg_->Params()), stored - 1);
  }

  void historyList() {
    TDataModule1& data = reg_->Data();
    const QString exact = QString(150, u'а');
    const QString longText = QString(150, u'б') + QStringLiteral("край\nвтори ред");
    data.BeginWrite();
    AddHistory(data, QStringLiteral("clerk"), QStringLiteral("Вход в системата"));
    AddHistory(data, QStringLiteral("clerk"), exact);
    AddHistory(data, QStringLiteral("admin"), longText);
    data.Commit();

    TLogF viewer(data);
    QCOMPARE(viewer.windowTitle(), QStringLiteral("История на действията"));
    QCOMPARE(viewer.size(), QSize(696, 480));
    QTableWidget* grid = Control<QTableWidget>(viewer, "DBGrid1");
    QCOMPARE(grid->horizontalHeaderItem(1)->text(), QStringLiteral("Извършено действие"));
    // The user and the times are never cut, nor their titles; the action fills the rest.
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    for (int column : {0, 2, 3}) {
      int widest = 0;
      for (int row = 0; row < grid->rowCount(); ++row)
        widest = std::max(widest, grid->fontMetrics().horizontalAdvance(grid->item(row, column)->text()));
      QVERIFY2(grid->columnWidth(column) > widest, qPrintable(QString::number(column)));
      QVERIFY2(grid->columnWidth(column) >= grid->horizontalHeader()->sectionSizeHint(column),
               qPrintable(QString::number(column)));
    }
    int total = 0;
    for (int column = 0; column < 4; ++column) total += grid->columnWidth(column);
    QCOMPARE(total, grid->viewport()->width());
    QVERIFY(grid->columnWidth(1) > grid->columnWidth(2));
    QCOMPARE(grid->rowCount(), 3);
    QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("clerk"));
    QCOMPARE(grid->item(1, 1)->text(), exact);
    QCOMPARE(grid->item(2, 1)->text(), QString(150, u'б'));
    QCOMPARE(grid->item(2, 2)->text(), QStringLiteral("01.02.2024 10:11:12"));
    QCOMPARE(grid->item(2, 3)->text(), QStringLiteral("01.02.2024 10:11:13"));
    QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);

    QStringList opened;
    SetActionTextShower([&](QWidget*, const QString& text) { opened << text; });
    const auto restoreShower = qScopeGuard([] { SetActionTextShower({}); });
    for (int column : {0, 2, 3}) emit grid->cellDoubleClicked(2, column);
    QVERIFY(opened.isEmpty());
    emit grid->cellDoubleClicked(2, 1);
    QCOMPARE(opened, QStringList{longText});
  }

  // The text window shows the whole text in lines; what is typed there goes nowhere.
  void textWindow() {
    TDataModule1& data = reg_->Data();
    data.BeginWrite();
    AddHistory(data, QStringLiteral("clerk"), QStringLiteral("първи ред\nвтори ред"));
    data.Commit();
    TLogF viewer(data);
    auto* grid = Control<QTableWidget>(viewer, "DBGrid1");
    const int row = grid->rowCount() - 1;
    QString shown;
    int lines = 0;
    QTimer::singleShot(0, [&] {
      auto* memo = qobject_cast<TfrmuMemo*>(QApplication::activeModalWidget());
      QVERIFY(memo);
      QVERIFY(memo->windowTitle().isEmpty());
      auto* text = Control<QPlainTextEdit>(memo, "ml");
      QCOMPARE(text->lineWrapMode(), QPlainTextEdit::WidgetWidth);
      QVERIFY(memo->isSizeGripEnabled());
      QVERIFY(memo->width() >= 400);
      shown = text->toPlainText();
      lines = text->document()->blockCount();
      QTest::keyClicks(text, QStringLiteral("typed"));
      memo->close();
    });
    emit grid->cellDoubleClicked(row, TLogF::kActionColumn);
    QCOMPARE(shown, QStringLiteral("първи ред\nвтори ред"));
    QCOMPARE(lines, 2);
    TLogF again(data);
    QCOMPARE(again.Rows().back().text, QStringLiteral("първи ред\nвтори ред"));
  }
};

QTEST_MAIN(TestViewers)
#include "test_viewers.moc"
