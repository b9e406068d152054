// The register search without its window: the twenty criteria as a plain value and the
// builder that turns the ticked ones into the list's condition line and the result tab's caption.
#pragma once

#include <QDate>
#include <QString>
#include <array>
#include <functional>

#include "core/app_error.h"

// What the search panel holds: for each criterion the tick of its box (1..20) and the
// contents of its controls. Texts are as typed; lists hold the chosen entry's name as shown
// (empty when none is chosen); dates are invalid when the field holds no date.
struct SearchCriteria {
  static constexpr int kBoxCount = 20;

  bool Ticked(int box) const { return ticks_.at(box - 1); }
  void SetTicked(int box, bool ticked) { ticks_.at(box - 1) = ticked; }

  QString sRegNum, sVhNom;        // box 1
  QString sName;                  // box 2
  QString sEGN;                   // box 3
  QString sMemFrom, sMemTo;       // box 4
  QDate sDateFrom, sDateTo;       // box 5
  QString sGroup;                 // box 6
  QString sLData;                 // box 7
  QString sStatus;                // box 8
  QDate dFrom, dTo;               // box 9
  QString sLReason;               // box 10
  QString sSocGrupa;              // box 11
  QString sNotes;                 // box 12
  QString sMemNumbFrom, sMemNumbTo;  // box 13
  QString sNastVidApart;          // box 14
  QString sNastZap;               // box 15
  QString sNastBuy;               // box 16
  QString sHasFirm;               // box 17
  QString sTelkNum;               // box 18
  QString sIncFrom, sIncTo;       // box 19
  QString sAgeOverFrom, sAgeOverTo;  // box 20

 private:
  std::array<bool, kBoxCount> ticks_{};
};

struct SearchOutcome {
  QString condition;   // line 1 of the register list
  QString tabCaption;  // "Търсене" followed by the descriptions
  bool anyFragment = false;  // whether any ticked criterion added a fragment
};

// A ticked criterion that cannot be searched (a list with no chosen entry, a field with no
// date); the general error display shows its text as it is.
class SearchCriterionError : public ValidationError {
 public:
  using ValidationError::ValidationError;
};

// Code of a name in a code list (a column of the nomenclature); the data module's NomCodeOf.
using CodeOfName = std::function<int(const QString& list, const QString& name)>;

// The condition and tab caption of the ticked criteria, in the search's fixed order. Throws
// SearchCriterionError when a ticked list has no chosen entry or a ticked date field no date;
// nothing outside changes, so the caller's list stays as it was.
SearchOutcome BuildSearch(const SearchCriteria& criteria, const CodeOfName& codeOf);
