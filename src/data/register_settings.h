// The register's own settings kept in the code list (row 0 of NOM): the municipality.
#pragma once

#include <QString>

class TDataModule1;

// The municipality's name (S_INFO of NOM row 0), empty when none is set.
QString MunicipalityName(TDataModule1& data);
