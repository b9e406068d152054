// Loading and saving the settings of the settings window.
#include "commands/options_settings.h"

#include "core/messages.h"
#include "data/data_module.h"
#include "data/firebird/cp1251.h"
#include "data/firebird/db_error.h"
#include "data/firebird/statement.h"

namespace {
constexpr int kMunicipalityRow = 0;
constexpr int kYearsRow = 3;
constexpr int kDefaultYears = 10;

QString CellText(TDataModule1& data, const QString& column, int row) {
  Statement query(data.Db(), QStringLiteral("select %1 from NOM where N = ?").arg(column));
  query.Bind(0, row);
  const QVariant value = query.ScalarValue();
  return value.isNull() ? QString() : value.toString();
}

void StoreCell(TDataModule1& data, const QString& column, int row, const QVariant& value) {
  Statement store(data.Db(), QStringLiteral("update or insert into NOM (N, %1) values (?, ?) matching (N)").arg(column));
  store.BindAll({row, value});
  store.Execute();
}
}  // namespace

int MinimumYearsOf(const QString& text) {
  bool ok = false;
  const int years = text.toInt(&ok, 10);
  return ok ? years : kDefaultYears;
}

QString OptionsProblem(const OptionsValues& values) {
  const QString& name = values.municipality;
  if (name.size() > kMunicipalityLength)
    return QStringLiteral("Полето \"Община\" може да съдържа най-много %1 знака, а съдържа %2.")
        .arg(kMunicipalityLength)
        .arg(name.size());
  if (const QString character = FirstUnstorableCharacter(name); !character.isEmpty())
    return QStringLiteral("Полето \"Община\" съдържа знак, който не може да бъде записан: %1.").arg(character);
  if (values.minimumYears.isEmpty()) return {};
  bool ok = false;
  const int years = values.minimumYears.toInt(&ok, 10);
  if (!ok || years < 0 || years > kMostRegistrationYears)
    return QStringLiteral("Броят години трябва да е цяло число от 0 до %1, а е въведено \"%2\".")
        .arg(kMostRegistrationYears)
        .arg(values.minimumYears);
  return {};
}

OptionsValues LoadOptions(TDataModule1& data) {
  OptionsValues values;
  try {
    values.municipality = CellText(data, QStringLiteral("S_INFO"), kMunicipalityRow);
    values.minimumYears = CellText(data, QStringLiteral("COUNTER"), kYearsRow);
  } catch (const DbError&) {
    // The window opens with what could be read; saving puts the rows right.
  }
  return values;
}

bool SaveOptions(TDataModule1& data, const OptionsValues& values, QWidget* parent) {
  if (const QString problem = OptionsProblem(values); !problem.isEmpty()) {
    ShowMessage(parent, problem, QStringLiteral("Настройки"));
    return false;
  }
  try {
    StoreCell(data, QStringLiteral("S_INFO"), kMunicipalityRow,
              values.municipality.isEmpty() ? QVariant() : QVariant(values.municipality));
    StoreCell(data, QStringLiteral("COUNTER"), kYearsRow, MinimumYearsOf(values.minimumYears));
  } catch (const DbError&) {
    ShowMessage(parent, QStringLiteral("Грешно въведени данни"), QStringLiteral("Настройки"));
    return false;
  }
  // The nomenclature held in memory is read again so document titles use the new name.
  if (data.Nom().IsOpen()) data.Nom().Open();
  return true;
}
