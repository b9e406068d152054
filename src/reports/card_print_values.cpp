// Collecting the card print's named values from the stored card and its members.
#include "reports/card_print_values.h"

#include <QLocale>

#include "card/card_load.h"
#include "card/members.h"
#include "core/date_time.h"
#include "core/text_helpers.h"
#include "core/yes_no_code.h"
#include "data/card_table.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "data/person_table.h"

namespace {
const QString kNoName = QStringLiteral("false");

QDate StoredDate(const QVariant& stored) {
  if (stored.isNull()) return {};
  if (stored.typeId() == QMetaType::QDateTime) return stored.toDateTime().date();
  if (stored.typeId() == QMetaType::QDate) return stored.toDate();
  return {};
}

// A stored cell as the print's texts are made from it: null for an empty one.
template <class T>
QVariant Cell(const std::optional<T>& stored) {
  return stored ? QVariant::fromValue(*stored) : QVariant();
}

int CodeOf(const QVariant& stored) { return stored.isNull() ? 0 : stored.toInt(); }

// A code-list name for the card's form: empty where the code has none, rather than "false".
QString CodeName(TDataModule1& data, const QString& list, int code) {
  const QString name = TrimPrintText(data.NomCodeName(list, code));
  return name == kNoName ? QString() : name;
}

// "Картотекиран за" as the card window shows it: the KART-th name of the KARTFOR drop-down list.
QString CardCategory(TDataModule1& data, int kart) {
  const QStringList names = CodeListItems(data, QStringLiteral("KARTFOR"));
  return kart >= 0 && kart < names.size() ? TrimPrintText(names.at(kart)) : QString();
}

// "%.2f" with the program's decimal separator (as the card window shows amounts) and no
// grouping.
QString MoneyText(const QVariant& stored) {
  const double value = stored.isNull() ? 0.0 : stored.toDouble();
  QString text = QString::number(value, 'f', 2);
  text.replace(u'.', QLocale().decimalPoint());
  return text;
}
}  // namespace

QString TrimPrintText(const QString& text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && text.at(begin).unicode() <= 0x20) ++begin;
  while (end > begin && text.at(end - 1).unicode() <= 0x20) --end;
  return text.mid(begin, end - begin);
}

QString PrintDateText(const QVariant& stored) {
  const QDate date = StoredDate(stored);
  return date.isValid() ? FormatShortDate(date) + QStringLiteral("г.") : QString();
}

QString MemberPrintLine(const MemberPrintData& m) {
  QString line = TrimPrintText(PersonTypeText(m.personType));
  line += QStringLiteral(" с име ") + TrimPrintText(m.name);
  line += QStringLiteral(" и ЕГН ") + TrimPrintText(m.egn);
  if (!m.socGroupText.isNull() && m.socGroupText.toString() != kNoName)
    line += QStringLiteral(", Социална група: ") + TrimPrintText(m.socGroupText.toString());
  if (!m.invProc.isNull()) {
    line += QStringLiteral(", Инвалид със процент на инвалидност ") + TrimPrintText(m.invProc.toString()) +
            QStringLiteral(" %");
    if (m.invDate.isNull()) {
      line += QStringLiteral(" Пожизнена ");
    } else {
      // The card editor marks a lifelong decision with a date after 01.01.5000. A text that
      // is no date at all is printed as it stands.
      const QString dateText = TrimPrintText(m.invDate.toString());
      const DateTimeValue date = ParseDateText(dateText);
      if (date != 0 && IsLifelongDate(date))
        line += QStringLiteral(" Пожизнена ");
      else
        line += QStringLiteral(" до дата ") + dateText;
    }
    if (!m.telkNum.isNull()) line += QStringLiteral(", експертно решение на ТЕЛК ") + TrimPrintText(m.telkNum.toString());
  }
  if (!m.notes.isNull()) line += QStringLiteral(", Бележки: \"") + TrimPrintText(m.notes.toString()) + u'"';
  line += u';';
  return line;
}

QStringList MemberPrintLines(TDataModule1& data, int cardId) {
  using namespace person_table;
  const PersonSelect select;
  Statement query(data.Db(), QStringLiteral("select ") + select.List() + QStringLiteral(" from ") + kTable +
                                 QStringLiteral(" where ") + kCardId + QStringLiteral(" = ? order by ") + kPersonId);
  query.Bind(0, cardId);
  query.Open();
  QStringList lines;
  while (query.Next()) {
    const StoredPersonRow p = select.Read(query);
    MemberPrintData m;
    m.personType = p.personType.value_or(0);
    m.name = p.name.value_or(QString());
    m.egn = p.egn.value_or(QString());
    if (p.socGroup) m.socGroupText = data.NomCodeName(QStringLiteral("SOCGRUPA"), *p.socGroup);
    m.invProc = Cell(p.invProc);
    m.invDate = Cell(p.invDate);
    m.telkNum = Cell(p.telkNum);
    m.notes = Cell(p.notes);
    lines << MemberPrintLine(m);
  }
  query.Close();
  return lines;
}

std::vector<CardPrintValue> CardPrintValues(TDataModule1& data, int cardId, const QString& userName,
                                            const QDate& today) {
  using namespace card_table;
  const CardSelect select;
  Statement card(data.Db(), QStringLiteral("select ") + select.List() + QStringLiteral(" from ") + kTable +
                                QStringLiteral(" where ") + kCardId + QStringLiteral(" = ?"));
  card.Bind(0, cardId);
  card.Open();
  if (!card.Next()) throw DbError(QStringLiteral("Картон с номер %1 не е намерен.").arg(cardId));
  const StoredCardRow c = select.Read(card);
  card.Close();
  auto text = [](const auto& stored) { return Cell(stored).toString(); };

  std::vector<CardPrintValue> v;
  auto add = [&v](const char* name, const QString& value, bool trimmed = true) {
    v.push_back({QString::fromLatin1(name), trimmed ? TrimPrintText(value) : value});
  };
  add("reg_nomer", text(c.regNum));
  add("reg_date", PrintDateText(Cell(c.regDate)));
  add("address", text(c.adress));
  add("add_date", PrintDateText(Cell(c.adressDate)));
  add("vh_nom", text(c.docIdTxt));
  add("group", CodeName(data, QStringLiteral("GROUP1"), CodeOf(Cell(c.group1)) - 1));
  add("group_date", PrintDateText(Cell(c.grupaDate)));
  add("cond", CodeName(data, QStringLiteral("STATUS"), CodeOf(Cell(c.status))));
  add("cond_info", text(c.gotHouse));
  add("hard_life", TruthFlagIsTrue(Cell(c.hardLife)) ? QStringLiteral("Да") : QStringLiteral("Не"));
  add("check_hard_date", PrintDateText(Cell(c.checkDate)));
  add("check_hard_prs", text(c.checkName));
  add("alone", YesNoCodeText(Cell(c.aloneParent)));
  add("ap_type", CodeName(data, QStringLiteral("LDATA"), CodeOf(Cell(c.lData))));
  add("ap_notes", text(c.lConditions));
  add("obit_type", CodeName(data, QStringLiteral("LREASON"), CodeOf(Cell(c.lReason))));
  add("dohod", MoneyText(Cell(c.income)), false);
  add("kartotekiran", CardCategory(data, CodeOf(Cell(c.kart))));
  add("nedv_sdelki", text(c.deals));
  add("dr_im", text(c.assets));
  add("last_dekl_num", text(c.lastDekId));
  add("last_dekl_date", PrintDateText(Cell(c.lastDekDate)));
  add("prot_num", text(c.protId));
  add("prot_date", PrintDateText(Cell(c.protDate)));
  add("notes", text(c.classInfo));
  add("notes1", text(c.notes));

  add("chlenove", MemberPrintLines(data, cardId).join(QStringLiteral("\r\n")));
  add("date_now", FormatShortDate(today) + QStringLiteral(" г."));
  add("podpis_name", u'/' + userName + u'/');
  return v;
}
