// Reading and writing the login record's short strings and counts.
#include "session/login_record.h"

#include <algorithm>
#include <cstring>

#include "data/firebird/cp1251.h"

static_assert(VLM_RIGHTS_LIST_SLOT + 4 == VLM_RECORD_SIZE, "the record ends with the rights list slot");

TLogInfoRec::TLogInfoRec() = default;

int TLogInfoRec::ShortStringCapacity(int space) { return std::clamp(space - 1, 0, 255); }

QString ReadShortString(const unsigned char* at, int space) {
  const int length = std::min<int>(at[0], TLogInfoRec::ShortStringCapacity(space));
  return DecodeCp1251(reinterpret_cast<const char*>(at + 1), length);
}

QString TLogInfoRec::ShortString(int offset, int space) const { return ReadShortString(bytes_.data() + offset, space); }

void TLogInfoRec::SetShortString(int offset, int space, const QString& text) {
  const QByteArray encoded = EncodeCp1251(text);
  const int length = std::min<int>(encoded.size(), ShortStringCapacity(space));
  unsigned char* at = bytes_.data() + offset;
  // The whole space is cleared so a shorter text leaves none of a longer one behind.
  std::memset(at, 0, std::size_t(space));
  at[0] = static_cast<unsigned char>(length);
  std::memcpy(at + 1, encoded.constData(), std::size_t(length));
}

std::int32_t TLogInfoRec::Int32At(int offset) const {
  std::int32_t value;
  std::memcpy(&value, bytes_.data() + offset, sizeof value);
  return value;
}

void TLogInfoRec::SetInt32At(int offset, std::int32_t value) {
  std::memcpy(bytes_.data() + offset, &value, sizeof value);
}

QByteArray TLogInfoRec::UsersElement(int index) const {
  if (index < 0 || index >= UsersListLength()) return {};
  return QByteArray(reinterpret_cast<const char*>(usersList_.data()) + qsizetype(index) * VLM_USER_ELEMENT_SIZE,
                    VLM_USER_ELEMENT_SIZE);
}

QByteArray TLogInfoRec::RightsElement(int index) const {
  if (index < 0 || index >= RightsListLength()) return {};
  return QByteArray(reinterpret_cast<const char*>(rightsList_.data()) + qsizetype(index) * VLM_RIGHTS_ELEMENT_SIZE,
                    VLM_RIGHTS_ELEMENT_SIZE);
}

void TLogInfoRec::Clear() {
  bytes_.fill(0);
  usersList_.clear();
  rightsList_.clear();
}
