// The place-storing loop. Each card is written by one statement that appends the record to
// the notes inside the database, so no notes travel to the program and back.
#include "classification/store_ranking_places.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "classification/ranking_failure.h"
#include "classification/ranking_place.h"
#include "classification/ranking_progress.h"
#include "core/clock.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"

namespace {
// SYS_NOTES gets the record after a carriage return (code 13 alone) when the notes are not
// empty and do not already end in a control character, else right after them. (The empty
// alternative is a varchar: a CHAR would come back as a blank.)
const QString kStoreSql = QStringLiteral(
    "update RGS_CARD set CLASSINFO = ?, SYS_NOTES = "
    "iif(SYS_NOTES is null, '', "
    "SYS_NOTES || iif(ascii_val(cast(right(SYS_NOTES, 1) as varchar(1))) > 31, ascii_char(13), "
    "cast('' as varchar(1)))) "
    "|| cast(? as varchar(250)) "
    "where REG_NUM = ?");

std::optional<QString> OptionalText(const QVariant& value) {
  if (value.isNull()) return std::nullopt;
  return value.toString();
}
}  // namespace

QString RankingPlaceStoreSql() { return kStoreSql; }

int StoreRankingPlaces(TDataModule1& data, RankingProgress& progress) {
  progress.Begin(QStringLiteral("Попълване на данните от класирането"), 215);
  ListQuery& list = data.MainQuery();
  const int n = list.RowCount();
  const QDate today = Clock::Now().date();
  try {
    // Every record is composed first, in list order, so a card that cannot be placed stops
    // the run before anything is written.
    std::vector<std::pair<int, QString>> records;  // REG_NUM, place record
    records.reserve(static_cast<size_t>(n));
    const int regNumField = list.FieldIndex(QStringLiteral("REG_NUM"));
    const int groupField = list.FieldIndex(QStringLiteral("grupa11"));
    const int grupaDateField = list.FieldIndex(QStringLiteral("GRUPA_DATE"));
    const int pointsDescrField = list.FieldIndex(QStringLiteral("POINTS_DESCR"));
    for (int place = 1; place <= n; ++place) {
      const int row = place - 1;
      const int regNum = list.Value(row, regNumField).toInt();
      const int group = RankingGroupNumber(list.Value(row, groupField).toString(), regNum);
      records.emplace_back(regNum, RankingPlaceRecord(place, today, group, list.Value(row, grupaDateField).toDate(),
                                                      OptionalText(list.Value(row, pointsDescrField))));
    }
    // Written in registration-number order, which is near the order the cards lie in the
    // database: a large register is then written page after page, not all over the file.
    std::sort(records.begin(), records.end());

    data.BeginWrite();
    Statement store(data.Db(), kStoreSql);
    for (int k = 1; k <= n; ++k) {
      progress.Step(k, n);
      const auto& [regNum, record] = records[static_cast<size_t>(k - 1)];
      store.BindAll({record, record, regNum});
      store.Execute();
    }
    list.Close();
    data.Commit();
  } catch (...) {
    EndFailedRankingRun(data, progress);
    throw;
  }
  progress.End();
  list.Open();
  return n;
}
