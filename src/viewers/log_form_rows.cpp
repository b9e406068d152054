#include "viewers/log_form_rows.h"

#include "data/data_module.h"
#include "data/firebird/statement.h"

QString ActionTextInList(const QString& text) { return text.left(kActionTextListLength); }

std::vector<ActionHistoryRow> ReadActionHistory(TDataModule1& data) {
  std::vector<ActionHistoryRow> rows;
  Statement query(data.Db(), QStringLiteral("select U_NAME, T_TEXT, C_DATE, S_DATE from INF_LOG order by LOG_ID"));
  query.Open();
  while (query.Next()) {
    ActionHistoryRow row;
    row.userName = query.Value(0).toString();
    row.text = query.Value(1).toString();
    row.clientTime = query.Value(2).toDateTime();
    row.serverTime = query.Value(3).toDateTime();
    rows.push_back(std::move(row));
  }
  query.Close();
  return rows;
}
