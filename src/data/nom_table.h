// The nomenclature table NOM held in memory: its rows keyed by code N. Closed by a full
// commit like every data set; the lookups of the register list and the code-list displays
// read it.
#pragma once

#include <QString>
#include <QVariant>
#include <map>
#include <vector>

#include "data/firebird/transaction.h"

class Database;

// Characters the municipality's name holds (S_INFO of row 0), as the schema declares the column.
inline constexpr int kMunicipalityLength = 50;

// The register's settings kept in NOM cells that no code list uses: S_INFO of row 0 the
// municipality, of row 1 the office that issues the service note, of row 2 the note's paper
// ("A4" or "Letter"), of row 4 the register's currency ("EUR" once its amounts in leva were
// converted); COUNTER of row 3 the minimum years of address registration.
namespace nom_settings {
inline constexpr int kMunicipalityRow = 0;
inline constexpr int kOfficeRow = 1;
inline constexpr int kPaperRow = 2;
inline constexpr int kYearsRow = 3;
inline constexpr int kCurrencyRow = 4;
inline constexpr int kOfficeLength = 50;  // S_INFO's length, like the municipality's
}  // namespace nom_settings

class NomTable : public TransactionObserver {
 public:
  explicit NomTable(Database& database);
  ~NomTable() override;

  void Open();
  void Close();
  bool IsOpen() const { return open_; }
  void OpenIfClosed() {
    if (!open_) Open();
  }

  // The cell of `column` in row N = code as stored (CHAR cells blank-padded); a null
  // QVariant when the row or the cell is missing. Unknown columns are an error.
  QVariant Cell(const QString& column, int code) const;
  // As Cell, with the column's index (ColumnIndex); -1 gives null.
  QVariant CellAt(int columnIndex, int code) const;
  // Codes of all rows, in N order.
  std::vector<int> Codes() const;
  int ColumnIndex(const QString& column) const;  // -1 when NOM has no such column

  void TransactionEnding() override { Close(); }

 private:
  Database& database_;
  bool open_ = false;
  QStringList columns_;
  std::map<int, std::vector<QVariant>> rows_;
};
