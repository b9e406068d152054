/* The C interface between Tesaro and a login library (libVlmLogin.so, VlmLogin.dll): the five
   entry points Tesaro calls and the layout of the login record the library fills. Any library
   that exports these functions and honours this layout can replace the reference one.

   Loading. Tesaro loads the library by name: first beside the program or from its installed
   private folder (lib/tesaro under the prefix), then through
   the system's standard search. The environment variable TESARO_LOGIN_LIBRARY, when set, names
   the full path of the one library to load instead (tests, replacements).

   Calling convention. The platform's default C convention (cdecl / System V on Linux). A Windows
   build would declare the entry points __stdcall (VLM_LOGIN_CALL below) and export them
   undecorated through a .def file.

   Texts. Every text argument is a zero-terminated string in code page 1251, or a null pointer.
   Texts inside the record are short strings: one length byte, then that many code page 1251
   bytes, within the space listed for the field. A library must never write past a field's space;
   Tesaro cuts a length byte that claims more.

   Order of the calls during sign-in:
     1. SetClientNames(NULL, NULL);
     2. ExternalLogin(window, "Tesaro", "ZIRE", 1, 1, record) - before it Tesaro sets both counts
        of the record to -1; the library shows its own dialogs and, on acceptance, fills the
        record and sets the counts;
     3. GetUserRights(&rights) only when the rights count is above 0;
     4. GetAppUsersList(&users) only when the users count is above 0.
   A library that lacks GetUserRights, GetAppUsersList or SetClientNames is treated as refusing
   the sign-in. Tesaro unloads the library after the sequence.

   The two lists. The record keeps a 4-byte slot for each list reference (offsets 1920 and 1928),
   too small for a pointer on a 64-bit system. Tesaro therefore keeps the two arrays itself and
   leaves both slots zero, so that every other offset stays as listed. It sizes each array to the
   count the library set during ExternalLogin and passes the address of a pointer to the array's
   first element ("the address of the array reference"). The library writes exactly that many
   elements: it must remember the counts it reported. Tesaro fills the lists' memory with zeros
   before the call and never reads the lists afterwards.

   Flags. The two flag bytes travel in 32-bit argument slots; only the low byte is meaningful.
   The reference library does not use them.

   What the reference library (plugins/login) puts into the record: the register's path and
   database credentials from its configuration file; the user's login both as the name (608,
   which Tesaro looks up in users.NAME) and as the login (659), since the register knows its
   users by login and a full name is only for display; the path of its configuration file at 251;
   the users count = the number of configured users, the rights count = 1. */
#ifndef VLM_LOGIN_ABI_H
#define VLM_LOGIN_ABI_H

#include <stdint.h>

#if defined(_WIN32)
#define VLM_LOGIN_CALL __stdcall
#define VLM_LOGIN_EXPORT __declspec(dllexport)
#else
#define VLM_LOGIN_CALL
#define VLM_LOGIN_EXPORT __attribute__((visibility("default")))
#endif

/* The login record: a zero-filled block allocated by Tesaro. Offsets and spaces in bytes; a
   short string's space includes its length byte, and a short string never holds more than 255
   characters. */
enum {
  VLM_RECORD_SIZE = 1932,

  VLM_DATABASE_PATH = 0, /* database path, server-qualified ("host:/path") or a local file */
  VLM_DATABASE_PATH_SPACE = 251,
  VLM_TEXT_251 = 251, /* the library's own text, handed back to ExternalChangePWD */
  VLM_TEXT_251_SPACE = 251,
  VLM_DATABASE_USER = 502, /* database user name */
  VLM_DATABASE_USER_SPACE = 51,
  VLM_DATABASE_PASSWORD = 553, /* database password */
  VLM_DATABASE_PASSWORD_SPACE = 55,
  VLM_USER_NAME = 608, /* the user's name, matched against users.NAME of the register */
  VLM_USER_NAME_SPACE = 51,
  VLM_USER_LOGIN = 659, /* the user's login */
  VLM_USER_LOGIN_SPACE = 101,
  VLM_RIGHTS_GROUP = 761, /* "USER1" ... "USER4", "USER6" */
  VLM_RIGHTS_GROUP_SPACE = 1155,

  VLM_USERS_COUNT = 1916,      /* int32_t, native byte order: elements of the users list */
  VLM_USERS_LIST_SLOT = 1920,  /* 4 bytes, left zero (see above) */
  VLM_RIGHTS_COUNT = 1924,     /* int32_t, native byte order: elements of the rights list */
  VLM_RIGHTS_LIST_SLOT = 1928, /* 4 bytes, left zero (see above) */

  VLM_USER_ELEMENT_SIZE = 108,
  VLM_RIGHTS_ELEMENT_SIZE = 255,

  /* The reference library's layout of a users-list element: three short strings. */
  VLM_USER_ELEMENT_LOGIN = 0, /* login, up to 50 characters */
  VLM_USER_ELEMENT_LOGIN_SPACE = 51,
  VLM_USER_ELEMENT_FULL_NAME = 51, /* full name, cut to 50 characters */
  VLM_USER_ELEMENT_FULL_NAME_SPACE = 51,
  VLM_USER_ELEMENT_RIGHTS = 102, /* rights group, up to 5 characters */
  VLM_USER_ELEMENT_RIGHTS_SPACE = 6
  /* A rights-list element of the reference library is one short string (space 255): the
     signed-in user's rights group; it reports one element. */
};

/* Truth values: a non-zero byte is true. */
typedef unsigned char VlmBool;

typedef void(VLM_LOGIN_CALL* VlmSetClientNamesFn)(const char* first, const char* second);
typedef VlmBool(VLM_LOGIN_CALL* VlmExternalLoginFn)(uintptr_t window, const char* appCode, const char* databaseId,
                                                    int32_t flag1, int32_t flag2, unsigned char* record);
typedef void(VLM_LOGIN_CALL* VlmGetUserRightsFn)(unsigned char** rightsList);
typedef void(VLM_LOGIN_CALL* VlmGetAppUsersListFn)(unsigned char** usersList);
typedef VlmBool(VLM_LOGIN_CALL* VlmExternalChangePWDFn)(uintptr_t window, const char* appCode, const char* text251,
                                                        const char* login, const char* title);

#ifdef __cplusplus
extern "C" {
#endif

/* Called first, with two null pointers. */
VLM_LOGIN_EXPORT void VLM_LOGIN_CALL SetClientNames(const char* first, const char* second);
/* Signs the user in through the library's own dialogs; `window` is the caller's window handle
   (0 at start-up). Returns non-zero when the user is accepted and the record filled. */
VLM_LOGIN_EXPORT VlmBool VLM_LOGIN_CALL ExternalLogin(uintptr_t window, const char* appCode, const char* databaseId,
                                                      int32_t flag1, int32_t flag2, unsigned char* record);
/* Fills the rights list: *rightsList points at as many 255-byte elements as the rights count. */
VLM_LOGIN_EXPORT void VLM_LOGIN_CALL GetUserRights(unsigned char** rightsList);
/* Fills the users list: *usersList points at as many 108-byte elements as the users count. */
VLM_LOGIN_EXPORT void VLM_LOGIN_CALL GetAppUsersList(unsigned char** usersList);
/* Lets the user change the password; the result is not used by Tesaro. */
VLM_LOGIN_EXPORT VlmBool VLM_LOGIN_CALL ExternalChangePWD(uintptr_t window, const char* appCode, const char* text251,
                                                          const char* login, const char* title);

#ifdef __cplusplus
}
#endif

#endif /* VLM_LOGIN_ABI_H */
