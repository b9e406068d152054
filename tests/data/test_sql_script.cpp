// Splitting the schema script into statements.
#include <QtTest>

#include "data/schema/register_setup.h"
#include "data/schema/sql_script.h"

class TestSqlScript : public QObject {
  Q_OBJECT
 private slots:
  void splitsOnTerminatorsCommentsAndSetTerm() {
    const QString script = QStringLiteral(
        "/* header; with a semicolon */\n"
        "CREATE TABLE A (X INTEGER); -- comment; here\n"
        "INSERT INTO A VALUES ('a;b');\n"
        "SET TERM ^ ;\n"
        "CREATE TRIGGER T FOR A BEFORE INSERT AS BEGIN NEW.X = 1; END^\n"
        "SET TERM ; ^\n"
        "DROP TABLE A;\n");
    const QStringList statements = SplitSqlScript(script);
    QCOMPARE(statements.size(), 4);
    QCOMPARE(statements[0], QStringLiteral("CREATE TABLE A (X INTEGER)"));
    QCOMPARE(statements[1], QStringLiteral("INSERT INTO A VALUES ('a;b')"));
    QCOMPARE(statements[2], QStringLiteral("CREATE TRIGGER T FOR A BEFORE INSERT AS BEGIN NEW.X = 1; END"));
    QCOMPARE(statements[3], QStringLiteral("DROP TABLE A"));
  }

  void schemaScriptHasEveryTable() {
    const QString all = SplitSqlScript(QString::fromUtf8(RegisterSchemaScript())).join(u'\n');
    for (const char* table : {"RGS_CARD", "RGS_PERSON", "NOM", "INF_LOG", "USERS", "KLAS_NOM"})
      QVERIFY2(all.contains(QStringLiteral("CREATE TABLE %1 (").arg(QLatin1String(table))), table);
  }
};

QTEST_GUILESS_MAIN(TestSqlScript)
#include "test_sql_script.moc"
