#include "lbd/lbd_check_values.h"

#include "core/text_helpers.h"
#include "lbd/person_info.h"

QString LbdAddressLine(const QString& place, const QString& street, const QString& number, const QString& entrance,
                       const QString& floor, const QString& apartment) {
  QString line = place + u' ' + street + u' ' + number;
  if (!entrance.isEmpty()) line += QStringLiteral(" вх.") + entrance;
  if (!floor.isEmpty()) line += QStringLiteral(" ет.") + floor;
  if (!apartment.isEmpty()) line += QStringLiteral(" ап.") + apartment;
  return line;
}

QString LbdDateText(DateTimeValue value) { return value == 0 ? QString() : FormatShortDate(ToQDate(value)); }

QString LbdIdCardLine(const TPersonInfo& p) {
  if (p.IdDocNumber.isEmpty() || p.IdDocDate == 0) return QString();
  QString line = QStringLiteral("№") + p.IdDocNumber + QStringLiteral(" от ") + LbdDateText(p.IdDocDate);
  if (!p.IdDocRPU.isEmpty() || !p.IdDocRDVR.isEmpty()) line += QStringLiteral(",издаден от ") + p.IdDocRPU;
  if (!p.IdDocRDVR.isEmpty()) line += QStringLiteral(" РДВР-") + p.IdDocRDVR;
  return line + u' ' + p.IdDocPopulatedPlace;
}

LbdCheckValues LbdCheckValuesOf(const TPersonInfo& p, const QString& egn) {
  LbdCheckValues values;
  values.name = p.FullName();
  values.egn = egn;
  values.address1 = LbdAddressLine(p.PAddrPopulatedPlace, p.PAddrStreet, p.PAddrNumber, p.PAddrEntrance, p.PAddrFloor,
                                   p.PAddrAppartment);
  values.address2 = LbdAddressLine(p.CAddrPopulatedPlace, p.CAddrStreet, p.CAddrNumber, p.CAddrEntrance, p.CAddrFloor,
                                   p.CAddrAppartment);
  values.idInfo = LbdIdCardLine(p);
  values.addrReg1 = LbdDateText(p.PAddrDate);
  values.addrReg2 = LbdDateText(p.CAddrDate);
  return values;
}

void ApplyLbdCopy(const LbdCheckValues& values, const LbdCopyTicks& ticks, LbdCardFields& fields) {
  if (ticks.name) fields.memberName = values.name;
  if (ticks.address2) fields.currentAddress = values.address2;
  if (ticks.addrReg2 && !values.addrReg2.isEmpty()) fields.currentAddressDate = ParseDateText(values.addrReg2);
  if (ticks.address1) {
    if (!fields.notes.isEmpty()) fields.notes += QStringLiteral("; ");
    fields.notes += QStringLiteral("Постоянен адрес: ") + values.address1;
  }
  if (ticks.addrReg1 && ticks.address1 && !values.addrReg1.isEmpty())
    fields.notes += QStringLiteral(", адр.рег от дата ") + values.addrReg1;
  if (ticks.idInfo) {
    if (!fields.memberNotes.isEmpty()) fields.memberNotes += QStringLiteral("; ");
    if (!values.idInfo.isEmpty()) fields.memberNotes += QStringLiteral("Лична карта ") + values.idInfo;
  }
}
