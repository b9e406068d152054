// The state file holds one line per login name: the name in hexadecimal UTF-8 (so that any
// name fits on one line), the count of wrong passwords in a row and the moment of the last one.
#include "sign_in_delays.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtDebug>
#include <algorithm>

#include "core/clock.h"
#include "core/output_file.h"

namespace {
qint64 NowSeconds() { return Clock::Now().toSecsSinceEpoch(); }
}  // namespace

SignInDelays::SignInDelays(QString stateFile) : file_(std::move(stateFile)) {
  QFile file(file_);
  if (!file.exists()) return;
  if (!file.open(QIODevice::ReadOnly)) {
    qWarning().noquote() << QStringLiteral("Файлът %1 с неуспешните опити за вход не може да бъде прочетен.").arg(file_);
    return;
  }
  for (const QByteArray& line : file.readAll().split('\n')) {
    const QList<QByteArray> fields = line.trimmed().split(' ');
    if (fields.size() != 3) continue;  // a damaged line counts as no failure
    bool countRead = false;
    bool momentRead = false;
    Entry entry{fields[1].toInt(&countRead), fields[2].toLongLong(&momentRead)};
    const QString login = QString::fromUtf8(QByteArray::fromHex(fields[0]));
    if (countRead && momentRead && entry.failures > 0 && !login.isEmpty()) entries_.insert(login, entry);
  }
}

int SignInDelays::DelayAfter(int failures) {
  if (failures <= kFailuresBeforeDelay) return 0;
  const int doublings = failures - kFailuresBeforeDelay - 1;
  if (doublings >= 30) return kLongestDelaySeconds;
  return std::min(1 << doublings, kLongestDelaySeconds);
}

QString SignInDelays::FileBeside(const QString& configPath) {
  return QFileInfo(configPath).absoluteDir().filePath(QStringLiteral("sign_in_attempts.txt"));
}

int SignInDelays::SecondsToWait(const QString& login) const {
  const auto found = entries_.constFind(login);
  if (found == entries_.cend()) return 0;
  const qint64 delay = DelayAfter(found->failures);
  // A clock put back does not lengthen the wait beyond one whole delay.
  const qint64 left = std::min(delay, found->lastFailure + delay - NowSeconds());
  return left > 0 ? int(left) : 0;
}

void SignInDelays::RecordFailure(const QString& login) {
  Entry& entry = entries_[login];
  entry.failures = std::min(entry.failures + 1, 1000);
  entry.lastFailure = NowSeconds();
  while (entries_.size() > kMostLoginsKept) {
    auto oldest = entries_.end();
    for (auto it = entries_.begin(); it != entries_.end(); ++it)
      if (it.key() != login && (oldest == entries_.end() || it->lastFailure < oldest->lastFailure)) oldest = it;
    entries_.erase(oldest);
  }
  Save();
}

void SignInDelays::RecordSuccess(const QString& login) {
  if (entries_.remove(login) > 0) Save();
}

void SignInDelays::Save() const {
  QByteArray text;
  for (auto it = entries_.cbegin(); it != entries_.cend(); ++it)
    text += it.key().toUtf8().toHex() + ' ' + QByteArray::number(it->failures) + ' ' +
            QByteArray::number(it->lastFailure) + '\n';
  try {
    WriteWholeFile(file_, text, OutputPermissions::OwnerOnly);
  } catch (const FileWriteError& error) {
    qWarning().noquote() << error.Message();
  }
}

QString TooManyAttemptsText(int seconds) {
  return QStringLiteral("Твърде много неуспешни опита. Опитайте отново след %1 %2.")
      .arg(seconds)
      .arg(seconds == 1 ? QStringLiteral("секунда") : QStringLiteral("секунди"));
}
