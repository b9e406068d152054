// Cards for tests, built as the card window hands them over, and direct reads of what a
// save left behind.
#include "card_forms.h"

#include <QtTest>

#include "card/card_load.h"
#include "card/card_save.h"
#include "card/members.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "recording_messages.h"
#include "test_egn.h"

MemberRow Member(const QString& type, const QString& name, const QString& egn) {
  return {type, name, egn, QStringLiteral("Работещ"), {}, {}, {}, {}};
}

DateTimeValue Day(int y, int m, int d) { return DateValue(QDate(y, m, d)); }

CardForm NewForm(TDataModule1& data, const QString& holder) {
  CardForm form;
  auto choice = [&data](const char* list, int position) {
    return ListChoice{position, CodeListItems(data, QLatin1String(list)).at(position)};
  };
  form.AddDate = form.dtGrupaDate = form.dtAdress = form.dtCheck = form.dek_dat = form.protDate = form.dtNastZap =
      Day(2024, 5, 6);
  form.cbGroup = choice("GROUP1", 1);
  form.cbsubGroup = choice("GROUP2", 0);
  form.cbStatus = choice("STATUS", 0);
  form.cbKart = choice("KARTFOR", 1);
  form.cbLData = choice("LDATA", 3);
  form.cbLReason = choice("LREASON", 2);
  form.cbNastVidApart = choice("NAST_VID_APART", 0);
  form.cbTerm = choice("NAST_TERM", 0);
  form.ebAdress = QStringLiteral("  ул. Шипка 1 ");
  form.ebIncome = QStringLiteral("1200.50");
  form.ebIncomeHalfYear = QStringLiteral("600");
  form.ebIncPerPerson = QStringLiteral("100.1234");
  form.edYearsNoDeclr = QStringLiteral("0");
  form.doctxt = QStringLiteral("Вх-7");
  form.dek_id = QStringLiteral("Д-5");
  form.ebDeals = QStringLiteral("няма");
  form.mNotes = {QStringLiteral("първи ред"), QStringLiteral("втори ред")};
  form.edNastZap = QStringLiteral("12");
  form.members = {Member(QStringLiteral("Титуляр"), holder, EgnBornOn(QDate(1980, 1, 1), 1)),
                  Member(QStringLiteral("Дете"), QStringLiteral("Петър Иванов"), EgnBornOn(QDate(2012, 3, 3), 3)),
                  Member(QStringLiteral("Съпруга"), QStringLiteral("Мария Иванова"), EgnBornOn(QDate(1982, 2, 2), 2))};
  form.MembersEmpty = false;
  return form;
}

Editing Load(TDataModule1& data, int cardId) {
  Editing e;
  e.remembered = LoadCardForm(data, cardId, e.form);
  e.form.members = LoadMemberRows(data, cardId);
  e.form.MembersEmpty = e.form.members.empty();
  return e;
}

std::vector<LogEntry> CardLog(TDataModule1& data) {
  Statement query(data.Db(), QStringLiteral("select T_ID, TYPE_T, T_TEXT from INF_LOG "
                                            "where TYPE_T in ('RGS_CARD', 'RGS_PERSON') order by LOG_ID"));
  query.Open();
  std::vector<LogEntry> entries;
  while (query.Next()) entries.push_back({query.Value(0).toInt(), query.Value(1).toString(), query.Value(2).toString()});
  query.Close();
  return entries;
}

QVariant Scalar(TDataModule1& data, const QString& sql, const QVariant& parameter) {
  Statement query(data.Db(), sql);
  if (parameter.isValid()) query.Bind(0, parameter);
  return query.ScalarValue();
}

void Exec(TDataModule1& data, const QString& sql, std::initializer_list<QVariant> values) {
  Statement statement(data.Db(), sql);
  statement.BindAll(values);
  statement.Execute();
  data.Commit();
}

QStringList MemberNames(TDataModule1& data, int cardId) {
  Statement query(data.Db(), QStringLiteral("select NAME from RGS_PERSON where CARD_ID = ? order by PERSON_ID"));
  query.Bind(0, cardId);
  query.Open();
  QStringList names;
  while (query.Next()) names << query.Value(0).toString().trimmed();
  query.Close();
  return names;
}

void SaveTwoNewCardsAtOnce(TDataModule1& data, TDataModule1& other) {
  RecordingMessages messages;
  CardForm mine = NewForm(data, QStringLiteral("Първи Титуляр"));
  CardForm theirs = NewForm(other, QStringLiteral("Втори Титуляр"));
  for (MemberRow& row : theirs.members) row.name += QStringLiteral(" 2");
  SaveOutcome theirOutcome;
  bool ran = false;
  SetNewCardNumberHook([&] {
    if (ran) return;
    ran = true;
    theirOutcome = SaveCard(other, theirs, 0, true, 0, {}, nullptr);
  });
  const SaveOutcome myOutcome = SaveCard(data, mine, 0, true, 0, {}, nullptr);
  SetNewCardNumberHook({});

  QVERIFY(theirOutcome.saved);
  QCOMPARE(theirOutcome.regNum, QStringLiteral("1"));
  QVERIFY(!myOutcome.saved);
  QCOMPARE(messages.shown.size(), size_t(2));
  QCOMPARE(messages.shown[0].text, QStringLiteral("Данните са регистрирани успешно!"));
  QVERIFY2(messages.shown[1].text.contains(QStringLiteral("RGS_CARD_IDX1")), qPrintable(messages.shown[1].text));
  QVERIFY(mine.ebRegNum.isEmpty());

  QCOMPARE(Scalar(data, QStringLiteral("select count(*) from RGS_CARD")).toInt(), 1);
  QCOMPARE(MemberNames(data, theirOutcome.cardId),
           (QStringList{QStringLiteral("Втори Титуляр 2"), QStringLiteral("Петър Иванов 2"),
                        QStringLiteral("Мария Иванова 2")}));
  QCOMPARE(Scalar(data, QStringLiteral("select count(*) from RGS_PERSON")).toInt(), 3);
  const std::vector<LogEntry> log = CardLog(data);
  QCOMPARE(log.size(), size_t(1));
  QCOMPARE(log[0].text, QStringLiteral("Създаване на картон с регистрационен номер 1"));

  // The refused workstation saves under the next number.
  const SaveOutcome retry = SaveCard(data, mine, 0, true, 0, {}, nullptr);
  QVERIFY(retry.saved);
  QCOMPARE(retry.regNum, QStringLiteral("2"));
}
