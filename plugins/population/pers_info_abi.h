/* The C interface between Tesaro and a population-database library (libPersInfoLib.so,
   PersInfoLib.dll): an object that finds a person by personal number and then answers one
   property of that person at a time, by the property's name. Any library that exports these
   four functions can replace the reference one (plugins/population).

   Loading. Tesaro loads the library by name: the full path in the environment variable
   TESARO_POPULATION_LIBRARY when it is set, else libPersInfoLib.so beside the program or in
   its installed private folder (lib/tesaro under the prefix), else the system's standard search for "PersInfoLib".

   Texts are UTF-16 code units with an explicit length (no terminator needed), so every text,
   blanks, zeros and unpaired surrogates included, can be passed without harm.

   PersInfoCreate     makes an object; a null pointer when the library cannot reach its data.
   PersInfoRelease    destroys it (a null pointer is ignored).
   PersInfoFindPerson looks the personal number up exactly as given (no trimming); 0 when a
                      person was found and is now the object's current person, 1 when none was,
                      2 on a bad argument or a failure of the library's store.
   PersInfoGetValue   gives one property of the current person: *value points to the text
                      (owned by the object, valid until the next PersInfoFindPerson or
                      PersInfoRelease on it; not necessarily 2-byte aligned, so copy it bytewise)
                      and *valueLength holds its length. An unknown name or no current person leaves both
                      untouched and returns 1, so a caller that emptied them reads the empty text.

   The property names are those of pers_info_properties.h. Dates come as 8 digits, yyyymmdd.

   An object may keep its store open for reading between look-ups (the reference library does
   for up to 100 ms of look-ups at a time), so callers release an object once its look-ups are
   done rather than keeping it while a window waits for the user. */
#ifndef PERS_INFO_ABI_H
#define PERS_INFO_ABI_H

#include <stdint.h>

#if defined(_WIN32)
#define PERS_INFO_CALL __stdcall
#define PERS_INFO_EXPORT __declspec(dllexport)
#else
#define PERS_INFO_CALL
#define PERS_INFO_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef struct PersInfo PersInfo;

enum { PERS_INFO_FOUND = 0, PERS_INFO_NOT_FOUND = 1, PERS_INFO_FAILED = 2 };

typedef PersInfo*(PERS_INFO_CALL* PersInfoCreateFn)(void);
typedef void(PERS_INFO_CALL* PersInfoReleaseFn)(PersInfo* object);
typedef int32_t(PERS_INFO_CALL* PersInfoFindPersonFn)(PersInfo* object, const uint16_t* egn, int32_t egnLength);
typedef int32_t(PERS_INFO_CALL* PersInfoGetValueFn)(PersInfo* object, const uint16_t* name, int32_t nameLength,
                                                    const uint16_t** value, int32_t* valueLength);

PERS_INFO_EXPORT PersInfo* PERS_INFO_CALL PersInfoCreate(void);
PERS_INFO_EXPORT void PERS_INFO_CALL PersInfoRelease(PersInfo* object);
PERS_INFO_EXPORT int32_t PERS_INFO_CALL PersInfoFindPerson(PersInfo* object, const uint16_t* egn, int32_t egnLength);
PERS_INFO_EXPORT int32_t PERS_INFO_CALL PersInfoGetValue(PersInfo* object, const uint16_t* name, int32_t nameLength,
                                                         const uint16_t** value, int32_t* valueLength);

#ifdef __cplusplus
}
#endif

#endif
