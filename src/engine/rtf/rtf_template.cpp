// Running the RTF template engine: reading, filling, writing and opening.
#include "engine/rtf/rtf_template.h"

#include <QDir>
#include <QFile>

#include "core/desktop.h"
#include "core/output_file.h"

void RtfTemplateEngine::ClearValues() {
  names_.clear();
  values_.clear();
}

void RtfTemplateEngine::AddValue(const QString& name, const QString& text) {
  if (!IsRtfFieldName(name))
    throw RtfError(QStringLiteral("„%1“ не е допустимо име на поле в шаблон.").arg(name));
  if (values_.contains(name))
    throw RtfError(QStringLiteral("Полето „%1“ вече има стойност.").arg(name));
  names_ << name;
  values_.insert(name, text);
}

void RtfTemplateEngine::Run() {
  if (templateFile_.isEmpty()) throw RtfError(QStringLiteral("Не е зададен шаблон."));
  if (resultFile_.isEmpty()) throw RtfError(QStringLiteral("Не е зададен файл за резултата."));
  QFile input(templateFile_);
  if (!input.open(QIODevice::ReadOnly))
    throw RtfError(QStringLiteral("Шаблонът „%1“ не може да бъде прочетен: %2")
                       .arg(QDir::toNativeSeparators(templateFile_), input.errorString()));
  const QByteArray filled = FillRtfFields(input.readAll(), values_);
  // Written beside the old file and renamed over it, so a failed write leaves no half document.
  try {
    WriteWholeFile(resultFile_, filled);
  } catch (const FileWriteError& error) {
    throw RtfError(error.Message());
  }
}

void RtfTemplateEngine::RunAndOpen() {
  Run();
  if (!OpenWithAssociatedProgram(resultFile_))
    throw RtfError(QStringLiteral("Файлът „%1“ не може да бъде отворен.").arg(QDir::toNativeSeparators(resultFile_)));
}
