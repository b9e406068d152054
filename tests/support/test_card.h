// A card written straight into the register for a test, as a register of another program or
// an earlier version would hold it: the columns every card must have (with plain values unless
// the test gives its own), any other column the test sets, and its members.
#pragma once

#include <QLatin1StringView>
#include <QString>
#include <QVariant>
#include <initializer_list>
#include <utility>
#include <vector>

class TDataModule1;

class TestCard {
 public:
  using Cells = std::vector<std::pair<QLatin1StringView, QVariant>>;

  // REGDATE 01.01.2020, ADRESS "адрес", GROUP1 2, GROUP2 0, STATUS 1, ADD_USER "Default" until
  // the test sets them; every other column stays NULL unless set.
  explicit TestCard(int regNum);

  // Sets a card column (a name of data/card_table.h, e.g. card_table::kGrupa).
  TestCard& Set(QLatin1StringView column, const QVariant& value);
  // Adds a member: its name, personal number and person type (0 the holder), and any other
  // person columns.
  TestCard& Person(const QString& name, const QString& egn = QStringLiteral("7501010004"), int personType = 0,
                   std::initializer_list<std::pair<QLatin1StringView, QVariant>> more = {});

  // Writes the card and its members in the data module's transaction (not committed) and
  // returns the card's key.
  int Insert(TDataModule1& data) const;

 private:
  Cells card_;
  std::vector<Cells> people_;
};
