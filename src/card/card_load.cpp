// Loading a stored card into the card form.
#include "card/card_load.h"

#include <QLocale>
#include <QRegularExpression>

#include "card/card_stamp.h"
#include "core/clock.h"
#include "core/text_helpers.h"
#include "core/yes_no_code.h"
#include "data/card_table.h"
#include "data/data_module.h"
#include "data/firebird/db_error.h"
#include "data/firebird/statement.h"

namespace {
// A missing date-picker date the editor keeps apart from 30.12.1899 (shown blank).
constexpr DateTimeValue kNoProtocolDate = 0.0001;

QString Text(const std::optional<QString>& stored) {
  return stored ? WithoutTrailingBlanks(*stored) : QString();
}
// A number column shown in a text field.
QString NumberText(const std::optional<int>& stored) { return stored ? QString::number(*stored) : QString(); }
// Loading stops on a NULL where every save writes a value, as reading it as a number would.
int Required(const std::optional<int>& stored, QLatin1StringView column) {
  if (!stored) throw ValidationError(QStringLiteral("Картонът няма стойност в колоната %1.").arg(column));
  return *stored;
}
DateTimeValue DateOr(const std::optional<QDateTime>& stored, DateTimeValue fallback) {
  return stored ? StoredDateValue(*stored) : fallback;
}
QString Amount(const std::optional<double>& stored) {
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale.toString(stored.value_or(0.0), 'f', 2);
}

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
  using namespace card_table;
  const CardSelect select;
  Statement query(data.Db(), QStringLiteral("select ") + select.List() + QStringLiteral(" from ") + kTable +
                                 QStringLiteral(" where ") + kCardId + QStringLiteral(" = ?"));
  query.Bind(0, cardId);
  query.Open();
  if (!query.Next()) throw ValidationError(QStringLiteral("Картон с ключ %1 не съществува.").arg(cardId));
  const StoredCardRow row = select.Read(query);
  query.Close();

  form.ebRegNum = NumberText(row.regNum);
  form.doctxt = Text(row.docIdTxt);
  form.AddDate = DateOr(row.regDate, form.AddDate);

  form.cbGroup = Choice(CodeListItems(data, QStringLiteral("GROUP1")), Required(row.grupa, kGrupa));
  form.dtGrupaDate = DateOr(row.grupaDate, form.dtGrupaDate);
  form.cbsubGroup = Choice(CodeListItems(data, QStringLiteral("GROUP2")), Required(row.group2, kGroup2));
  form.cbStatus = Choice(CodeListItems(data, QStringLiteral("STATUS")), Required(row.status, kStatus));
  form.ebGot = Text(row.gotHouse);
  form.pr = Text(row.protId);
  form.protDate = DateOr(row.protDate, kNoProtocolDate);
  form.dek_id = Text(row.lastDekId);
  form.dek_dat = DateOr(row.lastDekDate, 0);
  form.cbKart = Choice(CodeListItems(data, QStringLiteral("KARTFOR")), row.kart.value_or(0));
  form.HardLife = Required(row.hardLife, kHardLife) != 0;
  form.CheckBoxAloneParent = row.aloneParent && YesNoCodeIsYes(*row.aloneParent);
  form.edYearsNoDeclr = NumberText(row.yearsNoDeclr);

  form.edYear = NumberText(row.pointsYear);
  form.edPoints = NumberText(row.points);
  form.edPointsDescr = Text(row.pointsDescr);

  form.dtAdress = DateOr(row.adressDate, DateValue(Clock::Now().date()));
  form.ebAdress = Text(row.adress);
  form.cbLData = Choice(CodeListItems(data, QStringLiteral("LDATA")), row.lData.value_or(0));
  form.ebLCond = Text(row.lConditions);
  form.cbLReason = Choice(CodeListItems(data, QStringLiteral("LREASON")), row.lReason.value_or(0));
  form.edReasonComment = Text(row.reasonComment);
  form.dtCheck = DateOr(row.checkDate, 0);
  form.ebCheck = Text(row.checkName);

  form.ebIncome = Amount(row.income);
  form.ebIncomeHalfYear = Amount(row.incomeHalfYear);
  form.ebIncPerPerson = Amount(row.incomePerPerson);
  form.ebAssets = Text(row.assets);
  form.ebDeals = Text(row.deals);
  form.edHasFirm = Text(row.hasFirm);

  // Memos keep their lines as stored, trailing blanks included.
  form.mNotes = MemoLines(row.notes.value_or(QString()));
  form.mSYSNotes = MemoLines(row.sysNotes.value_or(QString()));

  form.edNastZap = Text(row.nastZap);
  form.dtNastZap = DateOr(row.nastZapDate, 0);
  form.cbNastVidApart = Choice(CodeListItems(data, QStringLiteral("NAST_VID_APART")), row.nastVidApart.value_or(0));
  form.edNasAdrApart = Text(row.nastApartAdres);
  form.cbTerm = Choice(CodeListItems(data, QStringLiteral("NAST_TERM")), row.nastTerm.value_or(0));
  form.edIskaKupi = Text(row.nastBuy);
  form.edZapOut = Text(row.nasZapOut);
  form.mZapHistory = MemoLines(row.nastZapHistory.value_or(QString()));

  return {form.dek_id, form.dek_dat, form.cbGroup.position, form.dtGrupaDate, form.cbStatus.position,
          ReadCardStamp(data, cardId), form};
}
