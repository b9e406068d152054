// Text values turned into RTF body text that cannot change the document's structure.
#pragma once

#include <QByteArray>
#include <QString>

// Backslash and braces escaped, every character above ASCII as \uN followed by the fallback
// "?", line breaks (CR LF, CR or LF) as paragraph breaks, tabs as \tab; other control
// characters are dropped. The result is plain ASCII.
QByteArray RtfEscapeText(const QString& text);
