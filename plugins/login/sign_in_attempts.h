// The sign-in dialog's rule: three wrong tries and the sign-in is refused.
#pragma once

#include <optional>

#include "login_config.h"

class SignInAttempts {
 public:
  static constexpr int kAllowed = 3;
  enum class Outcome { Accepted, Refused, Exhausted };

  explicit SignInAttempts(LoginConfig config) : config_(std::move(config)) {}

  // Checks one try; Exhausted when it was the last one allowed and failed.
  Outcome Try(const QString& login, const QString& password);
  int Remaining() const { return kAllowed - failures_; }
  const std::optional<LoginUser>& AcceptedUser() const { return accepted_; }

 private:
  LoginConfig config_;
  int failures_ = 0;
  std::optional<LoginUser> accepted_;
};
