// Collecting the card print's named values from the stored card and its members.
#include "reports/card_print_values.h"

#include <QLocale>

#include "card/members.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "core/date_time.h"
#include "core/text_helpers.h"
#include "core/yes_no_code.h"

namespace {
const QString kNoName = QStringLiteral("false");

QDate StoredDate(const QVariant& stored) {
  if (stored.isNull()) return {};
  if (stored.typeId() == QMetaType::QDateTime) return stored.toDateTime().date();
  if (stored.typeId() == QMetaType::QDate) return stored.toDate();
  return {};
}

int CodeOf(const QVariant& stored) { return stored.isNull() ? 0 : stored.toInt(); }

// A code-list name for the card's form: empty where the code has none, rather than "false".
QString CodeName(TDataModule1& data, const QString& list, int code) {
  const QString name = TrimPrintText(data.NomCodeName(list, code));
  return name == kNoName ? QString() : name;
}

// "%.2f" with the system's decimal separator and no grouping.
QString MoneyText(const QVariant& stored) {
  const double value = stored.isNull() ? 0.0 : stored.toDouble();
  QString text = QString::number(value, 'f', 2);
  text.replace(u'.', QLocale::system().decimalPoint());
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
  Statement query(data.Db(), QStringLiteral("select * from RGS_PERSON where CARD_ID = ? order by PERSON_ID"));
  query.Bind(0, cardId);
  query.Open();
  const int type = query.ColumnIndex(QStringLiteral("PERSON_TYPE"));
  const int name = query.ColumnIndex(QStringLiteral("NAME"));
  const int egn = query.ColumnIndex(QStringLiteral("EGN"));
  const int socGroup = query.ColumnIndex(QStringLiteral("SOCGRUPA"));
  const int invProc = query.ColumnIndex(QStringLiteral("INV_PROC"));
  const int invDate = query.ColumnIndex(QStringLiteral("INV_DATE"));
  const int telk = query.ColumnIndex(QStringLiteral("TELK_NUM"));
  const int notes = query.ColumnIndex(QStringLiteral("NOTES"));
  QStringList lines;
  while (query.Next()) {
    MemberPrintData m;
    m.personType = query.Value(type).toInt();
    m.name = query.Value(name).toString();
    m.egn = query.Value(egn).toString();
    if (!query.IsNull(socGroup)) m.socGroupText = data.NomCodeName(QStringLiteral("SOCGRUPA"), query.Value(socGroup).toInt());
    m.invProc = query.Value(invProc);
    m.invDate = query.Value(invDate);
    m.telkNum = query.Value(telk);
    m.notes = query.Value(notes);
    lines << MemberPrintLine(m);
  }
  query.Close();
  return lines;
}

std::vector<CardPrintValue> CardPrintValues(TDataModule1& data, int cardId, const QString& userName,
                                            const QDate& today) {
  Statement card(data.Db(), QStringLiteral("select * from RGS_CARD where CARD_ID = ?"));
  card.Bind(0, cardId);
  card.Open();
  if (!card.Next()) throw DbError(QStringLiteral("Картон с номер %1 не е намерен.").arg(cardId));
  auto cell = [&](const char* column) { return card.ValueOf(QString::fromLatin1(column)); };
  auto text = [&](const char* column) { return cell(column).toString(); };

  std::vector<CardPrintValue> v;
  auto add = [&v](const char* name, const QString& value, bool trimmed = true) {
    v.push_back({QString::fromLatin1(name), trimmed ? TrimPrintText(value) : value});
  };
  add("reg_nomer", text("REG_NUM"));
  add("reg_date", PrintDateText(cell("REGDATE")));
  add("address", text("ADRESS"));
  add("add_date", PrintDateText(cell("ADRESS_DATE")));
  add("vh_nom", text("DOC_IDTXT"));
  add("group", CodeName(data, QStringLiteral("GROUP1"), CodeOf(cell("GROUP1")) - 1));
  add("group_date", PrintDateText(cell("GRUPA_DATE")));
  add("cond", CodeName(data, QStringLiteral("STATUS"), CodeOf(cell("STATUS"))));
  add("cond_info", text("GOT_HOUSE"));
  add("hard_life", TruthFlagIsTrue(cell("HARD_LIFE")) ? QStringLiteral("Да") : QStringLiteral("Не"));
  add("check_hard_date", PrintDateText(cell("CHECK_DATE")));
  add("check_hard_prs", text("CHECK_NAME"));
  add("alone", YesNoCodeText(cell("ALONE_PARENT")));
  add("ap_type", CodeName(data, QStringLiteral("LDATA"), CodeOf(cell("L_DATA"))));
  add("ap_notes", text("L_CONDITIONS"));
  add("obit_type", CodeName(data, QStringLiteral("LREASON"), CodeOf(cell("L_REASON"))));
  add("dohod", MoneyText(cell("INCOME")), false);
  add("kartotekiran", CodeName(data, QStringLiteral("KARTFOR"), CodeOf(cell("KART")) + 1));
  add("nedv_sdelki", text("DEALS"));
  add("dr_im", text("ASSETS"));
  add("last_dekl_num", text("LASTDEK_ID"));
  add("last_dekl_date", PrintDateText(cell("LASTDEK_DATE")));
  add("prot_num", text("PROT_ID"));
  add("prot_date", PrintDateText(cell("PROT_DATE")));
  add("notes", text("CLASSINFO"));
  add("notes1", text("NOTES"));
  card.Close();

  add("chlenove", MemberPrintLines(data, cardId).join(QStringLiteral("\r\n")));
  add("date_now", FormatShortDate(today) + QStringLiteral(" г."));
  add("podpis_name", u'/' + userName + u'/');
  return v;
}
