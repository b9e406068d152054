// A person's initials for a published list: the first letter of each part of the name, each
// followed by a full stop ("Иван Петров Димитров" → "И. П. Д."); the parts of a double name
// keep their hyphen ("Попова-Петкова" → "П.-П."). Anything but letters is left out.
#pragma once

#include <QString>

QString HolderInitials(const QString& name);
