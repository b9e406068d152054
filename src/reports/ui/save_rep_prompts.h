// The export dialog's modal prompts behind seams: the file-save dialog and the view-name
// prompt. Tests install answers instead of blocking on a window; the overwrite question goes
// through the message seam.
#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

struct SaveFileRequest {
  QString filter;            // "name|pattern|name|pattern"; the first type is preselected
  QString defaultExtension;  // without the dot
};

// The file-save dialog: the chosen file name, or empty when the dialog was cancelled.
using SaveFileNameAsker = std::function<QString(QWidget* parent, const SaveFileRequest& request)>;
// Replaces the file-save dialog (tests); an empty function brings back the real one.
void SetSaveFileNameAsker(SaveFileNameAsker asker);

// The text prompt: the typed text, or nothing when the prompt was cancelled.
using TextAsker = std::function<std::optional<QString>(QWidget* parent, const QString& caption,
                                                       const QString& prompt, const QString& initial)>;
// Replaces the text prompt (tests); an empty function brings back the real one.
void SetTextAsker(TextAsker asker);

// Asks for a file name to write: the default extension added to a name without one, and a
// question through the message seam before an existing file is replaced. Empty when
// cancelled or refused.
QString AskSaveFileName(QWidget* parent, const SaveFileRequest& request);
std::optional<QString> AskText(QWidget* parent, const QString& caption, const QString& prompt,
                               const QString& initial = QString());

inline constexpr const char* kOverwriteQuestion = "Файлът „%1“ вече съществува.\nДа бъде ли заменен?";
