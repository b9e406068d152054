// The login record the login library fills at sign-in: a zero-filled block of fixed layout
// (see plugins/login/vlm_login_abi.h) with short texts in code page 1251, two counts, and the
// two lists the program keeps beside it because a pointer does not fit the record's slots.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "login/vlm_login_abi.h"

class TLogInfoRec {
 public:
  static constexpr int kSize = VLM_RECORD_SIZE;

  TLogInfoRec();

  // The raw block handed to the library.
  unsigned char* Data() { return bytes_.data(); }
  const unsigned char* Data() const { return bytes_.data(); }

  // A short string at `offset` within `space` bytes (length byte included). Reading never goes
  // past the space whatever the length byte claims; writing cuts a text that does not fit.
  // Text outside code page 1251 is refused with a DbError.
  QString ShortString(int offset, int space) const;
  void SetShortString(int offset, int space, const QString& text);
  // Characters a short string can hold within `space` bytes.
  static int ShortStringCapacity(int space);

  QString DatabasePath() const { return ShortString(VLM_DATABASE_PATH, VLM_DATABASE_PATH_SPACE); }
  void SetDatabasePath(const QString& text) { SetShortString(VLM_DATABASE_PATH, VLM_DATABASE_PATH_SPACE, text); }
  QString Text251() const { return ShortString(VLM_TEXT_251, VLM_TEXT_251_SPACE); }
  void SetText251(const QString& text) { SetShortString(VLM_TEXT_251, VLM_TEXT_251_SPACE, text); }
  QString DatabaseUser() const { return ShortString(VLM_DATABASE_USER, VLM_DATABASE_USER_SPACE); }
  void SetDatabaseUser(const QString& text) { SetShortString(VLM_DATABASE_USER, VLM_DATABASE_USER_SPACE, text); }
  QString DatabasePassword() const { return ShortString(VLM_DATABASE_PASSWORD, VLM_DATABASE_PASSWORD_SPACE); }
  void SetDatabasePassword(const QString& text) {
    SetShortString(VLM_DATABASE_PASSWORD, VLM_DATABASE_PASSWORD_SPACE, text);
  }
  QString UserName() const { return ShortString(VLM_USER_NAME, VLM_USER_NAME_SPACE); }
  void SetUserName(const QString& text) { SetShortString(VLM_USER_NAME, VLM_USER_NAME_SPACE, text); }
  QString UserLogin() const { return ShortString(VLM_USER_LOGIN, VLM_USER_LOGIN_SPACE); }
  void SetUserLogin(const QString& text) { SetShortString(VLM_USER_LOGIN, VLM_USER_LOGIN_SPACE, text); }
  QString RightsGroup() const { return ShortString(VLM_RIGHTS_GROUP, VLM_RIGHTS_GROUP_SPACE); }
  void SetRightsGroup(const QString& text) { SetShortString(VLM_RIGHTS_GROUP, VLM_RIGHTS_GROUP_SPACE, text); }

  std::int32_t UsersCount() const { return Int32At(VLM_USERS_COUNT); }
  void SetUsersCount(std::int32_t count) { SetInt32At(VLM_USERS_COUNT, count); }
  std::int32_t RightsCount() const { return Int32At(VLM_RIGHTS_COUNT); }
  void SetRightsCount(std::int32_t count) { SetInt32At(VLM_RIGHTS_COUNT, count); }

  // The two lists, sized by the program (zero-filled) and filled by the library.
  void ResizeUsersList(int elements) { usersList_.assign(std::size_t(elements) * VLM_USER_ELEMENT_SIZE, 0); }
  void ResizeRightsList(int elements) { rightsList_.assign(std::size_t(elements) * VLM_RIGHTS_ELEMENT_SIZE, 0); }
  unsigned char* UsersListData() { return usersList_.empty() ? nullptr : usersList_.data(); }
  unsigned char* RightsListData() { return rightsList_.empty() ? nullptr : rightsList_.data(); }
  int UsersListLength() const { return int(usersList_.size() / VLM_USER_ELEMENT_SIZE); }
  int RightsListLength() const { return int(rightsList_.size() / VLM_RIGHTS_ELEMENT_SIZE); }
  QByteArray UsersElement(int index) const;
  QByteArray RightsElement(int index) const;

  // Zero-fills the record and drops both lists (the record's release at exit).
  void Clear();

 private:
  std::int32_t Int32At(int offset) const;
  void SetInt32At(int offset, std::int32_t value);

  std::array<unsigned char, kSize> bytes_{};
  std::vector<unsigned char> usersList_;
  std::vector<unsigned char> rightsList_;
};

// A short string read out of any block (an element of a list) within `space` bytes.
QString ReadShortString(const unsigned char* at, int space);
