// What the population-database check shows for a person (the rows of the check window) and
// which of it goes into the card editor, by the window's tick boxes. Plain values, no window.
#pragma once

#include <QString>

#include "card/view_kart_member_check.h"
#include "core/date_time.h"

class TPersonInfo;

// The check window's rows, top to bottom.
struct LbdCheckValues {
  QString name;      // Name
  QString egn;       // EGN: the number as it was looked up
  QString address1;  // Address1: permanent address
  QString addrReg1;  // AddrReg1: its registration date, "dd.mm.yyyy" or empty
  QString address2;  // Address2: current address
  QString addrReg2;  // AddrReg2
  QString idInfo;    // IDInfo: identity card line
};

// Place + " " + street + " " + number, then " вх."/" ет."/" ап." with each part that is not empty.
QString LbdAddressLine(const QString& place, const QString& street, const QString& number, const QString& entrance,
                       const QString& floor, const QString& apartment);
// "№<number> от <date>[,издаден от <RPU>[ РДВР-<RDVR>]] <place>", or empty without a number
// or an issue date.
QString LbdIdCardLine(const TPersonInfo& person);
// "dd.mm.yyyy", empty for zero.
QString LbdDateText(DateTimeValue value);

LbdCheckValues LbdCheckValuesOf(const TPersonInfo& person, const QString& egn);

// The tick boxes that choose what is copied (CB2, the EGN, has no effect).
struct LbdCopyTicks {
  bool name = true;       // CB1
  bool address1 = false;  // CB3
  bool addrReg1 = false;  // CB4 (only together with CB3)
  bool address2 = false;  // CB5
  bool addrReg2 = false;  // CB6
  bool idInfo = false;    // CB7
};

// Copies the ticked rows into the card editor's fields (LbdCardFields, handed out by the card
// window), in the order the check window's OK applies them.
void ApplyLbdCopy(const LbdCheckValues& values, const LbdCopyTicks& ticks, LbdCardFields& fields);
