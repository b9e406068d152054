// Command-line arguments of tesaro-admin: positional values and "--name value" /
// "--name=value" options. Every option a command knows has a rule for its value; an unknown
// option, one given twice, a missing value or a value its rule cannot read is refused with a
// message that names the option and what it accepts, never dropped or read as another value.
#pragma once

#include <QDate>
#include <QMap>
#include <QString>
#include <QStringList>
#include <vector>

enum class OptionKind {
  Text,          // text without control characters, empty included
  Name,          // as Text, but not empty (a database user)
  RegisterText,  // text the register can store (windows-1251) without control characters
  Delimiter,     // one or more characters the register can store, a tab included, no line break
  Path,          // a file's or folder's name, not empty
  Count,         // a whole number from 1 to 2147483647, digits only
  Unsigned,      // a whole number from 0 to 18446744073709551615, digits only
  Date,          // a date written ДД.ММ.ГГГГ
  Choice,        // one of `choices`, letter case ignored; kept as the choice is listed
  Secret,        // anything (a password)
  Flag,          // no value: the option is given or not ("--public"); "--public=…" is refused
};

struct OptionRule {
  QString name;  // without the leading "--"
  OptionKind kind = OptionKind::Text;
  QStringList choices = {};
};

struct ParsedArgs {
  QStringList positional;
  QMap<QString, QString> options;  // without the leading "--"; every value passed its rule
  QString error;                   // empty when the arguments were understood

  bool Has(const QString& name) const { return options.contains(name); }
  QString Option(const QString& name, const QString& fallback = QString()) const {
    return options.value(name, fallback);
  }
  // The value of a Count, Unsigned or Date option that was given.
  int Count(const QString& name) const { return options.value(name).toInt(); }
  quint64 Unsigned(const QString& name) const { return options.value(name).toULongLong(); }
  QDate Date(const QString& name) const;
};

ParsedArgs ParseArgs(const QStringList& args, const std::vector<OptionRule>& rules);

// "Параметърът „--name“ приема <accepted>, а не „<value>“." (control characters shown as "?").
QString OptionRefusal(const QString& name, const QString& accepted, const QString& value);
