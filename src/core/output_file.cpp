// The temporary file beside the target, written through a file descriptor so that the
// system's reason for a failed write is known, and renamed over the target when complete.
#include "core/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <cerrno>
#include <cstdlib>

#include "core/file_error_reason.h"

namespace {
constexpr mode_t kOwnerOnlyMode = S_IRUSR | S_IWUSR;
constexpr int kMaxLinkHops = 40;
constexpr int kTemporaryNameChars = 64;  // of the target's name, so the temporary name stays short

// The file a path names once symbolic links are followed (a dangling link names the file it
// would create). A loop stops after kMaxLinkHops; the checks then report it.
QString ResolvedTarget(const QString& path) {
  QString current = QFileInfo(path).absoluteFilePath();
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    const QFileInfo info(current);
    if (!info.isSymLink()) return current;
    current = info.symLinkTarget();
  }
  return current;
}

QString NotARegularFile(mode_t mode) {
  if (S_ISDIR(mode)) return QStringLiteral("това е папка, а не файл");
  if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("това е устройство, а не обикновен файл");
  if (S_ISFIFO(mode)) return QStringLiteral("това е именуван канал (FIFO), а не обикновен файл");
  if (S_ISSOCK(mode)) return QStringLiteral("това е сокет, а не обикновен файл");
  if (!S_ISREG(mode)) return QStringLiteral("това не е обикновен файл");
  return {};
}

int WriteAll(int descriptor, const char* data, qint64 size) {
  while (size > 0) {
    const ssize_t written = ::write(descriptor, data, static_cast<size_t>(size));
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (written == 0) return EIO;
    data += written;
    size -= written;
  }
  return 0;
}

DiskRoomHook& InstalledDiskRoom() {
  static DiskRoomHook hook;
  return hook;
}

// The room the test hook leaves for `target`, or -1 for the disk's own.
qint64 DiskRoom(const QString& target) { return InstalledDiskRoom() ? InstalledDiskRoom()(target) : -1; }

void SyncFolder(const QString& folder) {
  // Makes the rename itself durable; a file system that cannot do it has nothing to lose here.
  const int descriptor = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  ::fsync(descriptor);
  ::close(descriptor);
}
}  // namespace

FileWriteError::FileWriteError(const QString& path, const QString& reason)
    : AppError(QStringLiteral("Файлът „%1“ не може да бъде записан: %2.").arg(QDir::toNativeSeparators(path), reason)),
      path_(path),
      reason_(reason) {}

QString OutputTargetProblem(const QString& target) {
  if (target.isEmpty() || QFileInfo(target).fileName().isEmpty()) return QStringLiteral("не е посочено име на файл");
  const QString resolved = ResolvedTarget(target);
  struct stat status {};
  if (::stat(QFile::encodeName(resolved).constData(), &status) == 0) return NotARegularFile(status.st_mode);
  if (errno != ENOENT && errno != ENOTDIR) return FileErrorReason(errno);
  const QString folder = QFileInfo(resolved).absolutePath();
  if (::stat(QFile::encodeName(folder).constData(), &status) != 0) {
    if (errno == ENOENT)
      return QStringLiteral("папката „%1“ не съществува").arg(QDir::toNativeSeparators(folder));
    return FileErrorReason(errno);
  }
  if (!S_ISDIR(status.st_mode)) return QStringLiteral("„%1“ не е папка").arg(QDir::toNativeSeparators(folder));
  return {};
}

void SetDiskRoomHook(DiskRoomHook hook) { InstalledDiskRoom() = std::move(hook); }

// Writes into the temporary file's descriptor through a buffer of its own; the first failure
// is kept, and every write after it fails.
class OutputFile::Sink : public QIODevice {
 public:
  Sink(int descriptor, qint64 room) : descriptor_(descriptor), room_(room) {
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
  }
  bool isSequential() const override { return true; }
  int Error() const { return error_; }

  bool Flush() {
    if (error_ == 0 && !buffer_.isEmpty()) {
      qint64 size = buffer_.size();
      if (room_ >= 0 && written_ + size > room_) size = room_ - written_;  // the test hook's full disk
      error_ = WriteAll(descriptor_, buffer_.constData(), size);
      if (error_ == 0 && size < buffer_.size()) error_ = ENOSPC;
      written_ += size;
      buffer_.clear();
      if (error_ != 0) setErrorString(FileErrorReason(error_));
    }
    return error_ == 0;
  }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 size) override {
    if (error_ != 0) return -1;
    buffer_.append(data, size);
    if (buffer_.size() >= kChunk && !Flush()) return -1;
    return size;
  }

 private:
  static constexpr qsizetype kChunk = 1 << 18;
  int descriptor_;
  qint64 room_;
  qint64 written_ = 0;
  int error_ = 0;
  QByteArray buffer_;
};

OutputFile::OutputFile(const QString& target, OutputPermissions permissions)
    : requested_(target), target_(ResolvedTarget(target)), permissions_(permissions) {
  if (const QString problem = OutputTargetProblem(target); !problem.isEmpty()) throw FileWriteError(requested_, problem);
  struct stat status {};
  if (::stat(QFile::encodeName(target_).constData(), &status) == 0) {
    targetExisted_ = true;
    targetMode_ = status.st_mode & 07777;
  }
  const QFileInfo info(target_);
  // Hidden, and named after the target so that one left behind by a power cut explains itself.
  QByteArray pattern =
      QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName().left(kTemporaryNameChars) +
                        QStringLiteral(".")) +
      "XXXXXX";
  descriptor_ = ::mkostemp(pattern.data(), O_CLOEXEC);  // made with mode 0600
  if (descriptor_ < 0) Fail(errno);
  temporary_ = QFile::decodeName(pattern);
}

OutputFile::~OutputFile() {
  sink_.reset();
  if (descriptor_ >= 0) ::close(descriptor_);
  if (!committed_ && !temporary_.isEmpty()) ::unlink(QFile::encodeName(temporary_).constData());
}

QIODevice& OutputFile::Device() {
  if (!sink_) sink_ = std::make_unique<Sink>(descriptor_, DiskRoom(target_));
  return *sink_;
}

void OutputFile::Write(const QByteArray& bytes) {
  if (Device().write(bytes) != bytes.size()) Fail(sink_->Error());
}

void OutputFile::Flush() {
  if (sink_ && !sink_->Flush()) Fail(sink_->Error());
}

void OutputFile::Fail(int errorNumber) const { throw FileWriteError(requested_, FileErrorReason(errorNumber)); }

void OutputFile::Commit() {
  if (sink_) {
    if (!sink_->Flush()) Fail(sink_->Error());
    sink_->close();
  }
  if (descriptor_ >= 0) {
    const int closed = ::close(descriptor_);
    descriptor_ = -1;
    if (closed != 0 && errno != EINTR) Fail(errno);
  }
  // Opened again by name: a writer that works by name may have put a new file there.
  const QByteArray temporary = QFile::encodeName(temporary_);
  const int descriptor = ::open(temporary.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (descriptor < 0) Fail(errno);
  struct stat status {};
  int error = 0;
  if (::fstat(descriptor, &status) != 0) error = errno;
  else if (!S_ISREG(status.st_mode)) error = EINVAL;
  else if (const qint64 room = DiskRoom(target_); room >= 0 && status.st_size > room) error = ENOSPC;
  else if (::fsync(descriptor) != 0) error = errno;
  if (error == 0) {
    const bool ownerOnly = permissions_ == OutputPermissions::OwnerOnly || !targetExisted_;
    // A replaced file on a file system without permissions keeps what it can; a private one
    // that cannot be made private is not written.
    if (::fchmod(descriptor, ownerOnly ? kOwnerOnlyMode : targetMode_) != 0 &&
        permissions_ == OutputPermissions::OwnerOnly)
      error = errno;
  }
  ::close(descriptor);
  if (error != 0) Fail(error);
  if (::rename(temporary.constData(), QFile::encodeName(target_).constData()) != 0) Fail(errno);
  committed_ = true;
  SyncFolder(QFileInfo(target_).absolutePath());
}

void WriteWholeFile(const QString& target, const QByteArray& bytes, OutputPermissions permissions) {
  OutputFile file(target, permissions);
  file.Write(bytes);
  file.Commit();
}
