#include "data/firebird/db_error.h"

DbError::DbError(const QString& message, long gdsCode)
    : AppError(message), gdsCode_(gdsCode) {}

const char* const kRecordBusyText =
    "Записът е зает или току-що е променен от друга работна станция; опреснете списъка и опитайте "
    "отново.";

const char* const kNoPermissionText = "Нямате права за това действие.";

const char* const kServerUnreachableText =
    "Сървърът на регистъра не отговаря; проверете връзката с него и дали работи, после опитайте отново.";
