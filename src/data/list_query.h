// The register list query: a statement kept as three lines (the fixed select of each card
// with its holder, a condition, an ordering), opened by fetching every row at once into
// compact storage, with the fixed field list, the lookups from NOM, the row number as the
// display text of CARD_ID and a current row that every window takes as the current card.
// Saving one card puts that card's row in place (RereadCard) instead of fetching the whole
// register again; cards are found by key through a map, not by walking the rows.
#pragma once

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

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
  // The row of card `cardId`, -1 when the list does not show it.
  int RowOfCard(int cardId) const;

  // True when RereadCard can put a card in place: the list is open, no record filter runs and
  // it is ordered by registration number alone.
  bool CanRereadCards() const;
  // Reads card `cardId` again under the list's condition and puts it where a reopen would
  // show it: its row replaced, a card new to the list inserted in its place by registration
  // number, a card that no longer meets the condition (or is gone) removed. The current row
  // stays on its card (on the same row number when that card was removed). The other rows
  // stay as they were fetched: other workstations' changes show at the next opening. False,
  // with nothing changed, when CanRereadCards() is not so; the caller opens the list again.
  bool RereadCard(int cardId);

  // While one lives, the fetched rows outlast the end of the transaction (a card's save
  // commits, then puts only that card in place). Does nothing when the list could not put
  // the card in place afterwards (CanRereadCards): the end of the transaction closes it then.
  class KeepOverCommit {
   public:
    explicit KeepOverCommit(ListQuery& list);
    ~KeepOverCommit();
    KeepOverCommit(const KeepOverCommit&) = delete;
    KeepOverCommit& operator=(const KeepOverCommit&) = delete;
    bool Keeps() const { return keeps_; }

   private:
    ListQuery& list_;
    bool keeps_ = false;
  };

  void TransactionEnding() override;

 signals:
  void Opened(int rowCount);
  void Closed();
  void CurrentRowChanged(int row);
  // One row changed in place by RereadCard.
  void RowReplaced(int row);
  void RowAboutToBeInserted(int row);
  void RowInserted(int row);
  void RowAboutToBeRemoved(int row);
  void RowRemoved(int row);
  // The number of rows changed without an opening (a card put in or taken out).
  void RowCountChanged(int rowCount);

 private:
  int MemberCount(int row) const;
  int ColumnOf(const QString& field) const;
  int CardIdAt(int row) const;
  int RegNumAt(int row) const;
  void BuildRowOfCard() const;
  int PlaceOfRegNum(int regNum) const;
  void RenumberFrom(int row);
  void InsertRow(int row, const unsigned char* message);
  void RemoveRow(int row);
  // The card's blob in `column` when the row was fetched in a transaction that has ended:
  // its id then belongs to that transaction, so the ids are read again by key.
  QVariant CurrentBlob(int row, int column) const;

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

  // Card key -> row, made at the first look-up and kept up to date as rows move; empty and
  // unused when a card shows on more than one row (a condition that lists several holders).
  mutable std::unordered_map<int, int> rowOfCard_;
  mutable bool rowOfCardBuilt_ = false;
  mutable bool cardKeysUnique_ = true;
  std::unique_ptr<Statement> reread_;

  int keepers_ = 0;
  int transactionEnds_ = 0;     // ends the rows outlasted
  int rowsFromTransaction_ = 0;  // transactionEnds_ when the rows were fetched
  // The blob ids read again by key, valid while transactionEnds_ equals blobIdsFrom_.
  mutable int blobIdsFrom_ = -1;
  mutable std::unordered_map<int, std::vector<std::optional<BlobId>>> blobIdsOfCard_;
  mutable std::vector<int> blobColumns_;
};
