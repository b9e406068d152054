// Parsing tesaro-admin's arguments.
#include "admin_args.h"

ParsedArgs ParseArgs(const QStringList& args, const QStringList& valueOptions) {
  ParsedArgs parsed;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    if (!arg.startsWith(QStringLiteral("--")) || arg == QStringLiteral("--")) {
      parsed.positional << arg;
      continue;
    }
    QString name = arg.mid(2);
    QString value;
    bool hasValue = false;
    const qsizetype eq = name.indexOf(u'=');
    if (eq >= 0) {
      value = name.mid(eq + 1);
      name = name.left(eq);
      hasValue = true;
    }
    if (!valueOptions.contains(name)) {
      parsed.error = QStringLiteral("Непознат параметър „%1“.").arg(arg);
      return parsed;
    }
    if (!hasValue) {
      if (i + 1 >= args.size()) {
        parsed.error = QStringLiteral("Параметърът „--%1“ изисква стойност.").arg(name);
        return parsed;
      }
      value = args[++i];
    }
    parsed.options[name] = value;
  }
  return parsed;
}
