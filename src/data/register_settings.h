// The register's own settings kept in the code list (NOM, see nom_settings in nom_table.h):
// the municipality, the office that issues the service note and the note's paper.
#pragma once

#include <QString>

class TDataModule1;

enum class NotePaper { A4, Letter };

// The municipality's name (S_INFO of NOM row 0), empty when none is set.
QString MunicipalityName(TDataModule1& data);

// The issuing office as stored (S_INFO of NOM row 1), empty when none is set.
QString StoredIssuingOffice(TDataModule1& data);
// The office the service note names: the stored one, else DefaultIssuingOffice of the
// municipality.
QString IssuingOffice(TDataModule1& data);
// `Служба "Жилищно настаняване" при <municipality>`; a municipality given only by its place's
// name ("Примерна") is written "Община Примерна". Without a municipality, the service alone.
QString DefaultIssuingOffice(const QString& municipality);

// The note's paper (S_INFO of NOM row 2): A4 unless "Letter" is stored.
NotePaper StoredNotePaper(TDataModule1& data);
// "A4" / "Letter", as stored; and back, letter case and blanks ignored, anything else A4.
QString NotePaperText(NotePaper paper);
NotePaper NotePaperFromText(const QString& text);

// The text of the currency cell once a register's amounts were converted to euro.
inline constexpr const char* kEuroCurrencyMark = "EUR";
// True once the register's amounts in leva were converted to euro (S_INFO of NOM row 4).
bool AmountsConvertedToEuro(TDataModule1& data);
// The one-line notice that a register's amounts are still in leva, with the command that
// converts them.
QString AmountsInLevaNotice();
