// A stand-in login library for the tests of the login binding. Its behaviour comes from the
// environment and it writes every call it receives, with its arguments, into a trace file:
//   LOGIN_PROBE_TRACE   the trace file (lines of tab-separated fields, texts as received)
//   LOGIN_PROBE_RESULT  ExternalLogin's answer (default 1)
//   LOGIN_PROBE_USERS / LOGIN_PROBE_RIGHTS  counts written into the record (unset: untouched)
//   LOGIN_PROBE_THROW   "1": ExternalLogin throws
// Built several times, each build leaving out one entry point (PROBE_WITHOUT_...).
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "login/vlm_login_abi.h"

namespace {
void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

void Trace(const char* format, ...) {
  const char* path = std::getenv("LOGIN_PROBE_TRACE");
  if (!path) return;
  FILE* file = std::fopen(path, "ab");
  if (!file) return;
  va_list args;
  va_start(args, format);
  std::vfprintf(file, format, args);
  va_end(args);
  std::fputc('\n', file);
  std::fclose(file);
}

const char* Shown(const char* text) { return text ? text : "(null)"; }

[[maybe_unused]] std::int32_t CountAt(const unsigned char* record, int offset) {
  std::int32_t value;
  std::memcpy(&value, record + offset, sizeof value);
  return value;
}

[[maybe_unused]] void SetCountFromEnv(unsigned char* record, int offset, const char* name) {
  const char* value = std::getenv(name);
  if (!value) return;
  const std::int32_t count = std::int32_t(std::atol(value));
  std::memcpy(record + offset, &count, sizeof count);
}

// Element i gets a short string "<tag><i>" and a marker in its last byte, so a test sees that
// every element it sized was written and where each one starts.
[[maybe_unused]] void FillElements(unsigned char* elements, const char* countName, int size, char tag,
                                   unsigned char marker) {
  const char* value = std::getenv(countName);
  const int count = value ? std::atoi(value) : 0;
  for (int i = 0; i < count; ++i) {
    unsigned char* element = elements + std::size_t(i) * std::size_t(size);
    const int length = std::snprintf(reinterpret_cast<char*>(element + 1), std::size_t(size - 1), "%c%d", tag, i);
    element[0] = static_cast<unsigned char>(length);
    element[size - 1] = marker;
  }
}
}  // namespace

extern "C" {

#ifndef PROBE_WITHOUT_CLIENT_NAMES
VLM_LOGIN_EXPORT void VLM_LOGIN_CALL SetClientNames(const char* first, const char* second) {
  Trace("SetClientNames\t%s\t%s", Shown(first), Shown(second));
}
#endif

#ifndef PROBE_WITHOUT_LOGIN
VLM_LOGIN_EXPORT VlmBool VLM_LOGIN_CALL ExternalLogin(uintptr_t window, const char* appCode, const char* databaseId,
                                                      int32_t flag1, int32_t flag2, unsigned char* record) {
  Trace("ExternalLogin\t%lu\t%s\t%s\t%d\t%d\t%d\t%d", static_cast<unsigned long>(window), Shown(appCode),
        Shown(databaseId), int(flag1), int(flag2), int(CountAt(record, VLM_USERS_COUNT)),
        int(CountAt(record, VLM_RIGHTS_COUNT)));
  const char* fail = std::getenv("LOGIN_PROBE_THROW");
  if (fail && std::strcmp(fail, "1") == 0) throw std::runtime_error("probe failure");
  SetCountFromEnv(record, VLM_USERS_COUNT, "LOGIN_PROBE_USERS");
  SetCountFromEnv(record, VLM_RIGHTS_COUNT, "LOGIN_PROBE_RIGHTS");
  const char* result = std::getenv("LOGIN_PROBE_RESULT");
  return result ? VlmBool(std::atoi(result) != 0) : 1;
}
#endif

#ifndef PROBE_WITHOUT_RIGHTS
VLM_LOGIN_EXPORT void VLM_LOGIN_CALL GetUserRights(unsigned char** rightsList) {
  Trace("GetUserRights");
  FillElements(*rightsList, "LOGIN_PROBE_RIGHTS", VLM_RIGHTS_ELEMENT_SIZE, 'R', 0xA5);
}
#endif

#ifndef PROBE_WITHOUT_USERS
VLM_LOGIN_EXPORT void VLM_LOGIN_CALL GetAppUsersList(unsigned char** usersList) {
  Trace("GetAppUsersList");
  FillElements(*usersList, "LOGIN_PROBE_USERS", VLM_USER_ELEMENT_SIZE, 'U', 0x5A);
}
#endif

#ifndef PROBE_WITHOUT_CHANGE
VLM_LOGIN_EXPORT VlmBool VLM_LOGIN_CALL ExternalChangePWD(uintptr_t window, const char* appCode, const char* text251,
                                                          const char* login, const char* title) {
  Trace("ExternalChangePWD\t%lu\t%s\t%s\t%s\t%s", static_cast<unsigned long>(window), Shown(appCode), Shown(text251),
        Shown(login), Shown(title));
  return 1;
}
#endif

}  // extern "C"
