// A prepared statement with bound parameters and, for a select, its open cursor.
// Parameters: int/qlonglong, double, QString, QDateTime/QDate and a null QVariant (NULL);
// text bound to a blob parameter is written as a blob. Statements keep their text, so they
// prepare again by themselves after the connection was closed and opened.
#pragma once

#include <QString>
#include <QVariant>
#include <initializer_list>
#include <map>
#include <vector>

#include "data/firebird/column.h"
#include "data/firebird/transaction.h"

namespace Firebird {
class IStatement;
class IResultSet;
class IMessageMetadata;
}  // namespace Firebird
class Database;

class Statement : public TransactionObserver {
 public:
  explicit Statement(Database& database);
  Statement(Database& database, const QString& sql);
  ~Statement() override;
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  void Prepare(const QString& sql);
  const QString& Sql() const { return sql_; }
  int ParameterCount();
  // The engine's plan for the statement ("PLAN (...)"), as a check of which index it uses.
  QString Plan();

  // Binds parameter `index` (0-based) for the next Execute or Open.
  void Bind(int index, const QVariant& value);
  void BindAll(std::initializer_list<QVariant> values);

  // Runs the statement. For a statement that gives one row (INSERT ... RETURNING, a
  // procedure) the row is readable afterwards through Value().
  void Execute();
  // Opens the cursor of a select; rows come with Next().
  void Open();
  bool Next();
  void Close();
  bool IsOpen() const { return cursor_ != nullptr; }

  // Convenience: opens, reads the first row's first column, closes. Null when no row.
  QVariant ScalarValue();

  const Columns& ResultColumns();
  int ColumnIndex(const QString& name);  // case-insensitive; -1 when there is none
  bool IsNull(int column) const;
  QVariant Value(int column) const;  // blobs come as text
  QVariant ValueOf(const QString& name);
  // The current row's raw message, laid out as ResultColumns() says.
  const unsigned char* RowBuffer() const { return outBuffer_.data(); }

  // Reads a text blob of the current transaction.
  QString ReadBlob(const BlobId& id) const;

  void TransactionEnding() override { Close(); }

 private:
  friend class Database;
  void EnsurePrepared();
  void ReleaseHandles();
  void ReleaseInputLayouts();
  static constexpr size_t kMaxInputLayouts = 16;
  Firebird::IMessageMetadata* BuildInput(std::vector<unsigned char>& buffer);
  void ReadOutputColumns();

  Database& database_;
  QString sql_;
  Firebird::IStatement* handle_ = nullptr;
  Firebird::IResultSet* cursor_ = nullptr;
  Firebird::IMessageMetadata* inMeta_ = nullptr;
  Firebird::IMessageMetadata* outMeta_ = nullptr;
  // Input layouts by the kinds and text lengths of the bound values: a statement run with
  // texts of a few lengths (descriptions, place records) builds each layout once.
  std::map<QString, Firebird::IMessageMetadata*> inputLayouts_;
  unsigned statementType_ = 0;
  std::vector<QVariant> params_;
  Columns columns_;
  std::vector<unsigned char> outBuffer_;
  bool hasRow_ = false;
};
