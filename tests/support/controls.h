// A window's control for a test, found by its object name (the name of the window's member
// that holds it): windows keep their controls private, tests reach them the way a user does.
#pragma once

#include <QObject>
#include <QString>
#include <QTest>
#include <source_location>
#include <stdexcept>

// The child of `window` of type T named `name`, searched at every depth. A missing control
// fails the test at the caller's line and ends the test function by an exception, so the
// test never goes on with a null control.
template <typename T>
T* Control(const QObject* window, const QString& name,
           const std::source_location& where = std::source_location::current()) {
  T* control = window != nullptr ? window->findChild<T*>(name) : nullptr;
  const QByteArray description = "the window has the control \"" + name.toUtf8() + '"';
  if (!QTest::qVerify(control != nullptr, "Control", description.constData(), where.file_name(),
                      static_cast<int>(where.line())))
    throw std::runtime_error(description.toStdString() + " failed");
  return control;
}

template <typename T>
T* Control(const QObject& window, const QString& name,
           const std::source_location& where = std::source_location::current()) {
  return Control<T>(&window, name, where);
}
