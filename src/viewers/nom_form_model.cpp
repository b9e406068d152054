#include "viewers/nom_form_model.h"

#include "core/text_helpers.h"
#include "data/nom_table.h"

namespace {
struct NomColumn {
  const char* field;
  const char* title;
};
const NomColumn kColumns[NomGridModel::kColumnCount] = {
    {"N", "Номер"},
    {"GROUP1", "Група"},
    {"GROUP2", "Особености"},
    {"STATUS", "Състояние"},
    {"SOCGRUPA", "Социална Група"},
    {"LDATA", "Данни за жилището"},
    {"LREASON", "Основание за обитаване"},
    {"KARTFOR", "Картотекиран за "},
};
}  // namespace

NomGridModel::NomGridModel(NomTable& nom, QObject* parent) : QAbstractTableModel(parent), nom_(nom) {}

QString NomGridModel::ColumnName(int column) { return QString::fromLatin1(kColumns[column].field); }

void NomGridModel::Reload() {
  beginResetModel();
  nom_.OpenIfClosed();
  codes_ = nom_.Codes();
  endResetModel();
}

int NomGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(codes_.size());
}

int NomGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant NomGridModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
  const int code = codes_[index.row()];
  if (index.column() == 0) return code;
  if (!nom_.IsOpen()) return {};
  return WithoutTrailingBlanks(nom_.Cell(ColumnName(index.column()), code).toString());
}

QVariant NomGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumnCount) return {};
  return QString::fromUtf8(kColumns[section].title);
}
