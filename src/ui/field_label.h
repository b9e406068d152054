// Tying a caption to the control it describes, for the keyboard and for screen readers.
#pragma once

#include <QString>

class QLabel;
class QWidget;

// A caption as a screen reader should say it: without the access-key mark, the trailing
// colon and the extra blanks ("&Община:" gives "Община").
QString AccessibleNameOf(const QString& caption);

// Makes `label` the caption of `field`: its marked letter (Alt and the letter) moves the focus
// to the field, and a screen reader names the field by the caption. Returns the label.
QLabel* LabelField(QLabel* label, QWidget* field);

// Names a control that has no caption of its own beside it (a table under the window's title,
// the second field of a "from ... to" pair).
void NameControl(QWidget* control, const QString& caption);
