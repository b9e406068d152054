// The real file-save dialog and text prompt, and the seams in front of them.
#include "reports/ui/save_rep_prompts.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>

#include "core/messages.h"
#include "reports/export_columns.h"

namespace {
QString DialogSaveFileName(QWidget* parent, const SaveFileRequest& request) {
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

std::optional<QString> DialogText(QWidget* parent, const QString& caption, const QString& prompt,
                                  const QString& initial) {
  bool ok = false;
  const QString text = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, initial, &ok);
  if (!ok) return std::nullopt;
  return text;
}

SaveFileNameAsker& InstalledSaveFileNameAsker() {
  static SaveFileNameAsker asker;
  return asker;
}

TextAsker& InstalledTextAsker() {
  static TextAsker asker;
  return asker;
}
}  // namespace

void SetSaveFileNameAsker(SaveFileNameAsker asker) { InstalledSaveFileNameAsker() = std::move(asker); }
void SetTextAsker(TextAsker asker) { InstalledTextAsker() = std::move(asker); }

QString AskSaveFileName(QWidget* parent, const SaveFileRequest& request) {
  const SaveFileNameAsker& asker = InstalledSaveFileNameAsker();
  QString name = (asker ? asker(parent, request) : DialogSaveFileName(parent, request)).trimmed();
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
  const TextAsker& asker = InstalledTextAsker();
  return asker ? asker(parent, caption, prompt, initial) : DialogText(parent, caption, prompt, initial);
}
