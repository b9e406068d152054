// Initials from a holder's name.
#include "reports/holder_initials.h"

#include <QStringList>

namespace {
// The first letter of a part of a name, as a capital with its full stop; empty when the part
// holds no letter (a stray dash or a bracket).
QString PartInitial(const QString& part) {
  for (const QChar ch : part)
    if (ch.isLetter()) return ch.toUpper() + QStringLiteral(".");
  return {};
}
}  // namespace

QString HolderInitials(const QString& name) {
  QStringList initials;
  for (const QString& word : name.simplified().split(u' ', Qt::SkipEmptyParts)) {
    QStringList parts;
    for (const QString& part : word.split(u'-', Qt::SkipEmptyParts))
      if (const QString initial = PartInitial(part); !initial.isEmpty()) parts << initial;
    if (!parts.isEmpty()) initials << parts.join(u'-');
  }
  return initials.join(u' ');
}
