// Seeding a register with tesaro-admin seed: the households keep the register's invariants
// (one holder, member counts, unique numbers, known codes), personal numbers and ages fit
// the roles, the same seed gives the same register, and bad arguments change nothing.
#include <QtTest>

#include "admin_exit.h"
#include "admin_process.h"
#include "core/date_time.h"
#include "core/egn_rules.h"
#include "data/firebird/database.h"
#include "data/firebird/statement.h"
#include "seed_generator.h"
#include "seed_writer.h"
#include "temp_register.h"

namespace {
const QDate kToday(2026, 3, 15);
const QString kTodayText = QStringLiteral("15.03.2026");
constexpr int kCards = 300;

QVariant Scalar(Database& db, const QString& sql) { return Statement(db, sql).ScalarValue(); }

struct Member {
  int cardId;
  int regNum;
  int role;
  QString name;
  QString egn;
};

std::vector<Member> Members(Database& db) {
  Statement query(db, QStringLiteral("select c.CARD_ID, c.REG_NUM, p.PERSON_TYPE, p.NAME, p.EGN from RGS_CARD c "
                                     "join RGS_PERSON p on p.CARD_ID = c.CARD_ID order by c.REG_NUM, p.PERSON_ID"));
  std::vector<Member> members;
  query.Open();
  while (query.Next())
    members.push_back({query.Value(0).toInt(), query.Value(1).toInt(), query.Value(2).toInt(),
                       query.Value(3).toString().trimmed(), query.Value(4).toString().trimmed()});
  return members;
}

// Age in whole years on kToday, or -1 when the number encodes no date.
int AgeOf(const QString& egn) {
  if (EGNDateAfterYears(egn, 0) == 0) return -1;
  int years = 0;
  while (EGNDateAfterYears(egn, years + 1) <= DateValue(kToday)) ++years;
  return years;
}
}  // namespace

class TestAdminSeed : public QObject {
  Q_OBJECT
  TempRegister* seeded_ = nullptr;

 private slots:
  void initTestCase() {
    seeded_ = new TempRegister(QStringLiteral("Община Смолян"));
    const AdminRun run =
        RunAdmin({QStringLiteral("seed"), seeded_->Params().path, QStringLiteral("--cards"), QString::number(kCards),
                  QStringLiteral("--seed"), QStringLiteral("42"), QStringLiteral("--date"), kTodayText});
    QVERIFY2(run.exitCode == kExitOk, qPrintable(run.err));
    QVERIFY2(run.err.contains(QStringLiteral("Записани 300 от 300")), qPrintable(run.err));  // progress
    QVERIFY2(run.out.contains(QStringLiteral("1–300")), qPrintable(run.out));
  }
  void cleanupTestCase() { delete seeded_; }

  void registerInvariantsHold() {
    Database db;
    db.Attach(seeded_->Params());
    QCOMPARE(Scalar(db, QStringLiteral("select count(*) from RGS_CARD")).toInt(), kCards);
    // Exactly one holder per card.
    QCOMPARE(Scalar(db, QStringLiteral("select count(*) from RGS_CARD c where (select count(*) from RGS_PERSON p "
                                       "where p.CARD_ID = c.CARD_ID and p.PERSON_TYPE = 0) <> 1"))
                 .toInt(),
             0);
    QCOMPARE(Scalar(db, QStringLiteral("select count(*) from RGS_CARD c where FAMILY_MEMBER_COUNT is distinct from "
                                       "(select count(*) from RGS_PERSON p where p.CARD_ID = c.CARD_ID)"))
                 .toInt(),
             0);
    QCOMPARE(Scalar(db, QStringLiteral("select min(FAMILY_MEMBER_COUNT) from RGS_CARD")).toInt(), 1);
    QCOMPARE(Scalar(db, QStringLiteral("select max(FAMILY_MEMBER_COUNT) from RGS_CARD")).toInt(), 6);
    QCOMPARE(Scalar(db, QStringLiteral("select count(distinct REG_NUM) from RGS_CARD")).toInt(), kCards);
    QCOMPARE(Scalar(db, QStringLiteral("select min(REG_NUM) from RGS_CARD")).toInt(), 1);
    QCOMPARE(Scalar(db, QStringLiteral("select max(REG_NUM) from RGS_CARD")).toInt(), kCards);
    QCOMPARE(
        Scalar(db, QStringLiteral("select count(*) from RGS_CARD where ADD_USER <> 'Default' or GROUP1 <> GRUPA + 1 "
                                  "or REGDATE > '15.03.2026' or ADRESS_DATE > REGDATE or GRUPA_DATE < REGDATE"))
            .toInt(),
        0);
    // Every code is a code of its list in NOM.
    const QList<QPair<QString, QString>> codes = {{"c.GRUPA", "GROUP1"},
                                                  {"c.GROUP2", "GROUP2"},
                                                  {"c.STATUS", "STATUS"},
                                                  {"c.L_DATA", "LDATA"},
                                                  {"c.L_REASON", "LREASON"},
                                                  {"c.KART", "KARTFOR"},
                                                  {"c.NAST_VID_APART", "NAST_VID_APART"},
                                                  {"c.NAST_TERM", "NAST_TERM"}};
    for (const auto& [column, list] : codes) {
      const QString sql = QStringLiteral(
                              "select count(*) from RGS_CARD c where %1 is not null and not exists "
                              "(select 1 from NOM n where n.N = %1 and n.%2 is not null)")
                              .arg(column, list);
      QVERIFY2(Scalar(db, sql).toInt() == 0, qPrintable(column));
    }
    QCOMPARE(Scalar(db, QStringLiteral("select count(*) from RGS_PERSON p where p.SOCGRUPA is not null and not exists "
                                       "(select 1 from NOM n where n.N = p.SOCGRUPA and n.SOCGRUPA is not null)"))
                 .toInt(),
             0);
    // State 1 (in the annual list) is the common one.
    QCOMPARE(Scalar(db, QStringLiteral("select first 1 STATUS from RGS_CARD group by STATUS order by count(*) desc"))
                 .toInt(),
             1);
    QVERIFY(Scalar(db, QStringLiteral("select count(*) from RGS_CARD where NOTES is not null")).toInt() > 0);
    QCOMPARE(Scalar(db, QStringLiteral("select count(*) from RGS_CARD where ALONE_PARENT not in (1, 2) "
                                       "or HARD_LIFE not in (-1, 0)"))
                 .toInt(),
             0);
  }

  void personalNumbersAndAgesFitTheRoles() {
    Database db;
    db.Attach(seeded_->Params());
    const std::vector<Member> members = Members(db);
    std::map<int, int> perRole;
    int brokenHolders = 0, minorChildren = 0, children = 0, centuries[3] = {0, 0, 0};
    for (const Member& m : members) {
      ++perRole[m.role];
      const int age = AgeOf(m.egn);
      if (m.role == 0 && age < 0) {
        ++brokenHolders;
        continue;
      }
      QVERIFY2(age >= 0, qPrintable(m.egn));  // only holders are broken on purpose
      const int month = m.egn.mid(2, 2).toInt();
      ++centuries[month > 40 ? 2 : (month > 20 ? 0 : 1)];
      const bool male = m.egn.at(8).digitValue() % 2 == 0;
      // Three names; a woman's family name is the female form.
      const QStringList parts = m.name.split(u' ');
      QCOMPARE(parts.size(), 3);
      if (!male)
        QVERIFY2(parts[2].endsWith(QStringLiteral("ова")) || parts[2].endsWith(QStringLiteral("ева")),
                 qPrintable(m.name));
      if (male)
        QVERIFY2(parts[2].endsWith(QStringLiteral("ов")) || parts[2].endsWith(QStringLiteral("ев")),
                 qPrintable(m.name));
      switch (m.role) {
        case 0:
        case 4:
          QVERIFY2(age >= 18, qPrintable(m.egn));
          break;
        case 1:
        case 2:
          QVERIFY2(age >= 18, qPrintable(m.egn));
          QCOMPARE(male, m.role == 1);  // "Съпруг" is a man, "Съпруга" a woman
          break;
        case 3:
          ++children;
          if (age < 18) ++minorChildren;
          break;
        case 5:  // not born yet: the made-up number lies ahead
          QVERIFY2(EGNDateAfterYears(m.egn, 0) > DateValue(kToday), qPrintable(m.egn));
          break;
        default:
          QFAIL("unknown role");
      }
    }
    for (int role = 0; role <= 5; ++role) QVERIFY2(perRole[role] > 0, qPrintable(QString::number(role)));
    QCOMPARE(perRole[0], kCards);
    // A few deliberately broken holder numbers, and only a few.
    QVERIFY2(brokenHolders >= 1 && brokenHolders <= kCards / 100, qPrintable(QString::number(brokenHolders)));
    QVERIFY(minorChildren > children * 7 / 10);
    QVERIFY(minorChildren < children);              // some grown-up children too
    QVERIFY(centuries[1] > 0 && centuries[2] > 0);  // 1900s and 2000s births
  }

  void disabilityDecisions() {
    Database db;
    db.Attach(seeded_->Params());
    Statement query(db,
                    QStringLiteral("select INV_PROC, INV_DATE, TELK_NUM from RGS_PERSON where INV_PROC is not null"));
    query.Open();
    int count = 0, lifelong = 0;
    while (query.Next()) {
      ++count;
      const int percent = query.Value(0).toInt();
      QVERIFY(percent >= 50 && percent <= 100);
      const QDate until = QDate::fromString(query.Value(1).toString().trimmed(), QStringLiteral("dd.MM.yyyy"));
      QVERIFY2(until.isValid(), qPrintable(query.Value(1).toString()));
      if (until.year() > 5000) ++lifelong;
      QVERIFY(!query.Value(2).toString().trimmed().isEmpty());
    }
    QVERIFY(count > 0);
    QVERIFY(lifelong > 0 && lifelong < count);
  }

  void sameSeedSameRegisterOtherSeedAnother() {
    std::vector<Member> first;
    {
      Database db;
      db.Attach(seeded_->Params());
      first = Members(db);
    }
    auto seedWith = [](std::uint64_t seed) {
      TempRegister reg(QStringLiteral("Община Смолян"));
      Database db;
      db.Attach(reg.Params());
      SeedRequest request;
      request.cards = kCards;
      request.seed = seed;
      request.today = kToday;
      SeedRegister(db, request);
      return Members(db);
    };
    const std::vector<Member> again = seedWith(42);
    QCOMPARE(again.size(), first.size());
    for (size_t i = 0; i < first.size(); ++i) {
      QCOMPARE(again[i].regNum, first[i].regNum);
      QCOMPARE(again[i].name, first[i].name);
      QCOMPARE(again[i].egn, first[i].egn);
    }
    const std::vector<Member> other = seedWith(43);
    int same = 0;
    for (size_t i = 0; i < qMin(first.size(), other.size()); ++i) same += other[i].egn == first[i].egn;
    QVERIFY(same < 5);
  }

  void secondRunContinuesTheNumbers() {
    TempRegister reg;
    for (int cards : {30, 20}) {
      const AdminRun run =
          RunAdmin({QStringLiteral("seed"), reg.Params().path, QStringLiteral("--cards"), QString::number(cards)});
      QVERIFY2(run.exitCode == kExitOk, qPrintable(run.err));
    }
    Database db;
    db.Attach(reg.Params());
    QCOMPARE(Scalar(db, QStringLiteral("select count(distinct REG_NUM) from RGS_CARD")).toInt(), 50);
    QCOMPARE(Scalar(db, QStringLiteral("select max(REG_NUM) from RGS_CARD")).toInt(), 50);
  }

  void badArgumentsChangeNothing_data() {
    QTest::addColumn<QStringList>("args");  // %1 is the register's path
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("not a number") << QStringList{"%1", "--cards", "abc"} << kExitUsage << "„abc“";
    QTest::newRow("zero") << QStringList{"%1", "--cards", "0"} << kExitUsage << "положително";
    QTest::newRow("negative") << QStringList{"%1", "--cards", "-5"} << kExitUsage << "положително";
    QTest::newRow("too large for a number")
        << QStringList{"%1", "--cards", "99999999999"} << kExitUsage << "положително";
    QTest::newRow("no count") << QStringList{"%1"} << kExitUsage << "--cards";
    QTest::newRow("bad seed") << QStringList{"%1", "--cards", "5", "--seed", "x1"} << kExitUsage << "--seed";
    QTest::newRow("bad date") << QStringList{"%1", "--cards", "5", "--date", "31.02.2020"} << kExitUsage << "--date";
    QTest::newRow("unknown option") << QStringList{"%1", "--cards", "5", "--fast"} << kExitUsage << "--fast";
    QTest::newRow("missing file") << QStringList{"%1.missing", "--cards", "5"} << kExitFailure << "не съществува";
  }
  void badArgumentsChangeNothing() {
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    TempRegister reg;
    for (QString& arg : args) arg.replace(QStringLiteral("%1"), reg.Params().path);
    const AdminRun run = RunAdmin(QStringList{QStringLiteral("seed")} + args);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    Database db;
    db.Attach(reg.Params());
    QCOMPARE(Scalar(db, QStringLiteral("select count(*) from RGS_CARD")).toInt(), 0);
  }

  void aFileThatIsNoRegisterIsReported() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("text.fdb"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    const AdminRun run = RunAdmin({QStringLiteral("seed"), path, QStringLiteral("--cards"), QStringLiteral("3")});
    QCOMPARE(run.exitCode, kExitFailure);
    QVERIFY2(run.err.contains(QStringLiteral("Попълването спря")), qPrintable(run.err));
  }

  void brokenHolderNumbersEncodeNoDate() {
    // Whatever way a number is broken, the invalid-EGN view must pick it up.
    HouseholdGenerator generator(7, kToday);
    int broken = 0;
    for (int i = 0; i < 2000; ++i) {
      const SeedCard card = generator.Next(i + 1);
      const bool expectBroken = i % HouseholdGenerator::kBrokenHolderEvery == HouseholdGenerator::kBrokenHolderAt;
      QCOMPARE(EGNDateAfterYears(card.members.front().egn, 0) == 0, expectBroken);
      QCOMPARE(card.members.front().egn.size(), 10);
      broken += expectBroken;
    }
    QCOMPARE(broken, 10);
  }
};

QTEST_GUILESS_MAIN(TestAdminSeed)
#include "test_admin_seed.moc"
