// The action history writer: the statement it composes, the client-time rule, apostrophes
// and blanks, and that records wait for the next commit (or the closing of the connection).
#include <QtTest>

#include "core/clock.h"
#include "data/action_log.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "temp_register.h"

class TestActionLog : public QObject {
  Q_OBJECT
 private slots:
  void composesTheRecordStatement_data() {
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("expected");
    QTest::newRow("card creation")
        << "clerk1" << "Създаване на картон с регистрационен номер 1034" << QDateTime(QDate(2014, 3, 5), QTime(10, 22, 41))
        << "insert into inf_log(U_NAME,USER_ID,TYPE_T,T_ID,T_TEXT,C_DATE,S_DATE)values('clerk1',7,'RGS_CARD',1034,"
           "'Създаване на картон с регистрационен номер 1034','05.03.2014 10:22:41',current_timestamp)";
    QTest::newRow("midnight drops the time, blanks collapse")
        << "clerk1" << "Промяна  на   състояние  Включен в списъка     " << QDateTime(QDate(2014, 3, 5), QTime(0, 0))
        << "insert into inf_log(U_NAME,USER_ID,TYPE_T,T_ID,T_TEXT,C_DATE,S_DATE)values('clerk1',7,'RGS_CARD',1034,"
           "'Промяна на състояние Включен в списъка ','05.03.2014',current_timestamp)";
    QTest::newRow("one second after midnight keeps it")
        << "clerk1" << "x" << QDateTime(QDate(2014, 3, 5), QTime(0, 0, 1))
        << "insert into inf_log(U_NAME,USER_ID,TYPE_T,T_ID,T_TEXT,C_DATE,S_DATE)values('clerk1',7,'RGS_CARD',1034,"
           "'x','05.03.2014 00:00:01',current_timestamp)";
    QTest::newRow("apostrophes doubled")
        << "o'neil" << "Име Д'Арк" << QDateTime(QDate(2014, 3, 5), QTime(9, 5, 0))
        << "insert into inf_log(U_NAME,USER_ID,TYPE_T,T_ID,T_TEXT,C_DATE,S_DATE)values('o''neil',7,'RGS_CARD',1034,"
           "'Име Д''Арк','05.03.2014 09:05:00',current_timestamp)";
  }
  void composesTheRecordStatement() {
    QFETCH(QString, user);
    QFETCH(QString, action);
    QFETCH(QDateTime, now);
    QFETCH(QString, expected);
    QCOMPARE(ComposeLogActionSql(user, 7, QStringLiteral("RGS_CARD"), 1034, action, now), expected);
  }

  void storesRecordsThatLastUntilTheConnectionCloses() {
    TempRegister reg;
    {
      TDataModule1 data;
      data.Connect(reg.Params());
      QVERIFY_THROWS_EXCEPTION(DbError, LogAction(data, 1, QStringLiteral("SYSTEM"), QStringLiteral("преди вход")));
      data.SetCurrentUser(QStringLiteral("д'Артанян"), 3);
      {
        Clock::FixedNow midnight(QDateTime(QDate(2026, 12, 10), QTime(0, 0)));
        LogAction(data, 3, QStringLiteral("SYSTEM"), QStringLiteral("Влизане на потребител с име  д'Артанян"));
      }
      Clock::FixedNow later(QDateTime(QDate(2026, 12, 10), QTime(14, 30, 5)));
      LogAction(data, 1034, QStringLiteral("RGS_CARD"), QStringLiteral("Промяна на група"));
      data.Disconnect();  // no explicit commit: closing the connection commits
    }
    TDataModule1 reader;
    reader.Connect(reg.Params());
    Statement rows(reader.Db(), QStringLiteral("select LOG_ID, U_NAME, USER_ID, TYPE_T, T_ID, T_TEXT, C_DATE, S_DATE "
                                               "from INF_LOG order by LOG_ID"));
    rows.Open();
    QVERIFY(rows.Next());
    const int firstId = rows.Value(0).toInt();
    QCOMPARE(rows.Value(1).toString(), QStringLiteral("д'Артанян"));
    QCOMPARE(rows.Value(2).toInt(), 3);
    QCOMPARE(rows.Value(3).toString(), QStringLiteral("SYSTEM"));
    QCOMPARE(rows.Value(4).toInt(), 3);
    QCOMPARE(rows.Value(5).toString(), QStringLiteral("Влизане на потребител с име д'Артанян"));
    QCOMPARE(rows.Value(6).toDateTime(), QDateTime(QDate(2026, 12, 10), QTime(0, 0)));
    QVERIFY(!rows.IsNull(7));  // the server's time
    QVERIFY(rows.Next());
    QVERIFY(rows.Value(0).toInt() > firstId);
    QCOMPARE(rows.Value(4).toInt(), 1034);
    QCOMPARE(rows.Value(6).toDateTime(), QDateTime(QDate(2026, 12, 10), QTime(14, 30, 5)));
    QVERIFY(!rows.Next());
  }

  void rollbackLosesUncommittedRecords() {
    TempRegister reg;
    TDataModule1& data = reg.Data();
    data.SetCurrentUser(QStringLiteral("clerk"), 1);
    LogAction(data, 1, QStringLiteral("SYSTEM"), QStringLiteral("изгубен"));
    data.Rollback();
    Statement count(data.Db(), QStringLiteral("select count(*) from INF_LOG"));
    QCOMPARE(count.ScalarValue().toInt(), 0);
  }
};

QTEST_GUILESS_MAIN(TestActionLog)
#include "test_action_log.moc"
