#include "ui/field_label.h"

#include <QLabel>
#include <QWidget>

QString AccessibleNameOf(const QString& caption) {
  QString name;
  name.reserve(caption.size());
  // "&&" stands for a shown "&"; a lone "&" only marks the next letter.
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption.at(i) == u'&') {
      if (i + 1 < caption.size() && caption.at(i + 1) == u'&') name += u'&', ++i;
      continue;
    }
    name += caption.at(i);
  }
  name = name.simplified();
  while (name.endsWith(u':')) name = name.chopped(1).trimmed();
  return name;
}

QLabel* LabelField(QLabel* label, QWidget* field) {
  label->setBuddy(field);
  NameControl(field, label->text());
  return label;
}

void NameControl(QWidget* control, const QString& caption) { control->setAccessibleName(AccessibleNameOf(caption)); }
