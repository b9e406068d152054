// A small INI-style file kept in its own order: sections and keys found case-insensitively,
// new keys added at the end of their section, and everything else in the file left as it was
// (the saved views share their file with other programs' sections).
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class ViewIniFile {
 public:
  // Reads the file; a missing file is an empty one. False when it exists and cannot be read.
  bool Load(const QString& path);
  // Writes every section back; false when the file cannot be written.
  bool Save(const QString& path) const;

  QStringList Sections() const;
  bool HasKey(const QString& section, const QString& key) const;
  QString Value(const QString& section, const QString& key, const QString& fallback = QString()) const;
  int IntValue(const QString& section, const QString& key, int fallback) const;
  // Replaces the value where the key stands, or adds the key at the end of its section
  // (the section at the end of the file). Line breaks in the value become blanks.
  void SetValue(const QString& section, const QString& key, const QString& value);
  void EraseSection(const QString& section);

 private:
  struct Line {
    QString key;   // empty for a line that holds no key (a comment, a blank line)
    QString value;
    QString raw;
  };
  struct Section {
    QString name;
    std::vector<Line> lines;
  };
  Section* Find(const QString& name);
  const Section* Find(const QString& name) const;

  std::vector<Line> preamble_;  // lines before the first section
  std::vector<Section> sections_;
};
