// The register grid's model over the register list: the grid's columns with their titles,
// widths and hidden flags, the row number in the first column on a tooltip-coloured ground.
#pragma once

#include <QAbstractTableModel>
#include <vector>

class ListQuery;

struct GridColumn {
  QString field;
  QString title;
  int widthPixels = 0;  // 0: from the field's display width
  bool hidden = false;
  QString sample = {};  // a typical value, so the column opens wide enough to read it
};

// The register grid's columns, in order.
const std::vector<GridColumn>& RegisterGridColumns();

class RegisterGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit RegisterGridModel(ListQuery& list, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Width in characters of a column's field (0 when the grid decides).
  int DisplayWidth(int column) const;

 private:
  void Reset();
  void RowNumbersChangedFrom(int row);

  ListQuery& list_;
  std::vector<int> fieldOfColumn_;
};
