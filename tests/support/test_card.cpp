#include "test_card.h"

#include <QDate>
#include <QStringList>

#include "data/card_table.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "data/person_table.h"

namespace {
void Put(TestCard::Cells& cells, QLatin1StringView column, const QVariant& value) {
  for (auto& [name, cell] : cells) {
    if (name == column) {
      cell = value;
      return;
    }
  }
  cells.emplace_back(column, value);
}

// Inserts the cells into the table; with `returning`, the value of that column.
QVariant InsertRow(TDataModule1& data, QLatin1StringView table, const TestCard::Cells& cells,
                   QLatin1StringView returning = {}) {
  QStringList names, marks;
  for (const auto& [name, value] : cells) {
    names << QString(name);
    marks << QStringLiteral("?");
  }
  QString sql = QStringLiteral("insert into %1 (%2) values (%3)").arg(table, names.join(u','), marks.join(u','));
  if (!returning.isEmpty()) sql += QStringLiteral(" returning ") + returning;
  Statement insert(data.Db(), sql);
  for (size_t i = 0; i < cells.size(); ++i) insert.Bind(static_cast<int>(i), cells[i].second);
  insert.Execute();
  return returning.isEmpty() ? QVariant() : insert.Value(0);
}
}  // namespace

TestCard::TestCard(int regNum) {
  card_ = {{card_table::kRegNum, regNum},
           {card_table::kRegDate, QDate(2020, 1, 1)},
           {card_table::kAdress, QStringLiteral("адрес")},
           {card_table::kGroup1, 2},
           {card_table::kGroup2, 0},
           {card_table::kStatus, 1},
           {card_table::kAddUser, QStringLiteral("Default")}};
}

TestCard& TestCard::Set(QLatin1StringView column, const QVariant& value) {
  Put(card_, column, value);
  return *this;
}

TestCard& TestCard::Person(const QString& name, const QString& egn, int personType,
                           std::initializer_list<std::pair<QLatin1StringView, QVariant>> more) {
  Cells person{{person_table::kName, name}, {person_table::kEgn, egn}, {person_table::kPersonType, personType}};
  for (const auto& [column, value] : more) Put(person, column, value);
  people_.push_back(std::move(person));
  return *this;
}

int TestCard::Insert(TDataModule1& data) const {
  const int cardId = InsertRow(data, card_table::kTable, card_, card_table::kCardId).toInt();
  for (Cells person : people_) {
    person.insert(person.begin(), {person_table::kCardId, cardId});
    InsertRow(data, person_table::kTable, person);
  }
  return cardId;
}
