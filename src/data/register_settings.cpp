#include "data/register_settings.h"

#include "data/data_module.h"

QString MunicipalityName(TDataModule1& data) {
  data.Nom().OpenIfClosed();
  return data.Nom().Cell(QStringLiteral("S_INFO"), 0).toString();
}
