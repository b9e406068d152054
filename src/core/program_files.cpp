#include "core/program_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "core/program_files_config.h"

namespace {
QString InstalledFolder(ProgramFileKind kind) {
  switch (kind) {
    case ProgramFileKind::Library:
      return QString::fromUtf8(kInstalledLibraryFolder);
    case ProgramFileKind::Document:
      return QString::fromUtf8(kInstalledDocumentFolder);
  }
  return {};
}
}  // namespace

QStringList ProgramFileCandidates(const QString& programFolder, ProgramFileKind kind, const QString& fileName) {
  const QDir program(programFolder);
  return {program.filePath(fileName),
          QDir::cleanPath(program.filePath(InstalledFolder(kind) + u'/' + fileName))};
}

QString ProgramFileIn(const QString& programFolder, ProgramFileKind kind, const QString& fileName) {
  const QStringList candidates = ProgramFileCandidates(programFolder, kind, fileName);
  for (const QString& candidate : candidates)
    if (QFileInfo(candidate).isFile()) return candidate;
  return candidates.first();
}

QString ProgramFile(ProgramFileKind kind, const QString& fileName) {
  return ProgramFileIn(QCoreApplication::applicationDirPath(), kind, fileName);
}
