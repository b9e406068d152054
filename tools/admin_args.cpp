// Parsing tesaro-admin's arguments and checking each option's value against its rule.
#include "admin_args.h"

#include <climits>
#include <optional>

#include "data/firebird/cp1251.h"

namespace {
const QString kDateFormat = QStringLiteral("dd.MM.yyyy");

const OptionRule* FindRule(const std::vector<OptionRule>& rules, const QString& name) {
  for (const OptionRule& rule : rules)
    if (rule.name == name) return &rule;
  return nullptr;
}

bool HasControl(const QString& text, bool tabAllowed) {
  for (const QChar ch : text)
    if (ch.category() == QChar::Other_Control && !(tabAllowed && ch == u'\t')) return true;
  return false;
}

// Digits only: no sign, no blanks, nothing a reader would take for a number of another kind.
std::optional<quint64> WholeNumber(const QString& text) {
  if (text.isEmpty() || text.size() > 20) return std::nullopt;
  for (const QChar ch : text)
    if (ch < u'0' || ch > u'9') return std::nullopt;
  bool ok = false;
  const quint64 value = text.toULongLong(&ok);
  if (!ok) return std::nullopt;
  return value;
}

QString Accepted(const OptionRule& rule) {
  switch (rule.kind) {
    case OptionKind::Text:
      return QStringLiteral("текст без управляващи знаци");
    case OptionKind::Name:
      return QStringLiteral("непразен текст без управляващи знаци");
    case OptionKind::RegisterText:
      return QStringLiteral("текст без управляващи знаци, който регистърът може да съхрани (кирилица и латиница)");
    case OptionKind::Delimiter:
      return QStringLiteral("един или повече знака (кирилица, латиница, знаци или табулация) без нов ред");
    case OptionKind::Path:
      return QStringLiteral("име на файл");
    case OptionKind::Count:
      return QStringLiteral("цяло положително число от 1 до %1").arg(INT_MAX);
    case OptionKind::Unsigned:
      return QStringLiteral("цяло неотрицателно число до %1").arg(ULLONG_MAX);
    case OptionKind::Date:
      return QStringLiteral("дата във вида ДД.ММ.ГГГГ");
    case OptionKind::Choice:
      return QStringLiteral("една от стойностите %1").arg(rule.choices.join(QStringLiteral(", ")));
    case OptionKind::Secret:
    case OptionKind::Flag:
      break;
  }
  return {};
}

// The value as the command reads it, or nothing when the rule refuses it.
std::optional<QString> Checked(const OptionRule& rule, const QString& value) {
  switch (rule.kind) {
    case OptionKind::Text:
    case OptionKind::Name:
      if (HasControl(value, false)) return std::nullopt;
      if (rule.kind == OptionKind::Name && value.trimmed().isEmpty()) return std::nullopt;
      return value;
    case OptionKind::RegisterText:
      if (HasControl(value, false) || !FitsCp1251(value)) return std::nullopt;
      return value;
    case OptionKind::Delimiter:
      if (value.isEmpty() || HasControl(value, true) || !FitsCp1251(value)) return std::nullopt;
      return value;
    case OptionKind::Path:
      if (value.trimmed().isEmpty() || HasControl(value, false)) return std::nullopt;
      return value;
    case OptionKind::Count: {
      const std::optional<quint64> number = WholeNumber(value);
      if (!number || *number < 1 || *number > INT_MAX) return std::nullopt;
      return QString::number(*number);
    }
    case OptionKind::Unsigned: {
      const std::optional<quint64> number = WholeNumber(value);
      if (!number) return std::nullopt;
      return QString::number(*number);
    }
    case OptionKind::Date:
      if (!QDate::fromString(value, kDateFormat).isValid()) return std::nullopt;
      return value;
    case OptionKind::Choice:
      for (const QString& choice : rule.choices)
        if (choice.compare(value, Qt::CaseInsensitive) == 0) return choice;
      return std::nullopt;
    case OptionKind::Secret:
    case OptionKind::Flag:
      return value;
  }
  return std::nullopt;
}

// "--name" or "--name=…" for a name the command knows: an option, not another option's value.
bool IsKnownOption(const QString& arg, const std::vector<OptionRule>& rules) {
  if (!arg.startsWith(QStringLiteral("--")) || arg.size() == 2) return false;
  const QString name = arg.mid(2).section(u'=', 0, 0);
  return FindRule(rules, name) != nullptr;
}
}  // namespace

QDate ParsedArgs::Date(const QString& name) const { return QDate::fromString(options.value(name), kDateFormat); }

QString OptionRefusal(const QString& name, const QString& accepted, const QString& value) {
  if (value.isEmpty()) return QStringLiteral("Параметърът „--%1“ приема %2, а не празна стойност.").arg(name, accepted);
  QString shown = value;
  for (QChar& ch : shown)
    if (ch.category() == QChar::Other_Control) ch = u'?';
  return QStringLiteral("Параметърът „--%1“ приема %2, а не „%3“.").arg(name, accepted, shown);
}

ParsedArgs ParseArgs(const QStringList& args, const std::vector<OptionRule>& rules) {
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
    const OptionRule* rule = FindRule(rules, name);
    if (!rule) {
      parsed.error = QStringLiteral("Непознат параметър „%1“.").arg(arg);
      return parsed;
    }
    if (parsed.options.contains(name)) {
      parsed.error = QStringLiteral("Параметърът „--%1“ е даден повече от веднъж.").arg(name);
      return parsed;
    }
    if (rule->kind == OptionKind::Flag) {
      if (hasValue) {
        parsed.error = QStringLiteral("Параметърът „--%1“ не приема стойност.").arg(name);
        return parsed;
      }
      parsed.options[name] = QString();
      continue;
    }
    if (!hasValue) {
      // The next option's name is not this one's value: "--reg-num --out x" lacks a number.
      if (i + 1 >= args.size() || IsKnownOption(args[i + 1], rules)) {
        parsed.error = QStringLiteral("Параметърът „--%1“ изисква стойност.").arg(name);
        return parsed;
      }
      value = args[++i];
    }
    const std::optional<QString> checked = Checked(*rule, value);
    if (!checked) {
      parsed.error = OptionRefusal(name, Accepted(*rule), value);
      return parsed;
    }
    parsed.options[name] = *checked;
  }
  return parsed;
}
