#include "viewers/ui/memo_form.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "ui/field_label.h"

TfrmuMemo::TfrmuMemo(const QString& text, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmuMemo"));
  setWindowTitle(QString());
  setSizeGripEnabled(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  ml = new QPlainTextEdit(this);
  ml->setObjectName(QStringLiteral("ml"));
  NameControl(ml, QStringLiteral("Извършено действие"));
  // Long actions wrap at the window's width, so the whole text reads without scrolling sideways;
  // the window opens big enough for a few lines and can be made larger.
  ml->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  ml->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  ml->setPlainText(text);
  ml->setMinimumSize(230, 134);
  layout->addWidget(ml);
  resize(520, 260);
}
