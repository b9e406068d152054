// Cards for tests, built as the card window hands them over.
#include "card_forms.h"

#include "card/card_load.h"
#include "card/members.h"
#include "data/data_module.h"
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
