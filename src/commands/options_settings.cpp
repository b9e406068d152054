// Loading and saving the settings of the settings window.
#include "commands/options_settings.h"

#include "core/messages.h"
#include "data/data_module.h"
#include "data/firebird/cp1251.h"
#include "data/firebird/db_error.h"
#include "data/firebird/statement.h"

namespace {
using nom_settings::kMunicipalityRow;
using nom_settings::kOfficeRow;
using nom_settings::kPaperRow;
using nom_settings::kYearsRow;
constexpr int kDefaultYears = 10;

QVariant TextOrNull(const QString& text) { return text.isEmpty() ? QVariant() : QVariant(text); }

// Why a text cannot be stored in its field of `length` characters; empty when it can.
QString TextProblem(const QString& field, const QString& text, int length) {
  if (text.size() > length)
    return QStringLiteral("Полето \"%1\" може да съдържа най-много %2 знака, а съдържа %3.")
        .arg(field)
        .arg(length)
        .arg(text.size());
  if (const QString character = FirstUnstorableCharacter(text); !character.isEmpty())
    return QStringLiteral("Полето \"%1\" съдържа знак, който не може да бъде записан: %2.").arg(field, character);
  return {};
}

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
  if (QString problem = TextProblem(QStringLiteral("Община"), values.municipality, kMunicipalityLength);
      !problem.isEmpty())
    return problem;
  if (QString problem = TextProblem(QStringLiteral("Служба"), values.office, nom_settings::kOfficeLength);
      !problem.isEmpty())
    return problem;
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
    values.office = CellText(data, QStringLiteral("S_INFO"), kOfficeRow);
    values.paper = NotePaperFromText(CellText(data, QStringLiteral("S_INFO"), kPaperRow));
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
    StoreCell(data, QStringLiteral("S_INFO"), kMunicipalityRow, TextOrNull(values.municipality));
    StoreCell(data, QStringLiteral("S_INFO"), kOfficeRow, TextOrNull(values.office));
    StoreCell(data, QStringLiteral("S_INFO"), kPaperRow, NotePaperText(values.paper));
    StoreCell(data, QStringLiteral("COUNTER"), kYearsRow, MinimumYearsOf(values.minimumYears));
  } catch (const DbError&) {
    ShowMessage(parent, QStringLiteral("Грешно въведени данни"), QStringLiteral("Настройки"));
    return false;
  }
  // The nomenclature held in memory is read again so document titles use the new name.
  if (data.Nom().IsOpen()) data.Nom().Open();
  return true;
}
