#include "ui/message_boxes.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace {
QMessageBox::StandardButton ToButton(MessageAnswer answer) {
  switch (answer) {
    case MessageAnswer::Ok: return QMessageBox::Ok;
    case MessageAnswer::Cancel: return QMessageBox::Cancel;
    case MessageAnswer::Yes: return QMessageBox::Yes;
    case MessageAnswer::No: return QMessageBox::No;
  }
  return QMessageBox::Ok;
}

MessageAnswer FromButton(int button) {
  switch (button) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    default: return MessageAnswer::Ok;
  }
}

}  // namespace

MessageAnswer ShowMessageBox(QWidget* parent, const MessageRequest& request) {
  QMessageBox box(parent);
  box.setWindowTitle(request.caption);
  box.setText(request.text);
  switch (request.icon) {
    case MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MessageIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MessageIcon::Error: box.setIcon(QMessageBox::Critical); break;
    case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
  }
  switch (request.buttons) {
    case MessageButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MessageButtons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box.button(QMessageBox::Yes)->setText(QStringLiteral("Да"));
      box.button(QMessageBox::No)->setText(QStringLiteral("Не"));
      break;
    case MessageButtons::OkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      box.button(QMessageBox::Cancel)->setText(QStringLiteral("Отказ"));
      break;
  }
  box.setDefaultButton(ToButton(request.defaultAnswer));
  return FromButton(box.exec());
}
