// The real file-save dialog and text prompt, and the seam in front of them.
#include "reports/ui/save_rep_prompts.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>

#include "core/messages.h"
#include "reports/export_columns.h"

namespace {
class DialogPrompts : public SaveRepPrompts {
 public:
  QString SaveFileName(QWidget* parent, const SaveFileRequest& request) override {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QtFileFilter(request.filter));
    dialog.setDefaultSuffix(request.defaultExtension);
    // The question before replacing a file is asked by AskSaveFileName, for every dialog alike.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
  }
  std::optional<QString> Text(QWidget* parent, const QString& caption, const QString& prompt,
                              const QString& initial) override {
    bool ok = false;
    const QString text = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok) return std::nullopt;
    return text;
  }
};

SaveRepPrompts*& Installed() {
  static SaveRepPrompts* prompts = nullptr;
  return prompts;
}

SaveRepPrompts& Current() {
  static DialogPrompts real;
  return Installed() ? *Installed() : real;
}
}  // namespace

void InstallSaveRepPrompts(SaveRepPrompts* prompts) { Installed() = prompts; }

QString AskSaveFileName(QWidget* parent, const SaveFileRequest& request) {
  QString name = Current().SaveFileName(parent, request).trimmed();
  if (name.isEmpty()) return {};
  if (QFileInfo(name).suffix().isEmpty() && !request.defaultExtension.isEmpty())
    name += u'.' + request.defaultExtension;
  if (QFileInfo::exists(name) &&
      !AskYesNo(parent, QString::fromUtf8(kOverwriteQuestion).arg(QDir::toNativeSeparators(name)),
                QStringLiteral("Потвърждение"), false, MessageIcon::Warning))
    return {};
  return name;
}

std::optional<QString> AskText(QWidget* parent, const QString& caption, const QString& prompt, const QString& initial) {
  return Current().Text(parent, caption, prompt, initial);
}
