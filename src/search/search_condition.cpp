// Builds the list's condition line and the result tab's caption from the ticked criteria; user
// values reach the SQL only as quoted literals or checked numbers (the line is kept and shown).
#include "search/search_condition.h"

#include <climits>
#include <optional>

#include "data/sql_quote.h"

namespace {

// A whole number ≥ 0 that the program's integers hold, as an SQL literal.
std::optional<QString> WholeNumber(const QString& text) {
  const std::optional<QString> literal = SqlIntegerLiteral(text);
  if (!literal) return std::nullopt;
  const qint64 value = literal->toLongLong();
  if (value < 0 || value > INT_MAX) return std::nullopt;
  return literal;
}

// A number ≥ 0 as an SQL literal. Numbers are read with "." as the decimal separator, the
// program's number format, whatever the desktop's settings say: the same text then means
// the same number in the SQL and on every workstation.
std::optional<QString> NonNegativeNumber(const QString& text) {
  const std::optional<QString> literal = SqlDecimalLiteral(text);
  if (!literal) return std::nullopt;
  bool ok = false;
  const double value = literal->toDouble(&ok);  // QString::toDouble always reads "."
  if (!ok || value < 0) return std::nullopt;
  return literal;
}

// A pattern literal matching values that contain `part`. A "%" or "_" the clerk typed matches
// itself: it is escaped, and only then is the escape character named, so ordinary searches
// keep their condition line as it always read.
QString Containing(const QString& part) {
  if (!part.contains(u'%') && !part.contains(u'_')) return QuoteSqlText(u'%' + part + u'%');
  QString escaped = part;
  escaped.replace(u'\\', QStringLiteral("\\\\")).replace(u'%', QStringLiteral("\\%")).replace(u'_', QStringLiteral("\\_"));
  return QuoteSqlText(u'%' + escaped + u'%') + QStringLiteral(" ESCAPE '\\'");
}

QString Label(const char* utf8) { return QString::fromUtf8(utf8).trimmed(); }

class ConditionBuilder {
 public:
  explicit ConditionBuilder(const CodeOfName& codeOf) : codeOf_(codeOf) {
    outcome_.tabCaption = QStringLiteral("Търсене");
  }

  void AddBase(const QString& fragment) { outcome_.condition += fragment; }

  void Add(const QString& fragment, const QString& description) {
    outcome_.condition += fragment;
    outcome_.tabCaption += (outcome_.anyFragment ? u',' : u':') + description;
    outcome_.anyFragment = true;
  }

  // A code-list criterion: the chosen entry's code; the description is its name cut to `cut`.
  void AddList(const QString& name, const QString& list, const QString& fragment, int cut, const char* label) {
    if (name.trimmed().isEmpty())
      throw SearchCriterionError(QStringLiteral("Изберете стойност за критерия „%1“.").arg(Label(label)));
    Add(fragment + QString::number(codeOf_(list, name)), name.left(cut));
  }

  SearchOutcome Result() const { return outcome_; }

 private:
  const CodeOfName& codeOf_;
  SearchOutcome outcome_;
};

void RequireDates(const QDate& from, const QDate& to, const char* label) {
  if (!from.isValid() || !to.isValid())
    throw SearchCriterionError(QStringLiteral("Изберете дати за критерия „%1“.").arg(Label(label)));
}

}  // namespace

SearchOutcome BuildSearch(const SearchCriteria& c, const CodeOfName& codeOf) {
  ConditionBuilder b(codeOf);

  // Name and EGN searches leave the holders-only fragment out; the fixed statement keeps to
  // holders either way, so the condition line reads as it always has.
  if (!c.Ticked(2) && !c.Ticked(3)) b.AddBase(QStringLiteral("and P.PERSON_TYPE = 0 "));

  if (c.Ticked(1)) {
    if (const auto number = WholeNumber(c.sRegNum)) b.Add(QStringLiteral("and C.REG_NUM = ") + *number, c.sRegNum);
    const QString incoming = c.sVhNom.trimmed();
    if (!incoming.isEmpty()) {
      const QString upper = incoming.toUpper();
      b.Add(QStringLiteral("and C.DOC_IDTXT LIKE ") + Containing(upper), upper);
    }
  }
  if (c.Ticked(2)) {
    const QString upper = c.sName.toUpper();
    b.Add(QStringLiteral("and( upper(P.NAME) LIKE ") + Containing(upper) + u')', upper);
  }
  if (c.Ticked(3)) b.Add(QStringLiteral("and P.EGN LIKE ") + Containing(c.sEGN), c.sEGN);
  if (c.Ticked(4)) {
    // The "o" of "oт" is a Latin letter in the established caption; kept as users know it.
    if (const auto n = WholeNumber(c.sMemFrom)) b.Add(QStringLiteral("and C.KIDS >= ") + *n, QStringLiteral("деца oт ") + c.sMemFrom);
    if (const auto n = WholeNumber(c.sMemTo)) b.Add(QStringLiteral("and C.KIDS <= ") + *n, QStringLiteral("деца до ") + c.sMemTo);
  }
  if (c.Ticked(5)) {
    RequireDates(c.sDateFrom, c.sDateTo, "По дата на регистриране");
    b.Add(QStringLiteral("and ((C.REGDATE >= ") + QuoteSqlDate(c.sDateFrom) + QStringLiteral(")and (C.REGDATE <= ") +
              QuoteSqlDate(c.sDateTo) + QStringLiteral("))"),
          QStringLiteral("по дата"));
  }
  if (c.Ticked(6)) b.AddList(c.sGroup, QStringLiteral("GROUP1"), QStringLiteral("and C.GRUPA = "), 30, "По група:");
  if (c.Ticked(7)) b.AddList(c.sLData, QStringLiteral("LDATA"), QStringLiteral("and C.L_DATA = "), 24, "По вид жилище:");
  if (c.Ticked(8)) b.AddList(c.sStatus, QStringLiteral("STATUS"), QStringLiteral("and C.STATUS = "), 24, "По състояние:");
  if (c.Ticked(9)) {
    RequireDates(c.dFrom, c.dTo, "Без деклар.");
    b.Add(QStringLiteral("and(( C.LASTDEK_DATE <= ") + QuoteSqlDate(c.dFrom) + QStringLiteral(")or (C.LASTDEK_DATE >= ") +
              QuoteSqlDate(c.dTo) + QStringLiteral(") or (C.LASTDEK_DATE is NULL) )"),
          QStringLiteral("Картони без подадена декларация"));
  }
  if (c.Ticked(10))
    b.AddList(c.sLReason, QStringLiteral("LREASON"), QStringLiteral("and C.L_REASON = "), 16, "По основание за обитаване:");
  if (c.Ticked(11))
    b.AddList(c.sSocGrupa, QStringLiteral("SOCGRUPA"), QStringLiteral("and P.SOCGRUPA = "), 24, "По социална група:");
  if (c.Ticked(12)) {
    const QString upper = c.sNotes.toUpper();
    // The notes are a binary blob, and upper() leaves the Cyrillic letters of a binary blob as
    // they are: read as windows-1251 text, they compare without regard to case.
    b.Add(QStringLiteral("and (upper(cast(C.NOTES as blob sub_type text character set WIN1251)) LIKE ") +
              Containing(upper) + u')',
          upper);
  }
  if (c.Ticked(13)) {
    if (const auto n = WholeNumber(c.sMemNumbFrom))
      b.Add(QStringLiteral("and C.FAMILY_MEMBER_COUNT >= ") + *n, QStringLiteral("членове на сем. от ") + c.sMemNumbFrom);
    if (const auto n = WholeNumber(c.sMemNumbTo))
      b.Add(QStringLiteral("and C.FAMILY_MEMBER_COUNT <=") + *n, QStringLiteral("членове на сем. до ") + c.sMemNumbTo);
  }
  if (c.Ticked(14))
    b.AddList(c.sNastVidApart, QStringLiteral("NAST_VID_APART"), QStringLiteral("and C.NAST_VID_APART = "), 24,
              "По настанен в жил:");
  if (c.Ticked(15) && WholeNumber(c.sNastZap)) {
    // The order's number is matched as written ("007" stays "007"), without blanks or sign.
    QString digits = c.sNastZap.trimmed();
    if (digits.startsWith(u'+') || digits.startsWith(u'-')) digits.remove(0, 1);
    b.Add(QStringLiteral("and (C.NAST_ZAP LIKE ") + Containing(digits) + u')', c.sNastZap);
  }
  if (c.Ticked(16)) {
    const QString upper = c.sNastBuy.toUpper();
    b.Add(QStringLiteral("and (upper(C.NAST_BUY) LIKE ") + Containing(upper) + u')', upper);
  }
  if (c.Ticked(17)) {
    const QString upper = c.sHasFirm.toUpper();
    b.Add(QStringLiteral("and (upper(C.HAS_FIRM) LIKE ") + Containing(upper) + u')', upper);
  }
  if (c.Ticked(18)) {
    const QString upper = c.sTelkNum.toUpper();
    b.Add(QStringLiteral("and (upper(P.TELK_NUM) LIKE ") + Containing(upper) + u')', upper);
  }
  if (c.Ticked(19)) {
    if (const auto n = NonNegativeNumber(c.sIncFrom))
      b.Add(QStringLiteral("and C.INCOME_PER_PERSON >= ") + *n,
            QStringLiteral("дох. за член на сем. от ") + c.sIncFrom + QStringLiteral(" €"));
    if (const auto n = NonNegativeNumber(c.sIncTo))
      b.Add(QStringLiteral("and C.INCOME_PER_PERSON <= ") + *n,
            QStringLiteral("дох. за член на ме. до ") + c.sIncTo + QStringLiteral(" €"));
  }
  if (c.Ticked(20)) {
    if (const auto n = WholeNumber(c.sAgeOverFrom))
      b.Add(QStringLiteral("and C.KIDS_OVER18 >= ") + *n, QStringLiteral("деца над 18г. от ") + c.sAgeOverFrom);
    if (const auto n = WholeNumber(c.sAgeOverTo))
      b.Add(QStringLiteral("and C.KIDS_OVER18 <= ") + *n, QStringLiteral("деца над 18г. до ") + c.sAgeOverTo);
  }
  return b.Result();
}
