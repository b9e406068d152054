// The settings window: the municipality, the office that issues the service note, the note's
// paper and the minimum years of address registration, editable only by users of rights level 1.
#pragma once

#include <QDialog>
#include <functional>

#include "commands/options_settings.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class TDataModule1;

class TOptionsForm : public QDialog {
  Q_OBJECT
 public:
  explicit TOptionsForm(QWidget* parent = nullptr);

  void SetValues(const OptionsValues& values);
  OptionsValues Values() const;
  // The controls take input only when the user may change the settings.
  void SetEditable(bool editable);
  // Run by "ОК" before the window closes; a saver that returns false (it said why) keeps the
  // window open with what was typed.
  void SetSaver(std::function<bool(const OptionsValues&)> saver);

  void accept() override;

 private:
  std::function<bool(const OptionsValues&)> saver_;
  QLineEdit* edSob = nullptr;
  QLineEdit* edOffice = nullptr;
  QComboBox* cbPaper = nullptr;
  QLineEdit* DateNum = nullptr;
  QPushButton* btnOk = nullptr;
  QPushButton* btnCancel = nullptr;
};

// The "Настройки" command: shows the window modally with the stored settings and saves
// them when it closes with "ОК" and the user's rights level is 1. True when saved.
bool mOptionsClick(TDataModule1& data, int rightsLevel, QWidget* parent);
