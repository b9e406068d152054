// Where the program finds its own files: the libraries it loads by name, the card template and
// the help file. In the build folder they lie beside the program; once installed, the libraries
// are in the program's private library folder and the documents in its data folder, both found
// relative to the program so that the installation can be moved under any prefix.
#pragma once

#include <QString>
#include <QStringList>

enum class ProgramFileKind {
  Library,   // a library the program loads by name
  Document,  // a template or the help file
};

// The places the file is looked for, in order, for a program in programFolder: beside the
// program first, then its installed place.
QStringList ProgramFileCandidates(const QString& programFolder, ProgramFileKind kind, const QString& fileName);

// The first of those places that holds the file; when none does, the place beside the program,
// so that a message about the missing file names where it was expected.
QString ProgramFileIn(const QString& programFolder, ProgramFileKind kind, const QString& fileName);

// ProgramFileIn for the running program's own folder.
QString ProgramFile(ProgramFileKind kind, const QString& fileName);
