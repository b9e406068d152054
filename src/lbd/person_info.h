// A person of the local population database ("ЛБД"): the 29 properties the library gives for
// a personal number, read through the library's person object.
#pragma once

#include <QString>
#include <memory>
#include <stdexcept>

#include "core/app_error.h"
#include "core/date_time.h"
#include "lbd/pers_info_library.h"

// The population database cannot be reached; the message is for the user.
class LbdError : public AppError {
 public:
  using AppError::AppError;
};

inline constexpr const char* kNoLbdConnectionMessage = "НЯМА ВРЪЗКА С ЛБД!";

// "yyyymmdd" as a date; zero for any other length, a non-digit or a date that does not exist.
DateTimeValue LbdTextToDate(const QString& text);

class TPersonInfo {
 public:
  // Makes the library's person object; a failure leaves the reference empty and shows only
  // when LoadByEGN is called.
  TPersonInfo();
  explicit TPersonInfo(std::unique_ptr<IPersonInfo> object);
  TPersonInfo(const TPersonInfo&) = delete;
  TPersonInfo& operator=(const TPersonInfo&) = delete;

  bool IsConnected() const { return static_cast<bool>(object_); }
  // Looks the personal number up exactly as given. True: the fields describe that person;
  // false: no such person (the fields keep what they held); LbdError: no library.
  bool LoadByEGN(const QString& egn);
  // The same for the three names only (the names comparison needs no more); the other fields
  // are emptied, so nothing of an earlier person stays.
  bool LoadNamesByEGN(const QString& egn);

  // FirstName + " " + MiddleName + " " + LastName.
  QString FullName() const;

  QString FirstName;
  QString MiddleName;
  QString LastName;
  QString PAddrDistrict;
  QString PAddrMunicipality;
  QString PAddrPopulatedPlace;
  QString PAddrStreet;
  QString PAddrNumber;
  QString PAddrEntrance;
  QString PAddrFloor;
  QString PAddrAppartment;
  DateTimeValue PAddrDate = 0;
  QString CAddrDistrict;
  QString CAddrMunicipality;
  QString CAddrPopulatedPlace;
  QString CAddrStreet;
  QString CAddrNumber;
  QString CAddrEntrance;
  QString CAddrFloor;
  QString CAddrAppartment;
  DateTimeValue CAddrDate = 0;
  QString Sitizenship;
  QString Sitizenship2;
  QString IdDocNumber;
  DateTimeValue IdDocDate = 0;
  QString IdDocRPU;
  QString IdDocRDVR;
  QString IdDocPopulatedPlace;
  QString BAddrPopulatedPlace;

 private:
  // Fills the first `count` properties in order and empties the rest.
  bool Load(const QString& egn, int count);

  std::unique_ptr<IPersonInfo> object_;
  QString dateText_;  // reused for the three date properties
};
