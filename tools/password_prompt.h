// The passwords tesaro-admin reads: typed on the terminal without echo, or one line of
// standard input with --password-stdin. Never kept anywhere.
#pragma once

#include <QString>
#include <QTextStream>
#include <optional>

// Shows `prompt` and reads one line with the terminal's echo off; `ended` is set at the end of input.
QString AskHidden(QTextStream& in, QTextStream& out, const QString& prompt, bool* ended);

// The new password: one line of `in` with --password-stdin, else typed twice on the terminal.
// Nothing (after saying why on `err`) when there is none.
std::optional<QString> ReadNewPassword(QTextStream& in, QTextStream& out, QTextStream& err, bool fromStdin,
                                       bool stdinIsTerminal);
