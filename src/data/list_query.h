// The register list query: a statement kept as three lines (the fixed select of each card
// with its holder, a condition, an ordering), opened by fetching every row at once into
// compact storage, with the fixed field list, the lookups from NOM, the row number as the
// display text of CARD_ID and a current row that every window takes as the current card.
#pragma once

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>

#include "data/firebird/row_store.h"
#include "data/firebird/statement.h"
#include "data/firebird/transaction.h"
#include "data/list_fields.h"

class Database;
class NomTable;

class ListQuery : public QObject, public TransactionObserver {
  Q_OBJECT
 public:
  // The fixed select of line 0.
  static const QString kBaseStatement;

  ListQuery(Database& database, NomTable& nom, QObject* parent = nullptr);
  ~ListQuery() override;

  // Line 0 is fixed; lines 1 (condition) and 2 (ordering) are set by their owners.
  QString Line(int index) const { return lines_.at(index); }
  void SetCondition(const QString& condition) { lines_[1] = condition; }
  void SetOrdering(const QString& ordering) { lines_[2] = ordering; }
  // The whole statement: the three lines joined with line breaks.
  QString Sql() const { return lines_.join(u'\n'); }

  // A record filter applied while rows are fetched; the statement is on the row.
  using RowFilter = std::function<bool(const Statement& row)>;
  void SetFilter(RowFilter filter) { filter_ = std::move(filter); }
  bool IsFiltered() const { return static_cast<bool>(filter_); }

  void Open();  // fetches every row; opens NOM when it is closed
  void Close();
  bool IsOpen() const { return open_; }

  int RowCount() const { return rows_.RowCount(); }
  int FieldCount() const { return static_cast<int>(RegisterListFields().size()); }
  int FieldIndex(const QString& name) const;  // case-insensitive; -1 when there is none
  const ListField& Field(int index) const { return RegisterListFields().at(index); }

  // The field's value: lookups give the NOM name (cut to the field's size, without trailing
  // blanks) or null; N counts the card's members; blobs and memos give their text.
  QVariant Value(int row, int field) const;
  QVariant Value(int row, const QString& field) const;
  // What a grid shows: the row number for CARD_ID, dates as dd.mm.yyyy, empty for null.
  QString DisplayText(int row, int field) const;

  // The current row (-1 when the list is empty or closed).
  int CurrentRow() const { return current_; }
  void SetCurrentRow(int row);
  QVariant CurrentValue(const QString& field) const;
  // Moves to the first row whose field equals the value; false (and no move) when none does.
  bool Locate(const QString& field, const QVariant& value);

  void TransactionEnding() override { Close(); }

 signals:
  void Opened(int rowCount);
  void Closed();
  void CurrentRowChanged(int row);

 private:
  int MemberCount(int row) const;

  Database& database_;
  NomTable& nom_;
  QStringList lines_;
  Statement statement_;
  std::unique_ptr<Statement> memberCount_;
  RowFilter filter_;
  RowStore rows_;
  std::vector<int> columnOfField_;  // statement column of each field, -1 when not selected
  std::vector<int> lookupKeyField_;   // for lookups: the field holding the code
  std::vector<int> lookupNomColumn_;  // for lookups: NOM's column index, set when the list opens
  bool open_ = false;
  int current_ = -1;
};
