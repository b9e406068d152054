// Loading a stored card into the card form.
#include "card/card_load.h"

#include <QLocale>
#include <QRegularExpression>

#include "card/card_stamp.h"
#include "data/data_module.h"
#include "data/firebird/db_error.h"
#include "data/firebird/statement.h"
#include "core/clock.h"
#include "core/yes_no_code.h"
#include "core/text_helpers.h"

namespace {
// A missing date-picker date the editor keeps apart from 30.12.1899 (shown blank).
constexpr DateTimeValue kNoProtocolDate = 0.0001;

class CardRow {
 public:
  CardRow(Statement& query) : query_(query) {}
  bool IsNull(const char* column) { return query_.IsNull(Index(column)); }
  QVariant Value(const char* column) { return query_.Value(Index(column)); }
  QString Text(const char* column) { return IsNull(column) ? QString() : WithoutTrailingBlanks(Value(column).toString()); }
  // Loading stops on a NULL where every save writes a value, as reading it as a number would.
  int RequiredInt(const char* column) {
    if (IsNull(column))
      throw ValidationError(QStringLiteral("Картонът няма стойност в колоната %1.").arg(QLatin1String(column)));
    return Value(column).toInt();
  }
  int IntOr(const char* column, int fallback) { return IsNull(column) ? fallback : Value(column).toInt(); }
  DateTimeValue DateOr(const char* column, DateTimeValue fallback) {
    return IsNull(column) ? fallback : StoredDateValue(Value(column));
  }
  QString Amount(const char* column) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(IsNull(column) ? 0.0 : Value(column).toDouble(), 'f', 2);
  }

 private:
  int Index(const char* column) {
    const int index = query_.ColumnIndex(QLatin1String(column));
    Q_ASSERT(index >= 0);
    return index;
  }
  Statement& query_;
};

// The position a stored code selects; a code beyond the list's end selects nothing.
ListChoice Choice(const QStringList& items, int code) {
  if (code < 0 || code >= items.size()) return {-1, QString()};
  return {code, items.at(code)};
}
}  // namespace

QStringList CodeListItems(TDataModule1& data, const QString& column) {
  QStringList items;
  for (const CodeListEntry& entry : data.CodeListEntries(column)) items << entry.name;
  return items;
}

QStringList MemoLines(const QString& text) {
  if (text.isEmpty()) return {};
  static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
  QStringList lines = text.split(lineBreak);
  if (lines.size() > 1 && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

QString MemoText(const QStringList& lines) {
  QString text;
  for (const QString& line : lines) text += line + QStringLiteral("\r\n");
  return text;
}

DateTimeValue StoredDateValue(const QVariant& cell) {
  if (cell.isNull()) return 0;
  if (cell.typeId() == QMetaType::QDate) return DateValue(cell.toDate());
  return DateTimeValueOf(cell.toDateTime());
}

std::optional<QDate> StorableDate(DateTimeValue value) {
  const QDate date = ToQDate(value);
  if (!date.isValid() || date.year() < 1) return std::nullopt;
  return date;
}

RememberedCardState LoadCardForm(TDataModule1& data, int cardId, CardForm& form) {
  Statement query(data.Db(), QStringLiteral("select * from RGS_CARD where CARD_ID = ?"));
  query.Bind(0, cardId);
  query.Open();
  if (!query.Next()) throw ValidationError(QStringLiteral("Картон с ключ %1 не съществува.").arg(cardId));
  CardRow row(query);

  form.ebRegNum = row.Value("REG_NUM").toString();
  form.doctxt = row.Text("DOC_IDTXT");
  form.AddDate = row.DateOr("REGDATE", form.AddDate);

  form.cbGroup = Choice(CodeListItems(data, QStringLiteral("GROUP1")), row.RequiredInt("GRUPA"));
  form.dtGrupaDate = row.DateOr("GRUPA_DATE", form.dtGrupaDate);
  form.cbsubGroup = Choice(CodeListItems(data, QStringLiteral("GROUP2")), row.RequiredInt("GROUP2"));
  form.cbStatus = Choice(CodeListItems(data, QStringLiteral("STATUS")), row.RequiredInt("STATUS"));
  form.ebGot = row.Text("GOT_HOUSE");
  form.pr = row.Text("PROT_ID");
  form.protDate = row.DateOr("PROT_DATE", kNoProtocolDate);
  form.dek_id = row.Text("LASTDEK_ID");
  form.dek_dat = row.DateOr("LASTDEK_DATE", 0);
  form.cbKart = Choice(CodeListItems(data, QStringLiteral("KARTFOR")), row.IntOr("KART", 0));
  form.HardLife = row.RequiredInt("HARD_LIFE") != 0;
  form.CheckBoxAloneParent = YesNoCodeIsYes(row.Value("ALONE_PARENT"));
  form.edYearsNoDeclr = row.Text("YEARS_NO_DECLR");

  form.edYear = row.Text("POINTS_YEAR");
  form.edPoints = row.Text("POINTS");
  form.edPointsDescr = row.Text("POINTS_DESCR");

  form.dtAdress = row.DateOr("ADRESS_DATE", DateValue(Clock::Now().date()));
  form.ebAdress = row.Text("ADRESS");
  form.cbLData = Choice(CodeListItems(data, QStringLiteral("LDATA")), row.IntOr("L_DATA", 0));
  form.ebLCond = row.Text("L_CONDITIONS");
  form.cbLReason = Choice(CodeListItems(data, QStringLiteral("LREASON")), row.IntOr("L_REASON", 0));
  form.edReasonComment = row.Text("REASON_COMMENT");
  form.dtCheck = row.DateOr("CHECK_DATE", 0);
  form.ebCheck = row.Text("CHECK_NAME");

  form.ebIncome = row.Amount("INCOME");
  form.ebIncomeHalfYear = row.Amount("INCOME_HALF_YEAR");
  form.ebIncPerPerson = row.Amount("INCOME_PER_PERSON");
  form.ebAssets = row.Text("ASSETS");
  form.ebDeals = row.Text("DEALS");
  form.edHasFirm = row.Text("HAS_FIRM");

  // Memos keep their lines as stored, trailing blanks included.
  form.mNotes = MemoLines(row.IsNull("NOTES") ? QString() : row.Value("NOTES").toString());
  form.mSYSNotes = MemoLines(row.IsNull("SYS_NOTES") ? QString() : row.Value("SYS_NOTES").toString());

  form.edNastZap = row.Text("NAST_ZAP");
  form.dtNastZap = row.DateOr("NAST_ZAP_DATE", 0);
  form.cbNastVidApart = Choice(CodeListItems(data, QStringLiteral("NAST_VID_APART")), row.IntOr("NAST_VID_APART", 0));
  form.edNasAdrApart = row.Text("NAST_APART_ADRES");
  form.cbTerm = Choice(CodeListItems(data, QStringLiteral("NAST_TERM")), row.IntOr("NAST_TERM", 0));
  form.edIskaKupi = row.Text("NAST_BUY");
  form.edZapOut = row.Text("NAS_ZAP_OUT");
  form.mZapHistory = MemoLines(row.IsNull("NAST_ZAP_HISTORY") ? QString() : row.Value("NAST_ZAP_HISTORY").toString());
  query.Close();

  return {form.dek_id, form.dek_dat, form.cbGroup.position, form.dtGrupaDate, form.cbStatus.position,
          ReadCardStamp(data, cardId)};
}
