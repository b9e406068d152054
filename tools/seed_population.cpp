#include "seed_population.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include "data/card_table.h"
#include "data/firebird/database.h"
#include "data/firebird/statement.h"
#include "data/person_table.h"
#include "population_store.h"
#include "seed_random.h"

namespace {
// Indexes of the properties, in the order of pers_info_properties.h.
enum Property {
  kFirst, kMiddle, kLast, kPDistrict, kPMunicipality, kPPlace, kPStreet, kPNumber, kPEntrance, kPFloor,
  kPApartment, kPDate, kCDistrict, kCMunicipality, kCPlace, kCStreet, kCNumber, kCEntrance, kCFloor,
  kCApartment, kCDate, kCitizenship, kCitizenship2, kIdNumber, kIdDate, kIdRpu, kIdRdvr, kIdPlace, kBirthPlace
};

std::string U8(const QString& text) { return text.toUtf8().toStdString(); }

QString DateText(SeedRandom& random, int fromYear, int toYear) {
  return QStringLiteral("%1%2%3")
      .arg(random.Between(fromYear, toYear))
      .arg(random.Between(1, 12), 2, 10, QLatin1Char('0'))
      .arg(random.Between(1, 28), 2, 10, QLatin1Char('0'));
}

QString Captured(const QString& text, const QRegularExpression& pattern) {
  const QRegularExpressionMatch match = pattern.match(text);
  return match.hasMatch() ? match.captured(1) : QString();
}

// A letter of the name changed for a similar one, as clerks mistype names.
QString Misspelt(QString name, SeedRandom& random) {
  static const QString from = QStringLiteral("аеиоуъяАЕИОУ");
  static const QString to = QStringLiteral("ъияуоаеЪИЯУО");
  QList<int> positions;
  for (int i = 1; i < name.size(); ++i)
    if (from.contains(name[i])) positions << i;
  if (positions.isEmpty()) return name + QStringLiteral("а");
  const int at = positions[random.Below(static_cast<int>(positions.size()))];
  name[at] = to[from.indexOf(name[at])];
  return name;
}

void FillAddress(PopulationRecord& record, const QString& address, int place, SeedRandom& random) {
  static const QRegularExpression entrance(QStringLiteral("вх\\. (\\S+?)(,|$)"));
  static const QRegularExpression floor(QStringLiteral("ет\\. (\\d+)"));
  static const QRegularExpression apartment(QStringLiteral("ап\\. (\\d+)"));
  static const QRegularExpression number(QStringLiteral("(?:№|бл\\.) (\\d+)"));
  const QStringList parts = address.split(u',');
  record.values[place] = U8(parts.value(0).trimmed());
  QString street = parts.value(1).trimmed();
  street.remove(QRegularExpression(QStringLiteral(" № \\d+$")));
  record.values[place + 1] = U8(street);
  record.values[place + 2] = U8(Captured(address, number));
  record.values[place + 3] = U8(Captured(address, entrance));
  record.values[place + 4] = U8(Captured(address, floor));
  record.values[place + 5] = U8(Captured(address, apartment));
  record.values[place - 2] = U8(parts.value(0).trimmed().remove(QStringLiteral("гр. ")));
  record.values[place - 1] = record.values[place - 2];
  record.values[place + 6] = U8(DateText(random, 1990, 2020));
}
}  // namespace

PopulationSeedSummary WritePopulationForSeed(Database& database, const QString& storePath, std::uint64_t seed,
                                             const std::function<void(int done, int total)>& progress) {
  PopulationSeedSummary summary;
  SeedRandom random(seed ^ 0x5EED0F0B5EED0F0Bull);
  namespace card = card_table;
  namespace person = person_table;
  Statement count(database, QStringLiteral("select count(*) from ") + person::kTable);
  const int total = count.ScalarValue().toInt();

  PopulationWriter writer(QFile::encodeName(storePath).toStdString());
  const PersonSelect personCells({person::kEgn, person::kName}, QLatin1StringView("P"));
  const CardSelect cardCells({card::kAdress}, QLatin1StringView("C"));
  Statement persons(database, QStringLiteral("select ") + personCells.List() + QStringLiteral(", ") + cardCells.List() +
                                  QStringLiteral(" from ") + person::kTable + QStringLiteral(" P left join ") +
                                  card::kTable + QStringLiteral(" C on C.") + card::kCardId + QStringLiteral(" = P.") +
                                  person::kCardId + QStringLiteral(" order by P.") + person::kPersonId);
  persons.Open();
  while (persons.Next()) {
    ++summary.persons;
    const StoredPersonRow stored = personCells.Read(persons);
    const QString egn = stored.egn.value_or(QString()).trimmed();
    const QStringList parts = stored.name.value_or(QString()).simplified().split(u' ', Qt::SkipEmptyParts);
    const QString address = cardCells.Read(persons, personCells.Count()).adress.value_or(QString()).trimmed();
    const int kind = random.Below(100);
    if (egn.isEmpty() || parts.isEmpty() || kind < 5) {
      ++summary.leftOut;
    } else {
      QString first = parts.first();
      QString last = parts.size() > 1 ? parts.last() : QString();
      QString middle = parts.size() > 2 ? parts.mid(1, parts.size() - 2).join(u' ') : QString();
      if (kind < 9) {
        last = last.toUpper();
        ++summary.otherCase;
      } else if (kind < 12) {
        std::swap(first, last);
        ++summary.otherOrder;
      } else if (kind < 15) {
        last = Misspelt(last, random);
        ++summary.misspelt;
      } else {
        ++summary.sameName;
      }
      PopulationRecord record;
      record.egn = U8(egn);
      record.values[kFirst] = U8(first);
      record.values[kMiddle] = U8(middle);
      record.values[kLast] = U8(last);
      FillAddress(record, address, kPPlace, random);
      FillAddress(record, address, kCPlace, random);
      record.values[kCitizenship] = "БЪЛГАРИЯ";
      record.values[kIdNumber] = std::to_string(random.Between(600000000, 699999999));
      record.values[kIdDate] = U8(DateText(random, 2015, 2024));
      record.values[kIdRpu] = "МВР";
      if (random.Percent(30)) record.values[kIdRdvr] = std::to_string(random.Between(1, 9));
      record.values[kIdPlace] = record.values[kPMunicipality];
      record.values[kBirthPlace] = record.values[kPMunicipality];
      writer.Write(record);
      ++summary.written;
    }
    if (summary.persons % 50000 == 0) {
      writer.Commit();
      if (progress) progress(summary.persons, total);
    }
  }
  persons.Close();
  writer.Commit();
  if (progress) progress(summary.persons, total);
  return summary;
}
