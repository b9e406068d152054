#include "viewers/ui/memo_form.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

TfrmuMemo::TfrmuMemo(const QString& text, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmuMemo"));
  setWindowTitle(QString());
  setSizeGripEnabled(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  ml = new QPlainTextEdit(this);
  ml->setObjectName(QStringLiteral("ml"));
  ml->setLineWrapMode(QPlainTextEdit::NoWrap);
  ml->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  ml->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  ml->setPlainText(text);
  ml->setMinimumSize(230, 134);
  layout->addWidget(ml);
  resize(230, 134);
}
