// The action history as the viewer lists it: every INF_LOG record in LOG_ID order, and the
// list's rule for a long action text.
#pragma once

#include <QDateTime>
#include <QString>
#include <vector>

class TDataModule1;

struct ActionHistoryRow {
  QString userName;  // U_NAME
  QString text;      // T_TEXT, whole
  QDateTime clientTime;  // C_DATE
  QDateTime serverTime;  // S_DATE
};

inline constexpr int kActionTextListLength = 150;

// The action text as the list shows it: its first 150 characters.
QString ActionTextInList(const QString& text);

std::vector<ActionHistoryRow> ReadActionHistory(TDataModule1& data);
