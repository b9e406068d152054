// Walking a window's controls in tests: whether a widget is only a part of a compound control
// (the text of a date field, a list's drop-down, a calendar's cells, a table's viewport).
#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

inline bool IsPartOfAnotherControl(const QWidget* w, const QWidget* window) {
  for (const QWidget* up = w->parentWidget(); up != nullptr && up != window; up = up->parentWidget())
    if (qobject_cast<const QLineEdit*>(up) || qobject_cast<const QComboBox*>(up) ||
        qobject_cast<const QAbstractSpinBox*>(up) || qobject_cast<const QAbstractButton*>(up) ||
        qobject_cast<const QAbstractItemView*>(up) || qobject_cast<const QPlainTextEdit*>(up) ||
        qobject_cast<const QTextEdit*>(up) || qobject_cast<const QCalendarWidget*>(up))
      return true;
  return false;
}
