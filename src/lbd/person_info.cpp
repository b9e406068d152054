#include "lbd/person_info.h"

#include <QDate>

#include "population/pers_info_properties.h"

namespace {
// Each property's field: a text, or a date read through LbdTextToDate.
struct PropertyField {
  QString TPersonInfo::*text = nullptr;
  DateTimeValue TPersonInfo::*date = nullptr;
};

// FirstName, MiddleName and LastName come first.
constexpr int kNameProperties = 3;

const PropertyField kFields[kPersInfoPropertyCount] = {
    {&TPersonInfo::FirstName},          {&TPersonInfo::MiddleName},        {&TPersonInfo::LastName},
    {&TPersonInfo::PAddrDistrict},      {&TPersonInfo::PAddrMunicipality}, {&TPersonInfo::PAddrPopulatedPlace},
    {&TPersonInfo::PAddrStreet},        {&TPersonInfo::PAddrNumber},       {&TPersonInfo::PAddrEntrance},
    {&TPersonInfo::PAddrFloor},         {&TPersonInfo::PAddrAppartment},   {nullptr, &TPersonInfo::PAddrDate},
    {&TPersonInfo::CAddrDistrict},      {&TPersonInfo::CAddrMunicipality}, {&TPersonInfo::CAddrPopulatedPlace},
    {&TPersonInfo::CAddrStreet},        {&TPersonInfo::CAddrNumber},       {&TPersonInfo::CAddrEntrance},
    {&TPersonInfo::CAddrFloor},         {&TPersonInfo::CAddrAppartment},   {nullptr, &TPersonInfo::CAddrDate},
    {&TPersonInfo::Sitizenship},        {&TPersonInfo::Sitizenship2},      {&TPersonInfo::IdDocNumber},
    {nullptr, &TPersonInfo::IdDocDate}, {&TPersonInfo::IdDocRPU},          {&TPersonInfo::IdDocRDVR},
    {&TPersonInfo::IdDocPopulatedPlace}, {&TPersonInfo::BAddrPopulatedPlace},
};
}  // namespace

DateTimeValue LbdTextToDate(const QString& text) {
  if (text.size() != 8) return 0;
  int digits[8];
  for (int i = 0; i < 8; ++i) {
    const char16_t c = text.at(i).unicode();
    if (c < u'0' || c > u'9') return 0;
    digits[i] = c - u'0';
  }
  const QDate date(digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3], digits[4] * 10 + digits[5],
                   digits[6] * 10 + digits[7]);
  return date.isValid() ? DateValue(date) : 0;
}

TPersonInfo::TPersonInfo() : object_(CreatePersonInfoObject()) {}

TPersonInfo::TPersonInfo(std::unique_ptr<IPersonInfo> object) : object_(std::move(object)) {}

bool TPersonInfo::LoadByEGN(const QString& egn) { return Load(egn, kPersInfoPropertyCount); }

bool TPersonInfo::LoadNamesByEGN(const QString& egn) { return Load(egn, kNameProperties); }

bool TPersonInfo::Load(const QString& egn, int count) {
  if (!object_) throw LbdError(QString::fromUtf8(kNoLbdConnectionMessage));
  if (object_->FindPerson(egn) != 0) return false;
  for (int i = 0; i < kPersInfoPropertyCount; ++i) {
    QString& target = kFields[i].text ? this->*kFields[i].text : dateText_;
    const std::u16string_view name = kPersInfoProperties[i];
    const QStringView property(name.data(), static_cast<qsizetype>(name.size()));
    // A property the library leaves unset, or one not asked for, reads as the empty text (the
    // buffer is kept).
    if (i >= count || !object_->GetValue(property, target)) target.resize(0);
    if (kFields[i].date) this->*kFields[i].date = LbdTextToDate(target);
  }
  return true;
}

QString TPersonInfo::FullName() const { return FirstName + u' ' + MiddleName + u' ' + LastName; }
