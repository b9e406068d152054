// Filling the reference library's store: the CSV extract through "tesaro-admin population
// import" (separators, quotes, headers; refusals that name the line and column and write nothing) and the store written to
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
                                   "EGN,FirstName,PAddrStreet\n7501010010, \"Иван\" ,\"ул. \"\"Шипка\"\", 5\"\n");
    QCOMPARE(Run({QStringLiteral("import"), path, QStringLiteral("--db"), QString::fromStdString(store.Path())}).code, 0);
    TPersonInfo person;
    QVERIFY(person.LoadByEGN(QStringLiteral("7501010010")));
    QCOMPARE(person.PAddrStreet, QStringLiteral("ул. \"Шипка\", 5"));
    QCOMPARE(person.FirstName, QStringLiteral("Иван"));  // blanks around a quoted value dropped
  }

  // Each extract is refused naming the line (and the column, where there is one); neither an
  // existing store nor a new one takes anything, not even the good row before the bad one.
  void refusalsWriteNothing_data() {
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QString>("message");
    const QByteArray good = "EGN,FirstName\n2,Добър\n";
    const QByteArray nul(1, '\0');
    QTest::newRow("unknown column") << QByteArray("EGN,FirstName,Nickname\n1,А,Б\n")
                                    << "Ред 1, колона 3: непозната колона в заглавния ред \"Nickname\"";
    QTest::newRow("no EGN column") << QByteArray("FirstName\nА\n") << "няма колона EGN";
    QTest::newRow("property twice") << QByteArray("EGN,FirstName,LastName,FirstName\n1,А,Б,В\n")
                                    << "Ред 1, колони 2 и 4: колоната FirstName е два пъти в заглавния ред";
    QTest::newRow("EGN twice") << QByteArray("EGN,FirstName, EGN\n1,А,1\n")
                               << "Ред 1, колони 1 и 3: колоната EGN е два пъти";
    QTest::newRow("short row") << good + "1,А\n2\n" << "Ред 4: 1 полета вместо 2";
    QTest::newRow("not UTF-8") << good + "1,\xC8\xE2\xE0\xED\n"
                               << "Ред 3, колона 2 (FirstName): текстът не е в UTF-8 (байт C8)";
    QTest::newRow("surrogate") << good + "1,Ив\xED\xA0\x80ан\n"
                               << "Ред 3, колона 2 (FirstName): текстът не е в UTF-8 (байт ED)";
    QTest::newRow("overlong slash") << good + "1,\xC0\xAF\n" << "колона 2 (FirstName): текстът не е в UTF-8 (байт C0)";
    QTest::newRow("overlong three bytes") << good + "1,\xE0\x80\xAF\n" << "текстът не е в UTF-8 (байт E0)";
    QTest::newRow("overlong of four") << good + "1,\xF0\x8F\xBF\xBF\n" << "текстът не е в UTF-8 (байт F0)";
    QTest::newRow("bad bytes around a carriage return") << good + "1,\xE0\xA0\r\x80\n"
                                                        << "Ред 3, колона 2 (FirstName): текстът не е в UTF-8 (байт E0)";
    QTest::newRow("past U+10FFFF") << good + "1,\xF4\x90\x80\x80\n" << "текстът не е в UTF-8 (байт F4)";
    QTest::newRow("cut sequence") << good + "1\xD0,Иван\n" << "Ред 3, колона 1 (EGN): текстът не е в UTF-8 (байт D0)";
    QTest::newRow("bad byte on a value's second line")
        << QByteArray("EGN,PAddrStreet\n2,\"ул. Дълга\nвтори \xFF ред\"\n")
        << "Ред 3, колона 2 (PAddrStreet): текстът не е в UTF-8 (байт FF)";
    QTest::newRow("NUL in a value") << good + "1,Ив" + nul + "ан\n"
                                    << "Ред 3, колона 2 (FirstName): стойността съдържа нулев байт (NUL)";
    QTest::newRow("NUL in the EGN") << good + "1" + nul + ",Иван\n"
                                    << "Ред 3, колона 1 (EGN): стойността съдържа нулев байт (NUL)";
    QTest::newRow("NUL in the header") << "EGN,First" + nul + "Name\n1,А\n"
                                       << "Ред 1, колона 2: стойността съдържа нулев байт (NUL)";
    QTest::newRow("text after the closing quote") << good + "1,\"Б\"В\n"
                                                  << "Ред 3, колона 2 (FirstName): текст след затварящата кавичка";
    QTest::newRow("quote inside a value") << good + "1,А\"Б\"В\n"
                                          << "Ред 3, колона 2 (FirstName): кавичка в стойност, която не започва с кавичка";
    QTest::newRow("open quote") << good + "1,\"А\n" << "Ред 3, колона 2 (FirstName): кавичките не са затворени";
  }
  void refusalsWriteNothing() {
    QFETCH(QByteArray, csv);
    QFETCH(QString, message);
    PopulationFixture store;
    store.AddName(QStringLiteral("1"), QStringLiteral("Стар"), QString(), QString());
    QTemporaryDir dir;
    const QString path = WriteFile(dir, QStringLiteral("bad.csv"), csv);
    const QString newStore = dir.filePath(QStringLiteral("new.sqlite"));
    for (const QStringList& args : {QStringList{QStringLiteral("import"), path},
                                    QStringList{QStringLiteral("import"), path, QStringLiteral("--db"), newStore}}) {
      const CommandRun run = Run(args);
      QCOMPARE(run.code, 1);
      QVERIFY2(run.err.contains(message), qPrintable(run.err));
      QVERIFY(run.err.contains(QStringLiteral("нищо не е записано")));
    }
    QVERIFY(!QFileInfo::exists(newStore));
    TPersonInfo person;
    QVERIFY(person.LoadByEGN(QStringLiteral("1")));
    QCOMPARE(person.FirstName, QStringLiteral("Стар"));
    QVERIFY(!person.LoadByEGN(QStringLiteral("2")));
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
