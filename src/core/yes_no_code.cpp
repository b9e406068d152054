// Stored yes/no codes and truth flags.
#include "core/yes_no_code.h"

QString YesNoCodeText(int code) {
  return YesNoCodeIsYes(code) ? QStringLiteral("Да") : QStringLiteral("Не");
}

QString YesNoCodeText(const QVariant& code) {
  return YesNoCodeText(YesNoCodeIsYes(code) ? kYesCode : kNoCode);
}

bool YesNoCodeIsYes(int code) { return code == kYesCode; }

bool YesNoCodeIsYes(const QVariant& code) {
  if (!code.isValid() || code.isNull()) return false;
  bool ok = false;
  const double value = code.toDouble(&ok);
  return ok && value == kYesCode;
}

int YesNoCodeFromBool(bool value) { return value ? kYesCode : kNoCode; }

int TruthFlagFromBool(bool value) { return value ? -1 : 0; }

bool TruthFlagIsTrue(const QVariant& flag) {
  if (!flag.isValid() || flag.isNull()) return false;
  bool ok = false;
  const double value = flag.toDouble(&ok);
  return ok && value != 0;
}
