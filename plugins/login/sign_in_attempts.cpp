// Counting the sign-in tries.
#include "sign_in_attempts.h"

#include "login_accounts.h"

SignInAttempts::Outcome SignInAttempts::Try(const QString& login, const QString& password) {
  if (failures_ >= kAllowed) return Outcome::Exhausted;
  accepted_ = CheckCredentials(config_, login, password);
  if (accepted_) return Outcome::Accepted;
  ++failures_;
  return failures_ >= kAllowed ? Outcome::Exhausted : Outcome::Refused;
}
