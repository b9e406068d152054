// Counting the sign-in tries.
#include "sign_in_attempts.h"

#include "login_accounts.h"

SignInAttempts::Outcome SignInAttempts::Try(const QString& login, const QString& password) {
  if (failures_ >= kAllowed) return Outcome::Exhausted;
  if (delays_.SecondsToWait(login) > 0) return Outcome::Waiting;
  accepted_ = CheckCredentials(config_, login, password);
  if (accepted_) {
    delays_.RecordSuccess(login);
    return Outcome::Accepted;
  }
  delays_.RecordFailure(login);
  ++failures_;
  return failures_ >= kAllowed ? Outcome::Exhausted : Outcome::Refused;
}
