// The export dialog's modal prompts behind a seam: the file-save dialog and the view-name
// prompt. Tests install answers instead of blocking on a window; the overwrite question goes
// through the message seam.
#pragma once

#include <QString>
#include <optional>

class QWidget;

struct SaveFileRequest {
  QString filter;            // "name|pattern|name|pattern"; the first type is preselected
  QString defaultExtension;  // without the dot
};

class SaveRepPrompts {
 public:
  virtual ~SaveRepPrompts() = default;
  // The chosen file name, or empty when the dialog was cancelled.
  virtual QString SaveFileName(QWidget* parent, const SaveFileRequest& request) = 0;
  // The typed text, or nothing when the prompt was cancelled.
  virtual std::optional<QString> Text(QWidget* parent, const QString& caption, const QString& prompt,
                                      const QString& initial) = 0;
};

// Replaces the prompts (tests); nullptr brings back the real dialogs.
void InstallSaveRepPrompts(SaveRepPrompts* prompts);

// Asks for a file name to write: the default extension added to a name without one, and a
// question through the message seam before an existing file is replaced. Empty when
// cancelled or refused.
QString AskSaveFileName(QWidget* parent, const SaveFileRequest& request);
std::optional<QString> AskText(QWidget* parent, const QString& caption, const QString& prompt,
                               const QString& initial = QString());

inline constexpr const char* kOverwriteQuestion = "Файлът „%1“ вече съществува.\nДа бъде ли заменен?";
