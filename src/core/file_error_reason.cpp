#include "core/file_error_reason.h"

#include <cerrno>

QString FileErrorReason(int errorNumber) {
  switch (errorNumber) {
    case 0:
      return QStringLiteral("причината не е известна");
    case ENOSPC:
      return QStringLiteral("няма свободно място на диска");
    case EDQUOT:
      return QStringLiteral("дисковата квота на потребителя е изчерпана");
    case EFBIG:
      return QStringLiteral("файлът надхвърля най-големия размер, който системата позволява");
    case EACCES:
    case EPERM:
      return QStringLiteral("няма права за запис в тази папка или в този файл");
    case EROFS:
      return QStringLiteral("файловата система е само за четене");
    case ENOENT:
      return QStringLiteral("папката не съществува");
    case ENOTDIR:
      return QStringLiteral("част от пътя не е папка");
    case EISDIR:
      return QStringLiteral("това е папка, а не файл");
    case ENAMETOOLONG:
      return QStringLiteral("името на файла е твърде дълго");
    case ELOOP:
      return QStringLiteral("пътят съдържа твърде много символни връзки");
    case EIO:
      return QStringLiteral("входно-изходна грешка на диска");
    case EBUSY:
    case ETXTBSY:
      return QStringLiteral("файлът се използва от друга програма");
    case EMFILE:
    case ENFILE:
      return QStringLiteral("отворени са твърде много файлове");
    case EXDEV:
      return QStringLiteral("временният файл и целта са на различни дискове");
    case EINVAL:
      return QStringLiteral("името на файла не е допустимо");
    case ENOMEM:
      return QStringLiteral("няма достатъчно памет");
    case EINTR:
      return QStringLiteral("записът беше прекъснат");
    default:
      return QStringLiteral("системна грешка № %1").arg(errorNumber);
  }
}
