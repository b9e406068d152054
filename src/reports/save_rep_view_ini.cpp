// Reading and writing the views' INI-style file.
#include "reports/save_rep_view_ini.h"

#include <QFile>
#include <QTextStream>

#include "core/output_file.h"

bool ViewIniFile::Load(const QString& path) {
  preamble_.clear();
  sections_.clear();
  QFile file(path);
  if (!file.exists()) return true;
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
  QTextStream in(&file);
  std::vector<Line>* lines = &preamble_;
  while (!in.atEnd()) {
    const QString raw = in.readLine();
    const QString trimmed = raw.trimmed();
    if (trimmed.startsWith(u'[') && trimmed.endsWith(u']')) {
      sections_.push_back({trimmed.mid(1, trimmed.size() - 2).trimmed(), {}});
      lines = &sections_.back().lines;
      continue;
    }
    const qsizetype equals = raw.indexOf(u'=');
    if (equals > 0 && !trimmed.startsWith(u';'))
      lines->push_back({raw.left(equals).trimmed(), raw.mid(equals + 1), raw});
    else
      lines->push_back({QString(), QString(), raw});
  }
  return true;
}

bool ViewIniFile::Save(const QString& path) const {
  try {
    OutputFile file(path);
    QTextStream out(&file.Device());
    auto write = [&out](const std::vector<Line>& lines) {
      for (const Line& l : lines) out << (l.key.isEmpty() ? l.raw : l.key + u'=' + l.value) << '\n';
    };
    write(preamble_);
    for (const Section& s : sections_) {
      out << '[' << s.name << "]\n";
      write(s.lines);
    }
    out.flush();
    file.Commit();
    return true;
  } catch (const FileWriteError&) {
    return false;  // the views' owner decides what a failed write means
  }
}

ViewIniFile::Section* ViewIniFile::Find(const QString& name) {
  for (Section& s : sections_)
    if (s.name.compare(name, Qt::CaseInsensitive) == 0) return &s;
  return nullptr;
}

const ViewIniFile::Section* ViewIniFile::Find(const QString& name) const {
  return const_cast<ViewIniFile*>(this)->Find(name);
}

QStringList ViewIniFile::Sections() const {
  QStringList names;
  for (const Section& s : sections_) names << s.name;
  return names;
}

bool ViewIniFile::HasKey(const QString& section, const QString& key) const {
  if (const Section* s = Find(section))
    for (const Line& l : s->lines)
      if (!l.key.isEmpty() && l.key.compare(key, Qt::CaseInsensitive) == 0) return true;
  return false;
}

QString ViewIniFile::Value(const QString& section, const QString& key, const QString& fallback) const {
  if (const Section* s = Find(section))
    for (const Line& l : s->lines)
      if (!l.key.isEmpty() && l.key.compare(key, Qt::CaseInsensitive) == 0) return l.value;
  return fallback;
}

int ViewIniFile::IntValue(const QString& section, const QString& key, int fallback) const {
  bool ok = false;
  const int value = Value(section, key).trimmed().toInt(&ok);
  return ok ? value : fallback;
}

void ViewIniFile::SetValue(const QString& section, const QString& key, const QString& rawValue) {
  // A value is one line: a line break typed or pasted into a view's name would otherwise start
  // a new key or section of its own.
  QString value = rawValue;
  value.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(u'\r', u' ').replace(u'\n', u' ');
  Section* s = Find(section);
  if (!s) {
    sections_.push_back({section, {}});
    s = &sections_.back();
  }
  for (Line& l : s->lines)
    if (!l.key.isEmpty() && l.key.compare(key, Qt::CaseInsensitive) == 0) {
      l.value = value;
      return;
    }
  // Before the blank lines that end the section, so sections stay apart.
  auto at = s->lines.end();
  while (at != s->lines.begin() && std::prev(at)->key.isEmpty() && std::prev(at)->raw.trimmed().isEmpty()) --at;
  s->lines.insert(at, {key, value, QString()});
}

void ViewIniFile::EraseSection(const QString& section) {
  std::erase_if(sections_, [&](const Section& s) { return s.name.compare(section, Qt::CaseInsensitive) == 0; });
}
