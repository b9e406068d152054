#include "register/register_grid_model.h"

#include <QGuiApplication>
#include <QPalette>

#include "core/text_helpers.h"
#include "data/card_table.h"
#include "data/list_query.h"
#include "data/person_table.h"

const std::vector<GridColumn>& RegisterGridColumns() {
  namespace card = card_table;
  namespace person = person_table;
  static const std::vector<GridColumn> columns = {
      {QString(card::kCardId), QStringLiteral("  №"), 35, false},
      {QString(card::kRegNum), QStringLiteral("Рег.номер"), 0, false, QStringLiteral("000000")},
      {QString(card::kRegDate), QStringLiteral("Рег.дата"), 0, false, QStringLiteral("00.00.0000")},
      {QString(person::kName), QStringLiteral("Име"), 0, false},
      {QString(person::kEgn), QStringLiteral("ЕГН"), 0, false, QStringLiteral("0000000000")},
      {QStringLiteral("Stat"), QStringLiteral("Статус"), 0, false, QStringLiteral("Изключен от списъка")},
      {QStringLiteral("grupa1"), QStringLiteral("Група"), 0, false, QStringLiteral("2.засегнати от ново стр")},
      {QString(card::kGrupaDate), QStringLiteral("от дата"), 0, false, QStringLiteral("00.00.0000")},
      {QString(card::kPointsDescr), QStringLiteral("особености"), 0, false, QStringLiteral("Без подгрупа")},
      {QString(card::kPoints), QStringLiteral("Тежест(точки)"), 0, false},
      {QString(card::kPointsYear), QStringLiteral("Год. на вкл."), 0, false, QStringLiteral("0000")},
      {QString(card::kKids), QStringLiteral("Деца до 18г"), 0, false},
      {QString(card::kAdress), QStringLiteral("Адрес"), 0, false},
      {QString(card::kAdressDate), QStringLiteral("Адр.дата"), 0, false, QStringLiteral("00.00.0000")},
      {QString(card::kDocIdTxt), QStringLiteral("Заявление N:"), 0, false},
      {QString(card::kProtId), QStringLiteral("Протокол N:"), 0, true},
      {QString(card::kLastDekId), QStringLiteral("Декл.N:"), 0, false},
      {QString(card::kLastDekDate), QStringLiteral("Декл. дата"), 0, false, QStringLiteral("00.00.0000")},
      {QString(person::kInvProc), QStringLiteral("Процент на инвалидност"), 0, true},
      {QString(card::kClassInfo), QStringLiteral("Последно класиране"), 0, false},
      {QString(person::kInvDate), QStringLiteral("Валидно до"), 0, true},
      {QString(person::kTelkNum), QStringLiteral("Експертно решение на ТЕЛК"), 0, true},
      {QStringLiteral("group_2"), QStringLiteral("Подгрупа"), 0, true},
  };
  return columns;
}

RegisterGridModel::RegisterGridModel(ListQuery& list, QObject* parent) : QAbstractTableModel(parent), list_(list) {
  for (const GridColumn& c : RegisterGridColumns()) fieldOfColumn_.push_back(list_.FieldIndex(c.field));
  connect(&list_, &ListQuery::Opened, this, &RegisterGridModel::Reset);
  connect(&list_, &ListQuery::Closed, this, &RegisterGridModel::Reset);
  // One card put in place: the grid keeps its scrolling and selection. The row numbers of
  // the rows below a card put in or taken out change with it.
  connect(&list_, &ListQuery::RowReplaced, this,
          [this](int row) { emit dataChanged(index(row, 0), index(row, columnCount() - 1)); });
  connect(&list_, &ListQuery::RowAboutToBeInserted, this, [this](int row) { beginInsertRows({}, row, row); });
  connect(&list_, &ListQuery::RowInserted, this, [this](int row) {
    endInsertRows();
    RowNumbersChangedFrom(row + 1);
  });
  connect(&list_, &ListQuery::RowAboutToBeRemoved, this, [this](int row) { beginRemoveRows({}, row, row); });
  connect(&list_, &ListQuery::RowRemoved, this, [this](int row) {
    endRemoveRows();
    RowNumbersChangedFrom(row);
  });
}

void RegisterGridModel::RowNumbersChangedFrom(int row) {
  if (row < rowCount()) emit dataChanged(index(row, 0), index(rowCount() - 1, 0), {Qt::DisplayRole});
}

void RegisterGridModel::Reset() {
  beginResetModel();
  endResetModel();
}

int RegisterGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || !list_.IsOpen() ? 0 : list_.RowCount();
}

int RegisterGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(RegisterGridColumns().size());
}

QVariant RegisterGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !list_.IsOpen() || index.row() >= list_.RowCount()) return {};
  const int field = fieldOfColumn_.at(index.column());
  switch (role) {
    case Qt::DisplayRole:
      return WithoutTrailingBlanks(list_.DisplayText(index.row(), field));  // CHAR columns come blank-padded
    case Qt::BackgroundRole:
      if (index.column() == 0) return QGuiApplication::palette().brush(QPalette::ToolTipBase);
      return {};
    case Qt::ForegroundRole:
      if (index.column() == 0) return QGuiApplication::palette().brush(QPalette::ToolTipText);
      return {};
    case Qt::TextAlignmentRole: {
      const QVariant value = index.column() == 0 ? QVariant(1) : list_.Value(index.row(), field);
      const bool number = value.typeId() == QMetaType::Int || value.typeId() == QMetaType::Double ||
                          value.typeId() == QMetaType::LongLong;
      return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    default:
      return {};
  }
}

QVariant RegisterGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  return RegisterGridColumns().at(section).title;
}

int RegisterGridModel::DisplayWidth(int column) const {
  const int field = fieldOfColumn_.at(column);
  return field < 0 ? 0 : list_.Field(field).displayWidth;
}
