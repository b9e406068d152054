// Command-line arguments of tesaro-admin: positional values and "--name value" /
// "--name=value" options, with unknown options reported rather than ignored.
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

struct ParsedArgs {
  QStringList positional;
  QMap<QString, QString> options;  // without the leading "--"
  QString error;                   // empty when the arguments were understood

  bool Has(const QString& name) const { return options.contains(name); }
  QString Option(const QString& name, const QString& fallback = QString()) const {
    return options.value(name, fallback);
  }
};

// `valueOptions` are the names (without "--") that the command knows; each takes a value.
ParsedArgs ParseArgs(const QStringList& args, const QStringList& valueOptions);
