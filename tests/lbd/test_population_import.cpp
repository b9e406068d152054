// Filling the reference library's store: the CSV extract through "tesaro-admin population
// import" (separators, quotes, headers, refusals that write nothing) and the store written to
// match a seeded register, which the names comparison then finds.
#include <QtTest>

#include "data/firebird/database.h"
#include "lbd/lbd_names.h"
#include "lbd/person_info.h"
#include "population_command.h"
#include "population_fixture.h"
#include "seed_population.h"
#include "seed_writer.h"
#include "temp_register.h"

namespace {
QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
  const QString path = dir.filePath(name);
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write(bytes);
  return path;
}

struct CommandRun {
  int code = -1;
  QString out;
  QString err;
};

CommandRun Run(const QStringList& args) {
  CommandRun run;
  QTextStream out(&run.out);
  QTextStream err(&run.err);
  run.code = RunPopulation(args, out, err);
  out.flush();
  err.flush();
  return run;
}
}  // namespace

class TestPopulationImport : public QObject {
  Q_OBJECT

 private slots:
  void importsAnExtract() {
    PopulationFixture store;
    QTemporaryDir dir;
    const QByteArray csv =
        "\xEF\xBB\xBF"
        "EGN;FirstName;MiddleName;LastName;PAddrStreet;PAddrDate;IdDocDate\r\n"
        "7501010010;Иван;Петров;Иванов;\"ул. \"\"Шипка\"\"; 5\";20100405;2020\r\n"
        "\r\n"
        "8002020020;Мария;Иванова;Петрова;\"ул. Дълга\nвтори ред\";;\r\n"
        ";Без;Номер;;;;\r\n"
        "7501010010;Иван;Петров;Колев;;;\r\n";
    const QString path = WriteFile(dir, QStringLiteral("extract.csv"), csv);
    const CommandRun run = Run({QStringLiteral("import"), path});  // the store from TESARO_POPULATION_DB
    QCOMPARE(run.code, 0);
    QVERIFY2(run.out.contains(QStringLiteral("Заредени 3 лица")), qPrintable(run.out));
    QVERIFY(run.out.contains(QStringLiteral("От тях 1 с ЕГН, което вече беше")));
    QVERIFY(run.out.contains(QStringLiteral("Пропуснати 1 реда без ЕГН")));
    QVERIFY(run.out.contains(QStringLiteral("1 дати не са във вида ГГГГММДД")));
    QVERIFY(run.out.contains(QStringLiteral(" PAddrPopulatedPlace ")));

    TPersonInfo person;
    QVERIFY(person.LoadByEGN(QStringLiteral("7501010010")));
    QCOMPARE(person.FullName(), QStringLiteral("Иван Петров Колев"));  // the later row wins
    QVERIFY(person.LoadByEGN(QStringLiteral("8002020020")));
    QCOMPARE(person.PAddrStreet, QStringLiteral("ул. Дълга\nвтори ред"));
    QCOMPARE(person.PAddrDate, 0.0);
  }

  void quotedSeparatorsAndCommas() {
    PopulationFixture store;
    QTemporaryDir dir;
    const QString path = WriteFile(dir, QStringLiteral("extract.csv"),
                                   "EGN,FirstName,PAddrStreet\n7501010010,Иван,\"ул. \"\"Шипка\"\", 5\"\n");
    QCOMPARE(Run({QStringLiteral("import"), path, QStringLiteral("--db"), QString::fromStdString(store.Path())}).code, 0);
    TPersonInfo person;
    QVERIFY(person.LoadByEGN(QStringLiteral("7501010010")));
    QCOMPARE(person.PAddrStreet, QStringLiteral("ул. \"Шипка\", 5"));
  }

  void refusalsWriteNothing_data() {
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown column") << QByteArray("EGN,FirstName,Nickname\n1,А,Б\n") << "Непозната колона";
    QTest::newRow("no EGN column") << QByteArray("FirstName\nА\n") << "няма колона EGN";
    QTest::newRow("short row") << QByteArray("EGN,FirstName\n1,А\n2\n") << "Ред 3: 1 полета вместо 2";
    QTest::newRow("not UTF-8") << QByteArray("EGN,FirstName\n1,\xC8\xE2\xE0\xED\n") << "Ред 2: текстът не е в UTF-8";
    // Byte patterns of the UTF-8 shape that stand for no character.
    QTest::newRow("surrogate") << QByteArray("EGN,FirstName\n1,\xED\xA0\x80\n") << "Ред 2: текстът не е в UTF-8";
    QTest::newRow("overlong") << QByteArray("EGN,FirstName\n1,\xE0\x80\xAF\n") << "Ред 2: текстът не е в UTF-8";
    QTest::newRow("overlong of four") << QByteArray("EGN,FirstName\n1,\xF0\x8F\xBF\xBF\n") << "Ред 2: текстът не е в UTF-8";
    QTest::newRow("beyond U+10FFFF") << QByteArray("EGN,FirstName\n1,\xF4\x90\x80\x80\n") << "Ред 2: текстът не е в UTF-8";
    QTest::newRow("open quote") << QByteArray("EGN,FirstName\n1,\"А\n") << "кавичките не са затворени";
  }
  void refusalsWriteNothing() {
    QFETCH(QByteArray, csv);
    QFETCH(QString, message);
    PopulationFixture store;
    QTemporaryDir dir;
    const CommandRun run = Run({QStringLiteral("import"), WriteFile(dir, QStringLiteral("bad.csv"), csv)});
    QCOMPARE(run.code, 1);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(run.err.contains(QStringLiteral("нищо не е записано")));
    TPersonInfo person;
    QVERIFY(!person.LoadByEGN(QStringLiteral("1")));
  }

  void usage() {
    qunsetenv(kPopulationDbVariable);
    QCOMPARE(Run({}).code, 2);
    QCOMPARE(Run({QStringLiteral("export"), QStringLiteral("x.csv")}).code, 2);
    const CommandRun noStore = Run({QStringLiteral("import"), QStringLiteral("x.csv")});
    QCOMPARE(noStore.code, 2);
    QVERIFY(noStore.err.contains(QStringLiteral("TESARO_POPULATION_DB")));
    QCOMPARE(Run({QStringLiteral("import"), QStringLiteral("/no/such.csv"), QStringLiteral("--db"), QStringLiteral("/tmp/p.sqlite")}).code, 1);
  }

  // The seeded register's store differs in exactly the names it says it changed.
  void storeForASeededRegister() {
    TempRegister reg;
    PopulationFixture store;
    Database database;
    database.Attach(reg.Params());
    SeedRequest request;
    request.cards = 300;
    request.seed = 7;
    request.today = QDate(2025, 6, 1);
    const SeedSummary seeded = SeedRegister(database, request);
    const PopulationSeedSummary summary =
        WritePopulationForSeed(database, QString::fromStdString(store.Path()), request.seed);
    database.Detach();
    QCOMPARE(summary.persons, seeded.members);
    QCOMPARE(summary.written + summary.leftOut, summary.persons);
    QCOMPARE(summary.sameName + summary.otherCase + summary.otherOrder + summary.misspelt, summary.written);
    QVERIFY(summary.leftOut > 0 && summary.otherCase > 0 && summary.otherOrder > 0 && summary.misspelt > 0);
    QVERIFY(summary.sameName > summary.persons * 3 / 4);

    TPersonInfo person;
    const std::vector<LbdNameRow> rows = FindDifferingNames(reg.Data(), person);
    QCOMPARE(static_cast<int>(rows.size()), summary.otherCase + summary.otherOrder + summary.misspelt);
    QVERIFY(person.LoadByEGN(rows.front().egn));
    QVERIFY(!person.PAddrPopulatedPlace.isEmpty() && person.IdDocDate != 0);
  }
};

QTEST_GUILESS_MAIN(TestPopulationImport)
#include "test_population_import.moc"
