// Hashing and checking passwords with libsodium's crypto_pwhash_str (argon2id).
#include "password_hash.h"

#include <sodium.h>

#include <QByteArray>

#include "login_config.h"

namespace {
void InitSodium() {
  if (sodium_init() < 0) throw LoginError(QStringLiteral("Библиотеката libsodium не може да бъде заредена."));
}

// The password's UTF-8 bytes, wiped when they go out of scope.
class SecretBytes {
 public:
  explicit SecretBytes(const QString& text) : bytes_(text.toUtf8()) {}
  ~SecretBytes() { sodium_memzero(bytes_.data(), size_t(bytes_.size())); }
  SecretBytes(const SecretBytes&) = delete;
  SecretBytes& operator=(const SecretBytes&) = delete;
  const char* Data() const { return bytes_.constData(); }
  unsigned long long Size() const { return static_cast<unsigned long long>(bytes_.size()); }

 private:
  QByteArray bytes_;
};
}  // namespace

QString HashPassword(const QString& password) {
  InitSodium();
  SecretBytes secret(password);
  char hash[crypto_pwhash_STRBYTES];
  if (crypto_pwhash_str(hash, secret.Data(), secret.Size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                        crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
    throw LoginError(QStringLiteral("Паролата не може да бъде обработена: няма достатъчно памет."));
  return QString::fromLatin1(hash);
}

bool VerifyPassword(const QString& passwordHash, const QString& password) {
  InitSodium();
  const QByteArray hash = passwordHash.toLatin1();
  if (hash.isEmpty() || hash.size() >= crypto_pwhash_STRBYTES) return false;
  SecretBytes secret(password);
  return crypto_pwhash_str_verify(hash.constData(), secret.Data(), secret.Size()) == 0;
}
