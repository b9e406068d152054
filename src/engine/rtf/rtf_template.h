// The RTF template engine: a template file, a result file and named text values; running it
// fills the template's fields, writes the result and opens it with the desktop's program for
// RTF documents. Every failure is an RtfError.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include "engine/rtf/rtf_fields.h"

class RtfTemplateEngine {
 public:
  void SetTemplate(const QString& fileName) { templateFile_ = fileName; }
  void SetResultFile(const QString& fileName) { resultFile_ = fileName; }
  const QString& TemplateFile() const { return templateFile_; }
  const QString& ResultFile() const { return resultFile_; }

  void ClearValues();
  // Stores a value under a field name; a name given a second time, or one the field syntax
  // cannot hold, is an RtfError.
  void AddValue(const QString& name, const QString& text);
  // Names in the order they were added.
  const QStringList& Names() const { return names_; }
  QString Value(const QString& name) const { return values_.value(name); }

  // Reads the template, fills it and writes the result, replacing an older file.
  void Run();
  // Run, then opens the result with the program associated with its type.
  void RunAndOpen();

 private:
  QString templateFile_;
  QString resultFile_;
  QStringList names_;
  QHash<QString, QString> values_;
};
