// Prints where the program would take each of its own files from, one per line, when it runs
// from the folder this probe is put in. The package test puts it beside the unpacked program.
#include <QCoreApplication>
#include <QTextStream>

#include "core/program_files.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTextStream out(stdout);
  out << ProgramFile(ProgramFileKind::Library, QStringLiteral("libVlmLogin.so")) << '\n'
      << ProgramFile(ProgramFileKind::Library, QStringLiteral("libPersInfoLib.so")) << '\n'
      << ProgramFile(ProgramFileKind::Document, QStringLiteral("Tesaro_card.rtf")) << '\n'
      << ProgramFile(ProgramFileKind::Document, QStringLiteral("Tesaro.pdf")) << '\n';
  return 0;
}
