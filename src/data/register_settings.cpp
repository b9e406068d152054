#include "data/register_settings.h"

#include "data/data_module.h"
#include "data/nom_table.h"

namespace {
QString SettingText(TDataModule1& data, int row) {
  data.Nom().OpenIfClosed();
  return data.Nom().Cell(QStringLiteral("S_INFO"), row).toString().trimmed();
}
}  // namespace

QString MunicipalityName(TDataModule1& data) {
  data.Nom().OpenIfClosed();
  return data.Nom().Cell(QStringLiteral("S_INFO"), nom_settings::kMunicipalityRow).toString();
}

QString StoredIssuingOffice(TDataModule1& data) { return SettingText(data, nom_settings::kOfficeRow); }

QString IssuingOffice(TDataModule1& data) {
  const QString stored = StoredIssuingOffice(data);
  return stored.isEmpty() ? DefaultIssuingOffice(MunicipalityName(data)) : stored;
}

QString DefaultIssuingOffice(const QString& municipality) {
  const QString service = QStringLiteral("Служба \"Жилищно настаняване\"");
  const QString name = municipality.simplified();
  if (name.isEmpty()) return service;
  // "Община Примерна" and "Столична община" already say what they are; a bare place name does not.
  const bool saysMunicipality = name.contains(QStringLiteral("общин"), Qt::CaseInsensitive);
  return service + QStringLiteral(" при ") + (saysMunicipality ? name : QStringLiteral("Община ") + name);
}

NotePaper StoredNotePaper(TDataModule1& data) { return NotePaperFromText(SettingText(data, nom_settings::kPaperRow)); }

QString NotePaperText(NotePaper paper) {
  return paper == NotePaper::Letter ? QStringLiteral("Letter") : QStringLiteral("A4");
}

NotePaper NotePaperFromText(const QString& text) {
  return text.trimmed().compare(QStringLiteral("Letter"), Qt::CaseInsensitive) == 0 ? NotePaper::Letter
                                                                                    : NotePaper::A4;
}

bool AmountsConvertedToEuro(TDataModule1& data) {
  return SettingText(data, nom_settings::kCurrencyRow) == QLatin1String(kEuroCurrencyMark);
}

QString AmountsInLevaNotice() {
  return QStringLiteral(
      "Сумите в регистъра още са в лева; администраторът ги превръща в евро с „tesaro-admin euro РЕГИСТЪР“.");
}
