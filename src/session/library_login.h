// Signing in and changing the password through the outside login library, loaded by name:
// the program's own copy first (core/program_files.h), then the system's standard search;
// TESARO_LOGIN_LIBRARY may name the full path of the library to load instead (tests,
// replacements).
#pragma once

#include <QString>
#include <QtGlobal>
#include <stdexcept>

#include "core/app_error.h"

class TLogInfoRec;

// An error of the login binding whose text is meant for the user ("Missing libVlmLogin.so.").
class LoginLibraryError : public AppError {
 public:
  explicit LoginLibraryError(const QString& message);
};

// The library's file name on this platform: "libVlmLogin.so" here, "VlmLogin.dll" on Windows.
QString LoginLibraryFileName();

// Most elements the program sizes a list to; a library reporting more is refused, since its
// count cannot be real and would exhaust the memory.
inline constexpr int kMaxLoginListElements = 65536;

// Asks the library to sign the user in. Sets both counts of the record to -1, calls
// SetClientNames and ExternalLogin, then fetches the rights and users lists when their counts
// are above 0. True when the user was accepted. Throws LoginLibraryError "Missing %s." when the
// library cannot be loaded, or when it reports an impossible list size; a library without one
// of the four sign-in entry points refuses the sign-in. The library is unloaded in every case.
bool LibraryLogin(const QString& appCode, const QString& databaseId, int flag1, int flag2, TLogInfoRec& record,
                  quintptr windowHandle);

// Whether the sign-in runs from a script: the login library then takes the name and password
// from TESARO_LOGIN_USER and TESARO_LOGIN_PASSWORD instead of asking, and says on stderr why
// it refuses them. A refused scripted sign-in is a failure; a clerk closing the dialog is not.
bool ScriptedSignIn();

// Lets the user change the password through the library's own dialog. A missing library or
// entry point is ignored, and so is the library's answer.
void LibraryChangePassword(const QString& appCode, const QString& text, const QString& login, const QString& title,
                           quintptr windowHandle);
