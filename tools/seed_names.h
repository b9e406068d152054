// Bulgarian names and address parts for the synthetic register: first names, fathers'
// names in both genders and family names in their male (-ов/-ев) and female (-ова/-ева) forms.
#pragma once

#include <QString>
#include <vector>

struct MaleName {
  QString first;       // "Георги"
  QString patronymic;  // male father's-name form derived from it: "Георгиев"
};

const std::vector<MaleName>& MaleNames();
const std::vector<QString>& FemaleFirstNames();
// Male forms; the female form adds "а".
const std::vector<QString>& FamilyNames();
const std::vector<QString>& Towns();
// Street names as written after "ул." (already in Bulgarian quotes).
const std::vector<QString>& Streets();
const std::vector<QString>& HousingEstates();

// The female form of a male father's or family name ("Петров" -> "Петрова").
QString FemaleForm(const QString& maleForm);
