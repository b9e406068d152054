// The cards the export tests write out: a holder on a plain card of group 1, state 1.
#pragma once

#include <QString>

class TDataModule1;

// Writes the card (not committed): registered 15.03.2021 at "ул. Липа 1", its holder `name`.
void InsertExportCard(TDataModule1& data, int regNum, const QString& name, const QString& egn);
