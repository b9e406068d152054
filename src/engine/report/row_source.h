// What a report prints over: rows in order, each giving the text of a field by name.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace report {

class RowSource {
 public:
  virtual ~RowSource() = default;
  virtual int RowCount() const = 0;
  // The printable text of a field of a row (empty for no value).
  virtual QString Text(int row, const QString& field) const = 0;
};

// Rows held in memory: a list of field names and one list of texts per row.
class TableRows : public RowSource {
 public:
  explicit TableRows(QStringList fields) : fields_(std::move(fields)) {}
  void Append(QStringList texts) { rows_.push_back(std::move(texts)); }

  int RowCount() const override { return static_cast<int>(rows_.size()); }
  QString Text(int row, const QString& field) const override;

 private:
  QStringList fields_;
  std::vector<QStringList> rows_;
};

}  // namespace report
