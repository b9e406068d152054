// The annual-list command: refreshes every card, ranks the register in the default criteria
// order and writes this year's annual list, for use without a desktop: as PDF, as a
// spreadsheet and as delimited text, or its public version as PDF and as a web page. Also
// what both document commands (annual-list, service-note) need of the program's start.
#pragma once

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>
#include <memory>

// annual-list's arguments (after the command name). Returns the exit code.
int RunAnnualList(const QStringList& args, QTextStream& out, QTextStream& err);

// True for the commands that lay out printed documents and so need a GUI application object.
bool IsDocumentCommand(const QString& command);
// The application object for a command: a QGuiApplication for the document commands (on the
// offscreen platform unless QT_QPA_PLATFORM says otherwise, so no display is needed), else
// a QCoreApplication.
std::unique_ptr<QCoreApplication> MakeAdminApplication(const QString& command, int& argc, char** argv);
// False, with a message on `err`, when the running application cannot lay out documents.
bool DocumentsCanBeLaidOut(QTextStream& err);
