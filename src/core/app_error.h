// The one application error type: every failure the program reports to the clerk carries its
// Bulgarian text here, whether the database refused something (DbError), a value was refused
// before it reached the database (ValidationError) or a document could not be made.
#pragma once

#include <QString>
#include <stdexcept>
#include <string>

class AppError : public std::runtime_error {
 public:
  explicit AppError(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}

  // The text to show, as it stands.
  const QString& Message() const { return message_; }

 protected:
  // For an error whose what() carries the text in another encoding than UTF-8.
  AppError(const QString& message, const std::string& what) : std::runtime_error(what), message_(message) {}

 private:
  QString message_;
};

// A value or a request refused by the program's own rules, before the database saw it.
class ValidationError : public AppError {
 public:
  using AppError::AppError;
};
