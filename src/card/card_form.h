// What the card editor shows, as a plain value: every control of the registration card and
// the members grid as texts, positions, dates and ticks. The window copies itself into it and
// back; loading a card from the database and saving it work on this value alone.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <vector>

#include "core/date_time.h"

// One row of the members grid, the eight columns as shown.
struct MemberRow {
  QString type;        // 0 "Тип": role name
  QString name;        // 1 "Име"
  QString egn;         // 2 "ЕГН"
  QString socGroup;    // 3 "Соц.група": the name as shown in the social-group list, or empty
  QString notes;       // 4 "Допълнителни бележки"
  QString percent;     // 5 "Процент на инвалидност": digits only, or empty
  QString validUntil;  // 6 "Валидно до (дата)": dd.mm.yyyy, or empty
  QString telk;        // 7 "Експертно решение на ТЕЛК"

  bool operator==(const MemberRow&) const = default;
};

// A drop-down list as the save reads it: the chosen position (-1 for none) and its text.
struct ListChoice {
  int position = -1;
  QString text;
  bool operator==(const ListChoice&) const = default;
};

struct CardForm {
  // The header.
  QString ebRegNum;
  QString doctxt;
  DateTimeValue AddDate = 0;

  // "Особености при класиране".
  ListChoice cbGroup, cbsubGroup, cbStatus, cbKart;
  DateTimeValue dtGrupaDate = 0;
  QString ebGot, pr, dek_id, edYearsNoDeclr;
  DateTimeValue protDate = 0, dek_dat = 0;
  bool HardLife = false;
  bool CheckBoxAloneParent = false;

  // "Информация за класиране".
  QString edYear, edPoints, edPointsDescr;

  // Address, dwelling, check.
  DateTimeValue dtAdress = 0, dtCheck = 0;
  QString ebAdress, ebLCond, edReasonComment, ebCheck;
  ListChoice cbLData, cbLReason;

  // "Материално състояние".
  QString ebIncome, ebIncomeHalfYear, ebIncPerPerson, ebAssets, ebDeals, edHasFirm;

  // "Бележки": the memos as lines.
  QStringList mNotes, mSYSNotes;

  // "Данни за настаняване".
  QString edNastZap, edNasAdrApart, edIskaKupi, edZapOut;
  DateTimeValue dtNastZap = 0;
  ListChoice cbNastVidApart, cbTerm;
  QStringList mZapHistory;

  // Members: the grid's member rows (none while the grid holds only its placeholder row).
  std::vector<MemberRow> members;
  bool MembersEmpty = true;

  bool operator==(const CardForm&) const = default;
};

// Card values as last loaded or saved, compared by the change history of a save.
struct RememberedCardState {
  QString dek_id;
  DateTimeValue dek_dat = 0;
  int groupPosition = -1;
  DateTimeValue grupaDate = 0;
  int statusPosition = -1;
  // The card as stored when it was loaded or last saved (see card_stamp.h); empty for a new card.
  QVariantList storedStamp;
  // The window's values as loaded or last saved: a field the clerk has emptied since is
  // saved emptied, where an empty field that never held a text keeps the stored value.
  CardForm loaded;
};
