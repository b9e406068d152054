// The stamp is read with "select *", so columns added to the tables later are covered too.
#include "card/card_stamp.h"

#include <QSet>

#include "data/data_module.h"
#include "data/firebird/statement.h"

const char* const kCardChangedElsewhere =
    "Картонът е променен от друг потребител, след като е зареден. Заредете го отново "
    "(бутон „Зареждане“) и повторете промените.";

namespace {
// Recomputed from the members by every classification; a ranking run elsewhere may change
// them without touching what the clerk edits.
const QSet<QString> kRecomputedColumns = {QStringLiteral("POINTS"),      QStringLiteral("POINTS_DESCR"),
                                          QStringLiteral("KIDS_AGE"),    QStringLiteral("ONLY_PARENT"),
                                          QStringLiteral("N_INVALIDS"), QStringLiteral("YOUNG_FAMILY")};

void AppendRows(Statement& query, QVariantList& stamp, const QSet<QString>& skipped) {
  query.Open();
  const Columns& columns = query.ResultColumns();
  while (query.Next()) {
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
      if (skipped.contains(columns[c].name)) continue;
      stamp << (query.IsNull(c) ? QVariant() : query.Value(c));
    }
    stamp << QStringLiteral("|");  // keeps rows apart
  }
  query.Close();
}
}  // namespace

QVariantList ReadCardStamp(TDataModule1& data, int cardId) {
  QVariantList stamp;
  Statement card(data.Db(), QStringLiteral("select * from RGS_CARD where CARD_ID = ?"));
  card.Bind(0, cardId);
  AppendRows(card, stamp, kRecomputedColumns);
  Statement members(data.Db(), QStringLiteral("select * from RGS_PERSON where CARD_ID = ? order by PERSON_ID"));
  members.Bind(0, cardId);
  AppendRows(members, stamp, {});
  return stamp;
}
