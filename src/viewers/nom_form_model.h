// The nomenclature viewer's table: the rows of NOM in code order, the code number and the seven
// code lists as columns with their titles; nothing is editable.
#pragma once

#include <QAbstractTableModel>
#include <vector>

class NomTable;

class NomGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit NomGridModel(NomTable& nom, QObject* parent = nullptr);

  // The NOM column shown in grid column `column` ("N", "GROUP1", ...).
  static QString ColumnName(int column);
  static constexpr int kColumnCount = 8;

  // Reads the rows of the NOM table again (opening it when closed).
  void Reload();
  int CodeAt(int row) const { return codes_.at(row); }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  NomTable& nom_;
  std::vector<int> codes_;
};
