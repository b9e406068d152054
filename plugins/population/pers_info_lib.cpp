// The reference population library: the four entry points of pers_info_abi.h over the SQLite
// store named by TESARO_POPULATION_DB, opened read-only. Look-ups that follow each other share
// one read transaction for at most kReadSpan, so a walk over the register does not pay the
// store's locking for every person, while a reload of the store waits at most that long (or
// until the object is released). The found person's row stays current in the look-up
// statement, so each property is handed out without a copy.
#include <sqlite3.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

#include "pers_info_abi.h"
#include "population_store.h"

struct PersInfo {
  sqlite3* db = nullptr;
  sqlite3_stmt* lookup = nullptr;
  bool hasPerson = false;
  bool utf16Store = false;  // texts are kept as UTF-16LE: their bytes can be handed out as they lie
  int nextProperty = 0;  // properties are usually asked in order: try this one first
  bool reading = false;  // a read transaction is open
  std::chrono::steady_clock::time_point readingSince;
};

namespace {
const uint16_t kEmpty[1] = {0};
constexpr std::chrono::milliseconds kReadSpan(100);

void EndReading(PersInfo* object) {
  if (object->reading) sqlite3_exec(object->db, "commit", nullptr, nullptr, nullptr);
  object->reading = false;
}

void BeginReading(PersInfo* object) {
  const auto now = std::chrono::steady_clock::now();
  if (object->reading && now - object->readingSince > kReadSpan) EndReading(object);
  if (!object->reading && sqlite3_exec(object->db, "begin", nullptr, nullptr, nullptr) == SQLITE_OK) {
    object->reading = true;
    object->readingSince = now;
  }
}

int PropertyIndex(PersInfo* object, const uint16_t* name, int32_t length) {
  auto matches = [&](int index) {
    const std::u16string_view property = kPersInfoProperties[index];
    return static_cast<int32_t>(property.size()) == length &&
           std::memcmp(property.data(), name, static_cast<size_t>(length) * sizeof(uint16_t)) == 0;
  };
  if (object->nextProperty < kPersInfoPropertyCount && matches(object->nextProperty)) return object->nextProperty;
  for (int i = 0; i < kPersInfoPropertyCount; ++i)
    if (matches(i)) return i;
  return -1;
}
}  // namespace

extern "C" {

PERS_INFO_EXPORT PersInfo* PERS_INFO_CALL PersInfoCreate(void) {
  const char* path = std::getenv(kPopulationDbVariable);
  if (!path || !*path) return nullptr;
  auto* object = new PersInfo;
  if (sqlite3_open_v2(path, &object->db, kPopulationReadOpenFlags, nullptr) != SQLITE_OK ||
      sqlite3_exec(object->db, kPopulationReadSettingsSql, nullptr, nullptr, nullptr) != SQLITE_OK ||
      sqlite3_prepare_v2(object->db, PopulationLookupSql().c_str(), -1, &object->lookup, nullptr) != SQLITE_OK) {
    PersInfoRelease(object);
    return nullptr;
  }
  sqlite3_busy_timeout(object->db, 5000);
  sqlite3_stmt* encoding = nullptr;
  if (sqlite3_prepare_v2(object->db, "pragma encoding", -1, &encoding, nullptr) == SQLITE_OK &&
      sqlite3_step(encoding) == SQLITE_ROW)
    object->utf16Store = std::strcmp(reinterpret_cast<const char*>(sqlite3_column_text(encoding, 0)), "UTF-16le") == 0;
  sqlite3_finalize(encoding);
  return object;
}

PERS_INFO_EXPORT void PERS_INFO_CALL PersInfoRelease(PersInfo* object) {
  if (!object) return;
  sqlite3_finalize(object->lookup);  // ends the statement's read before the transaction
  EndReading(object);
  sqlite3_close(object->db);
  delete object;
}

PERS_INFO_EXPORT int32_t PERS_INFO_CALL PersInfoFindPerson(PersInfo* object, const uint16_t* egn, int32_t egnLength) {
  if (!object || egnLength < 0 || (!egn && egnLength > 0)) return PERS_INFO_FAILED;
  object->hasPerson = false;
  sqlite3_reset(object->lookup);
  BeginReading(object);
  // The text is bound, never put into SQL, so any characters are harmless.
  if (sqlite3_bind_text16(object->lookup, 1, egn ? static_cast<const void*>(egn) : kEmpty,
                          static_cast<int>(egnLength) * 2, SQLITE_TRANSIENT) != SQLITE_OK)
    return PERS_INFO_FAILED;
  switch (sqlite3_step(object->lookup)) {
    case SQLITE_ROW:
      object->hasPerson = true;
      object->nextProperty = 0;
      return PERS_INFO_FOUND;
    case SQLITE_DONE:
      sqlite3_reset(object->lookup);
      return PERS_INFO_NOT_FOUND;
    default:
      // A busy or changed store: the next look-up starts afresh.
      sqlite3_reset(object->lookup);
      EndReading(object);
      return PERS_INFO_FAILED;
  }
}

PERS_INFO_EXPORT int32_t PERS_INFO_CALL PersInfoGetValue(PersInfo* object, const uint16_t* name, int32_t nameLength,
                                                         const uint16_t** value, int32_t* valueLength) {
  if (!object || !object->hasPerson || !name || nameLength < 0 || !value || !valueLength) return PERS_INFO_NOT_FOUND;
  const int index = PropertyIndex(object, name, nameLength);
  if (index < 0) return PERS_INFO_NOT_FOUND;
  object->nextProperty = index + 1;
  // A UTF-16LE store's text read as a blob gives its bytes where they lie; asked as text it would
  // first be copied to add a terminator, which the length makes needless.
  const void* text = object->utf16Store ? sqlite3_column_blob(object->lookup, index)
                                        : sqlite3_column_text16(object->lookup, index);
  const int bytes = object->utf16Store ? sqlite3_column_bytes(object->lookup, index)
                                       : sqlite3_column_bytes16(object->lookup, index);
  *value = text ? static_cast<const uint16_t*>(text) : kEmpty;
  *valueLength = text ? bytes / 2 : 0;
  return PERS_INFO_FOUND;
}

}  // extern "C"
