// The data module over a fresh register: the register list (one row per card with a holder,
// row numbers, count text, lookups, member counts), the commit policy, the nomenclature
// lookups and the invalid-personal-number filter.
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "data/card_table.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "data/schema/register_indexes.h"
#include "temp_register.h"
#include "test_card.h"

namespace {
struct Member {
  QString name;
  QString egn;
  int role;
};

int AddCard(TDataModule1& data, int regNum, int grupa, int group2, int status, const QList<Member>& members) {
  TestCard card(regNum);
  card.Set(card_table::kRegDate, QDate(2021, 2, 3))
      .Set(card_table::kAdress, QStringLiteral("ул. Шипка %1").arg(regNum))
      .Set(card_table::kGroup1, grupa + 1)
      .Set(card_table::kGrupa, grupa)
      .Set(card_table::kGroup2, group2)
      .Set(card_table::kStatus, status);
  for (const Member& m : members) card.Person(m.name, m.egn, m.role);
  return card.Insert(data);
}

Member Holder(const QString& name, const QString& egn = QStringLiteral("7501010004")) { return {name, egn, 0}; }

QStringList FieldTexts(ListQuery& list, const QString& field, bool display = true) {
  QStringList values;
  const int index = list.FieldIndex(field);
  for (int row = 0; row < list.RowCount(); ++row)
    values << (display ? list.DisplayText(row, index) : list.Value(row, index).toString());
  return values;
}
}  // namespace

class TestDataModule : public QObject {
  Q_OBJECT
 private slots:
  // A register made from the schema has the descending index on the number; an older one
  // without it gets it when it is opened, and the highest number is then read from it.
  void registerNumberIndexAddedWhenOpened() {
    TempRegister reg;
    auto indexCount = [](TDataModule1& data) {
      Statement count(data.Db(), QStringLiteral("select count(*) from RDB$INDICES where RDB$INDEX_NAME = ?"));
      count.Bind(0, QString::fromLatin1(kRegNumDescendingIndex));
      const int n = count.ScalarValue().toInt();
      data.Commit();
      return n;
    };
    QCOMPARE(indexCount(reg.Data()), 1);
    reg.Data().Db().ExecuteImmediate(QStringLiteral("drop index ") + QString::fromLatin1(kRegNumDescendingIndex));
    reg.Data().Commit();
    QCOMPARE(indexCount(reg.Data()), 0);
    reg.Data().Disconnect();
    TDataModule1 reopened;
    reopened.Connect(reg.Params());
    QCOMPARE(indexCount(reopened), 1);
    AddCard(reopened, 41, 1, 0, 1, {Holder(QStringLiteral("Иван Иванов"))});
    AddCard(reopened, 7, 1, 0, 1, {Holder(QStringLiteral("Петър Петров"))});
    Statement highest(reopened.Db(), QStringLiteral("select max(REG_NUM) from RGS_CARD"));
    QCOMPARE(highest.ScalarValue().toInt(), 41);
    QVERIFY2(highest.Plan().contains(QString::fromLatin1(kRegNumDescendingIndex)), qPrintable(highest.Plan()));
  }

  // The page cache a register file asks for: its own pages with room to grow, never below
  // the engine's default and within the limit; nothing for a server or a file that is not a
  // register.
  void pageCacheSizedToTheRegister_data() {
    QTest::addColumn<int>("pageSize");
    QTest::addColumn<qint64>("fileBytes");
    QTest::addColumn<int>("limitMb");
    QTest::addColumn<int>("pages");
    QTest::newRow("small register") << 8192 << qint64(4) * 1024 * 1024 << 512 << 0;
    QTest::newRow("large register") << 8192 << qint64(400) * 1024 * 1024 << 512 << 64000;
    QTest::newRow("within the limit") << 8192 << qint64(400) * 1024 * 1024 << 128 << 16384;
    QTest::newRow("16 KB pages") << 16384 << qint64(400) * 1024 * 1024 << 512 << 32000;
    QTest::newRow("no page size") << 1000 << qint64(400) * 1024 * 1024 << 512 << 0;
  }
  void pageCacheSizedToTheRegister() {
    QFETCH(int, pageSize);
    QFETCH(qint64, fileBytes);
    QFETCH(int, limitMb);
    QFETCH(int, pages);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("register.fdb"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QByteArray header(18, '\0');
    header[16] = static_cast<char>(pageSize & 0xff);
    header[17] = static_cast<char>(pageSize >> 8);
    file.write(header);
    QVERIFY(file.resize(fileBytes));
    file.close();
    QCOMPARE(PageCachePagesFor(path, limitMb), pages);
    QCOMPARE(PageCachePagesFor(QStringLiteral("localhost:") + path, limitMb), 0);
  }

  // A register made by the program gives its page size from its header.
  void realRegisterGivesItsPageSize() {
    TempRegister reg;
    reg.Data().Disconnect();
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("grown.fdb"));
    QVERIFY(QFile::copy(reg.Params().path, copy));
    QFile file(copy);
    QVERIFY(file.resize(qint64(64) * 1024 * 1024));
    QCOMPARE(PageCachePagesFor(copy, 512), 8192 + 2048);
  }

  void listHasOneRowPerCardWithAHolder() {
    TempRegister reg;
    TDataModule1& data = reg.Data();
    AddCard(data, 1, 0, 0, 1, {Holder(QStringLiteral("Иван Иванов")), {QStringLiteral("Мария Иванова"), QStringLiteral("7601010008"), 2},
                                {QStringLiteral("Петър Иванов"), QStringLiteral("1046010007"), 3}});
    AddCard(data, 2, 1, 2, 0, {{QStringLiteral("Без титуляр"), QStringLiteral("8001010008"), 3}});  // no holder
    AddCard(data, 3, 4, 5, 9, {Holder(QStringLiteral("Георги Георгиев"))});                        // state 9 has no name

    ListQuery& list = data.MainQuery();
    QSignalSpy counts(&data, &TDataModule1::RecordCountChanged);
    list.SetCondition(QStringLiteral("and P.PERSON_TYPE = 0 "));
    list.SetOrdering(QStringLiteral(" order by Reg_Num"));
    list.Open();
    QCOMPARE(list.RowCount(), 2);
    QCOMPARE(counts.size(), 1);
    QCOMPARE(counts.at(0).at(0).toString(), QStringLiteral("2 записа"));
    QCOMPARE(FieldTexts(list, QStringLiteral("REG_NUM")), QStringList({"1", "3"}));
    QCOMPARE(FieldTexts(list, QStringLiteral("NAME"), false).at(0).size(), 100);  // CHAR value stays padded
    QCOMPARE(FieldTexts(list, QStringLiteral("N")), QStringList({"3", "1"}));
    QCOMPARE(data.MainQueryNGetText(0), QStringLiteral("3"));
    QCOMPARE(FieldTexts(list, QStringLiteral("REGDATE")), QStringList({"03.02.2021", "03.02.2021"}));

    // Lookups from NOM, cut to their sizes; a code without a name gives an empty value.
    QCOMPARE(FieldTexts(list, QStringLiteral("grupa1")),
             QStringList({"1.възстановяване на бивш. собств.", "5.недостатъчна жил. площ"}));
    QCOMPARE(FieldTexts(list, QStringLiteral("Grup1")),
             QStringList({"2.засегнати от ново строителство", ""}));  // GROUP1 = 5 has no row name
    QCOMPARE(FieldTexts(list, QStringLiteral("grupa11")), QStringList({"1", "5"}));
    QCOMPARE(FieldTexts(list, QStringLiteral("GrupaNum")), QStringList({"Гр.1", "Гр.5"}));
    QCOMPARE(FieldTexts(list, QStringLiteral("Stat")), QStringList({"Включен в списъка", ""}));
    QVERIFY(list.Value(1, QStringLiteral("Stat")).isNull());
    // group_2 keeps 20 characters of the subgroup name.
    QCOMPARE(FieldTexts(list, QStringLiteral("group_2")), QStringList({"Без подгрупа", "5.недостатъчна жил."}));
    QCOMPARE(list.Field(list.FieldIndex(QStringLiteral("ADRESS"))).displayWidth, 40);
  }

  void rowNumbersFollowTheListNotTheKeys() {
    TempRegister reg;
    TDataModule1& data = reg.Data();
    for (int i = 1; i <= 6; ++i) AddCard(data, 100 + i, 0, 0, i % 2, {Holder(QStringLiteral("Лице %1").arg(i))});
    ListQuery& list = data.MainQuery();
    list.SetCondition(QStringLiteral("and C.STATUS = 1"));
    list.SetOrdering(QStringLiteral("order by REG_NUM desc"));
    list.Open();
    QCOMPARE(FieldTexts(list, QStringLiteral("REG_NUM")), QStringList({"105", "103", "101"}));
    QCOMPARE(FieldTexts(list, QStringLiteral("CARD_ID")), QStringList({"1", "2", "3"}));
    QVERIFY(list.Value(0, QStringLiteral("CARD_ID")).toInt() != 1);  // the value is still the key
  }

  void emptyListCountsZero() {
    TempRegister reg;
    TDataModule1& data = reg.Data();
    QSignalSpy counts(&data, &TDataModule1::RecordCountChanged);
    data.MainQuery().Open();
    QCOMPARE(data.MainQuery().RowCount(), 0);
    QCOMPARE(data.MainQuery().CurrentRow(), -1);
    QCOMPARE(counts.at(0).at(0).toString(), QStringLiteral("0 записа"));
  }

  void fullCommitClosesTheListCommitRetainingKeepsPosition() {
    TempRegister reg;
    TDataModule1& data = reg.Data();
    for (int i = 1; i <= 3; ++i) AddCard(data, i, 0, 0, 1, {Holder(QStringLiteral("Лице %1").arg(i))});
    ListQuery& list = data.MainQuery();
    list.Open();
    list.SetCurrentRow(2);
    QVERIFY(data.Nom().IsOpen());

    data.BeginWrite();  // commit-retaining while the transaction runs
    AddCard(data, 4, 0, 0, 1, {Holder(QStringLiteral("Лице 4"))});
    data.CommitRetaining();
    QVERIFY(list.IsOpen());
    QCOMPARE(list.CurrentRow(), 2);
    QCOMPARE(list.RowCount(), 3);  // the snapshot does not change until a full commit

    QSignalSpy closed(&list, &ListQuery::Closed);
    data.Commit();
    QCOMPARE(closed.size(), 1);
    QVERIFY(!list.IsOpen());
    QVERIFY(!data.Nom().IsOpen());
    QCOMPARE(list.CurrentRow(), -1);
    list.Open();  // reopening brings NOM back
    QVERIFY(data.Nom().IsOpen());
    QCOMPARE(list.RowCount(), 4);

    QVERIFY(list.Locate(QStringLiteral("REG_NUM"), 3));
    QCOMPARE(list.CurrentRow(), 2);
    QVERIFY(!list.Locate(QStringLiteral("REG_NUM"), 99));
    QCOMPARE(list.CurrentRow(), 2);

    data.Rollback();
    QVERIFY(!list.IsOpen());
  }

  void nomenclatureLookups() {
    TempRegister reg;
    TDataModule1& data = reg.Data();
    QCOMPARE(data.NomCodeName(QStringLiteral("STATUS"), 1).trimmed(), QStringLiteral("Включен в списъка"));
    QCOMPARE(data.NomCodeName(QStringLiteral("SOCGRUPA"), 7), QStringLiteral("false"));  // row exists, cell NULL
    QCOMPARE(data.NomCodeName(QStringLiteral("SOCGRUPA"), 42), QStringLiteral("false"));  // no such row
    QCOMPARE(data.NomCodeOf(QStringLiteral("STATUS"), QStringLiteral("Получил жилище")), 4);
    QCOMPARE(data.NomCodeOf(QStringLiteral("STATUS"), QStringLiteral("Няма такова")), -1);
    QVERIFY_THROWS_EXCEPTION(DbError, data.NomCodeName(QStringLiteral("NO_SUCH_LIST"), 0));

    data.Db().ExecuteImmediate(QStringLiteral("update NOM set STATUS = 'Двойно' where N in (2, 5)"));
    data.Db().ExecuteImmediate(QStringLiteral("update NOM set KARTFOR = 'false' where N = 1"));
    data.Db().ExecuteImmediate(QStringLiteral("insert into NOM (N, STATUS) values (12, 'Ред 12')"));
    data.Nom().Close();
    QCOMPARE(data.NomCodeOf(QStringLiteral("STATUS"), QStringLiteral("Двойно")), 5);  // the last matching row
    QCOMPARE(data.NomCodeName(QStringLiteral("KARTFOR"), 1), QStringLiteral("false"));
    QStringList shown;  // a code-list display reads codes 0..9 only
    for (int code = 0; code <= 9; ++code)
      if (const QString name = data.NomCodeName(QStringLiteral("STATUS"), code); name != QLatin1String("false"))
        shown << name.trimmed();
    QCOMPARE(shown, QStringList({"Картотекиран", "Включен в списъка", "Двойно", "Изключен от списъка",
                                 "Получил жилище", "Двойно"}));

    // The entries a display offers: a (blank-padded) "false" name and a missing one left out,
    // codes past 9 ignored, a name with blanks in front and inside losing its trailing ones only.
    data.Db().ExecuteImmediate(QStringLiteral("update NOM set STATUS = 'false' where N = 2"));
    data.Db().ExecuteImmediate(QStringLiteral("update NOM set STATUS = '  Два  реда   ' where N = 3"));
    data.Db().ExecuteImmediate(QStringLiteral("update NOM set STATUS = 'Девет' where N = 9"));
    data.Db().ExecuteImmediate(QStringLiteral("update NOM set STATUS = null where N = 4"));
    data.Nom().Close();
    std::vector<std::pair<int, QString>> entries;
    for (const CodeListEntry& entry : data.CodeListEntries(QStringLiteral("STATUS"))) entries.emplace_back(entry.code, entry.name);
    const std::vector<std::pair<int, QString>> expected = {
        {0, "Картотекиран"}, {1, "Включен в списъка"}, {3, "  Два  реда"}, {5, "Двойно"}, {9, "Девет"}};
    QCOMPARE(entries, expected);
    QVERIFY(data.Nom().IsOpen());  // opened for the reading
  }

  void invalidEgnFilterAdmitsAndCounts() {
    TempRegister reg;
    TDataModule1& data = reg.Data();
    AddCard(data, 1, 0, 0, 1, {Holder(QStringLiteral("Валиден"), QStringLiteral("7501010004"))});
    AddCard(data, 2, 0, 0, 1, {Holder(QStringLiteral("Без дата"), QStringLiteral("0000000000"))});
    AddCard(data, 3, 0, 0, 1, {Holder(QStringLiteral("Грешна цифра"), QStringLiteral("7501010001"))});
    AddCard(data, 4, 0, 0, 1, {Holder(QStringLiteral("Къс"), QStringLiteral("75010"))});
    QCOMPARE(data.InvalidCount, -1);
    data.InvalidCount = 0;
    data.AttachInvalidEgnFilter();
    ListQuery& list = data.MainQuery();
    list.SetOrdering(QStringLiteral("order by REG_NUM"));
    list.Open();
    QCOMPARE(FieldTexts(list, QStringLiteral("REG_NUM")), QStringList({"2", "3", "4"}));
    QCOMPARE(data.InvalidCount, 3);
    data.DetachInvalidEgnFilter();
    list.Close();
    list.Open();
    QCOMPARE(list.RowCount(), 4);
    QCOMPARE(data.InvalidCount, 3);  // counting happens only while the filter is attached
  }
};

QTEST_GUILESS_MAIN(TestDataModule)
#include "test_data_module.moc"
