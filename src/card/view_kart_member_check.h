// What the card window hands the population-database check ("ЛБД" in the member panel) and
// takes back from it, as a plain value: the texts of the member row being checked and the
// card's address and notes the check may change.
#pragma once

#include <QString>

#include "core/date_time.h"

struct LbdCardFields {
  QString memberName;                    // the member panel's FirstName
  QString currentAddress;                // ebAdress
  DateTimeValue currentAddressDate = 0;  // dtAdress
  QString notes;                         // mNotes
  QString memberNotes;                   // the member panel's PersonNotes
  QString memberEgn{};                   // the member panel's PersonEGN: the number looked up, never changed
};
