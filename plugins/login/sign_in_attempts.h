// The sign-in dialog's rule: three wrong tries and the sign-in is refused; and after several
// wrong passwords in a row, kept across restarts, a wait before the next try (sign_in_delays.h).
#pragma once

#include <optional>

#include "login_config.h"
#include "sign_in_delays.h"

class SignInAttempts {
 public:
  static constexpr int kAllowed = 3;
  enum class Outcome { Accepted, Refused, Exhausted, Waiting };

  // `delaysFile` keeps the wrong passwords between runs (SignInDelays::FileBeside).
  SignInAttempts(LoginConfig config, const QString& delaysFile)
      : config_(std::move(config)), delays_(delaysFile) {}

  // Checks one try; Exhausted when it was the last one allowed and failed. Waiting, without
  // looking at the password and without using up a try, while the login must still wait.
  Outcome Try(const QString& login, const QString& password);
  int Remaining() const { return kAllowed - failures_; }
  // Seconds before `login` may try again; 0 when it may now.
  int SecondsToWait(const QString& login) const { return delays_.SecondsToWait(login); }
  const std::optional<LoginUser>& AcceptedUser() const { return accepted_; }

 private:
  LoginConfig config_;
  SignInDelays delays_;
  int failures_ = 0;
  std::optional<LoginUser> accepted_;
};
