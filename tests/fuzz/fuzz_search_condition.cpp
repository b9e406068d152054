// Fuzzes the search condition builder with any criteria: the input's first line chooses the
// ticked boxes, the next lines fill the texts and dates. The builder refuses exactly the ticked
// lists without an entry and the ticked date ranges without dates; otherwise every apostrophe of
// the condition closes its literal, and outside the literals there are only the builder's own
// words, numbers and operators, whatever was typed.
#include <QRegularExpression>
#include <QSet>

#include "fuzz_check.h"
#include "search/search_condition.h"

namespace {
// What the condition may hold outside its text literals.
bool IsOwnWord(const QString& word) {
  static const QSet<QString> words = {
      "and", "or", "is", "NULL", "LIKE", "upper", "cast", "as", "blob", "sub_type", "text", "character", "set",
      "WIN1251", "P.PERSON_TYPE", "C.REG_NUM", "C.DOC_IDTXT", "P.NAME", "P.EGN", "C.KIDS", "C.REGDATE", "C.GRUPA",
      "C.L_DATA", "C.STATUS", "C.LASTDEK_DATE", "C.L_REASON", "P.SOCGRUPA", "C.NOTES", "C.FAMILY_MEMBER_COUNT",
      "C.NAST_VID_APART", "C.NAST_ZAP", "C.NAST_BUY", "C.HAS_FIRM", "P.TELK_NUM", "C.INCOME_PER_PERSON",
      "C.KIDS_OVER18"};
  return words.contains(word);
}

// The condition with every text literal as "?"; nothing when a literal is left open.
std::optional<QString> WithoutLiterals(const QString& condition) {
  QString skeleton;
  qsizetype i = 0;
  while (i < condition.size()) {
    if (condition[i] != u'\'') {
      skeleton += condition[i++];
      continue;
    }
    ++i;
    for (;;) {
      if (i >= condition.size()) return std::nullopt;
      if (condition[i] == u'\'') {
        if (i + 1 < condition.size() && condition[i + 1] == u'\'') {
          i += 2;
          continue;
        }
        ++i;
        break;
      }
      ++i;
    }
    skeleton += u'?';
  }
  return skeleton;
}

QDate DateOf(const QString& text) { return QDate::fromString(text, QStringLiteral("d.M.yyyy")); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QStringList in = FuzzLines(data, size, 35);
  SearchCriteria c;
  for (int box = 1; box <= SearchCriteria::kBoxCount; ++box)
    c.SetTicked(box, box - 1 < in[0].size() && in[0][box - 1].unicode() % 2 == 1);
  int at = 1;
  for (QString* text : {&c.sRegNum, &c.sVhNom, &c.sName, &c.sEGN, &c.sMemFrom, &c.sMemTo, &c.sGroup, &c.sLData,
                        &c.sStatus, &c.sLReason, &c.sSocGrupa, &c.sNotes, &c.sMemNumbFrom, &c.sMemNumbTo,
                        &c.sNastVidApart, &c.sNastZap, &c.sNastBuy, &c.sHasFirm, &c.sTelkNum, &c.sIncFrom,
                        &c.sIncTo, &c.sAgeOverFrom, &c.sAgeOverTo})
    *text = in[at++];
  for (QDate* date : {&c.sDateFrom, &c.sDateTo, &c.dFrom, &c.dTo}) *date = DateOf(in[at++]);

  const bool missingEntry = (c.Ticked(6) && c.sGroup.trimmed().isEmpty()) ||
                            (c.Ticked(7) && c.sLData.trimmed().isEmpty()) ||
                            (c.Ticked(8) && c.sStatus.trimmed().isEmpty()) ||
                            (c.Ticked(10) && c.sLReason.trimmed().isEmpty()) ||
                            (c.Ticked(11) && c.sSocGrupa.trimmed().isEmpty()) ||
                            (c.Ticked(14) && c.sNastVidApart.trimmed().isEmpty());
  const bool missingDate = (c.Ticked(5) && (!c.sDateFrom.isValid() || !c.sDateTo.isValid())) ||
                           (c.Ticked(9) && (!c.dFrom.isValid() || !c.dTo.isValid()));
  // Any code, negative ones too, as a code list could hold.
  const CodeOfName codeOf = [](const QString&, const QString& name) { return static_cast<int>(qHash(name)); };
  SearchOutcome outcome;
  try {
    outcome = BuildSearch(c, codeOf);
  } catch (const SearchCriterionError&) {
    FuzzCheck(missingEntry || missingDate, "only a list without an entry or a range without dates is refused");
    return 0;
  }
  FuzzCheck(!missingEntry && !missingDate, "a list without an entry or a range without dates is refused");

  const std::optional<QString> skeleton = WithoutLiterals(outcome.condition);
  FuzzCheck(skeleton.has_value(), "every literal of the condition is closed", outcome.condition);
  static const QRegularExpression token(QStringLiteral(R"([A-Za-z_][A-Za-z0-9_.]*|[+-]?[0-9][0-9.]*|[+-]?\.[0-9]+|>=|<=|[=()?%]|\s+|.)"));
  static const QRegularExpression number(QStringLiteral(R"(^[+-]?([0-9]+(\.[0-9]*)?|\.[0-9]+)$)"));
  for (auto match = token.globalMatch(*skeleton); match.hasNext();) {
    const QString t = match.next().captured();
    const bool allowed = IsOwnWord(t) || number.match(t).hasMatch() || t.trimmed().isEmpty() ||
                         QStringList{">=", "<=", "=", "(", ")", "?"}.contains(t);
    FuzzCheck(allowed, "outside the literals only the builder's words, numbers and operators", outcome.condition);
  }
  return 0;
}
