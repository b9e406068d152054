// The about box: the program's emblem, its name on three lines and its version.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class TAboutForm : public QDialog {
  Q_OBJECT
 public:
  explicit TAboutForm(QWidget* parent = nullptr);

 private:
  QLabel* ProductName = nullptr;
  QLabel* Version = nullptr;
  QPushButton* OKButton = nullptr;
};

// The "За програмата" command: shows the about box modally.
void mAboutClick(QWidget* parent);
