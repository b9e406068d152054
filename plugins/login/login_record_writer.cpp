// Writing the login record's fields and list elements in code page 1251.
#include "login_record_writer.h"

#include <algorithm>
#include <cstring>

#include "data/firebird/cp1251.h"
#include "data/firebird/db_error.h"
#include "login/vlm_login_abi.h"

namespace {
int Capacity(int space) { return std::clamp(space - 1, 0, 255); }

QByteArray Encoded(const QString& text) {
  try {
    return EncodeCp1251(text);
  } catch (const DbError& error) {
    throw LoginError(error.Message());
  }
}

// The text encoded, refused when it would have to be cut.
QByteArray Whole(const QString& text, int space, const QString& what) {
  QByteArray encoded = Encoded(text);
  if (encoded.size() > Capacity(space))
    throw LoginError(QStringLiteral("%1 е по-дълъг от %2 знака.").arg(what).arg(Capacity(space)));
  return encoded;
}
}  // namespace

void WriteShortString(unsigned char* at, int space, const QByteArray& cp1251) {
  const int length = std::min<int>(int(cp1251.size()), Capacity(space));
  std::memset(at, 0, size_t(space));
  at[0] = static_cast<unsigned char>(length);
  std::memcpy(at + 1, cp1251.constData(), size_t(length));
}

void FillLoginRecord(unsigned char* record, const LoginDatabase& database, const LoginUser& user, int usersCount,
                     const QString& text251) {
  // Everything is encoded and checked before the first byte is written.
  const QByteArray path = Whole(database.path, VLM_DATABASE_PATH_SPACE, QStringLiteral("Пътят до регистъра"));
  const QByteArray dbUser = Whole(database.user, VLM_DATABASE_USER_SPACE, QStringLiteral("Потребителят на базата"));
  const QByteArray dbPassword =
      Whole(database.password, VLM_DATABASE_PASSWORD_SPACE, QStringLiteral("Паролата на базата"));
  const QByteArray name = Whole(user.login, VLM_USER_NAME_SPACE, QStringLiteral("Потребителското име"));
  const QByteArray rights = Whole(user.rights, VLM_RIGHTS_GROUP_SPACE, QStringLiteral("Групата права"));
  QByteArray text = FitsCp1251(text251) ? EncodeCp1251(text251) : QByteArray();
  if (text.size() > Capacity(VLM_TEXT_251_SPACE)) text.clear();

  WriteShortString(record + VLM_DATABASE_PATH, VLM_DATABASE_PATH_SPACE, path);
  WriteShortString(record + VLM_TEXT_251, VLM_TEXT_251_SPACE, text);
  WriteShortString(record + VLM_DATABASE_USER, VLM_DATABASE_USER_SPACE, dbUser);
  WriteShortString(record + VLM_DATABASE_PASSWORD, VLM_DATABASE_PASSWORD_SPACE, dbPassword);
  // The register knows its users by login (users.NAME), so the login is the user's name too.
  WriteShortString(record + VLM_USER_NAME, VLM_USER_NAME_SPACE, name);
  WriteShortString(record + VLM_USER_LOGIN, VLM_USER_LOGIN_SPACE, name);
  WriteShortString(record + VLM_RIGHTS_GROUP, VLM_RIGHTS_GROUP_SPACE, rights);
  const std::int32_t users = usersCount;
  const std::int32_t rightsCount = kRightsListLength;
  std::memcpy(record + VLM_USERS_COUNT, &users, sizeof users);
  std::memcpy(record + VLM_RIGHTS_COUNT, &rightsCount, sizeof rightsCount);
}

void FillUsersList(unsigned char* elements, const QList<LoginUser>& users) {
  for (qsizetype i = 0; i < users.size(); ++i) {
    unsigned char* element = elements + i * VLM_USER_ELEMENT_SIZE;
    auto encodedOrEmpty = [](const QString& text) { return FitsCp1251(text) ? EncodeCp1251(text) : QByteArray(); };
    WriteShortString(element + VLM_USER_ELEMENT_LOGIN, VLM_USER_ELEMENT_LOGIN_SPACE, encodedOrEmpty(users[i].login));
    WriteShortString(element + VLM_USER_ELEMENT_FULL_NAME, VLM_USER_ELEMENT_FULL_NAME_SPACE,
                     encodedOrEmpty(users[i].fullName));
    WriteShortString(element + VLM_USER_ELEMENT_RIGHTS, VLM_USER_ELEMENT_RIGHTS_SPACE, encodedOrEmpty(users[i].rights));
  }
}

void FillRightsList(unsigned char* elements, const QString& rightsGroup) {
  WriteShortString(elements, VLM_RIGHTS_ELEMENT_SIZE,
                   FitsCp1251(rightsGroup) ? EncodeCp1251(rightsGroup) : QByteArray());
}
