// Writing an output file whole or not at all. Every document, export, backup and settings file
// the program writes goes first to a temporary file beside its target (in the same folder, so
// the final rename never crosses disks) and replaces the target only when every write
// succeeded and the data reached the disk. On any failure the temporary file is removed and an
// older file of that name stays as it was. A target that is a folder, a device, a FIFO or a
// socket is refused: it is never replaced by a regular file.
//
// New files are readable and writable by their owner only, since what the program writes holds
// personal data; a file that is replaced keeps its permissions unless OwnerOnly narrows them.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

#include "core/app_error.h"

class QIODevice;

// An output file that could not be written: "Файлът „…“ не може да бъде записан: <причина>."
class FileWriteError : public AppError {
 public:
  FileWriteError(const QString& path, const QString& reason);
  const QString& Path() const { return path_; }
  const QString& Reason() const { return reason_; }

 private:
  QString path_;
  QString reason_;
};

// Why `target` cannot be written as a regular file (it is a folder, a device, a FIFO or a
// socket; its folder is missing or is not a folder); empty when it can.
QString OutputTargetProblem(const QString& target);

enum class OutputPermissions {
  KeepExisting,  // a replaced file keeps its permissions; a new one is the owner's only
  OwnerOnly,     // the result is the owner's only, whatever the replaced file allowed
};

class OutputFile {
 public:
  // Checks the target and creates the temporary file, empty. FileWriteError when the target is
  // refused or the temporary file cannot be made.
  explicit OutputFile(const QString& target, OutputPermissions permissions = OutputPermissions::KeepExisting);
  ~OutputFile();  // removes the temporary file unless it was committed
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // The file to be replaced, symbolic links followed: the link stays, the file it names changes.
  const QString& Target() const { return target_; }
  // The temporary file, for writers that open a file by its name (and may replace it).
  const QString& TemporaryPath() const { return temporary_; }
  // A device open for writing into the temporary file. A failed write is remembered; further
  // writes fail at once and Commit reports the system's reason.
  QIODevice& Device();
  // Writes through Device(); FileWriteError when the write failed.
  void Write(const QByteArray& bytes);
  // Hands what Device() holds to the file, for a writer that reads the temporary file by its
  // name afterwards. FileWriteError when the write failed.
  void Flush();

  // Checks that every write through Device() succeeded, flushes the temporary file to the disk,
  // gives it its permissions and renames it over the target. FileWriteError on failure; the
  // target is then as it was.
  void Commit();

 private:
  [[noreturn]] void Fail(int errorNumber) const;

  class Sink;
  QString requested_;  // as the caller named it, for messages
  QString target_;
  QString temporary_;
  OutputPermissions permissions_;
  bool targetExisted_ = false;
  unsigned targetMode_ = 0;
  int descriptor_ = -1;
  std::unique_ptr<Sink> sink_;
  bool committed_ = false;
};

// A test hook in the seams' style: the room left on the disk for an output file, in bytes. A
// write through Device() past it fails, and Commit refuses a file that a writer wrote by name
// past it, both as on a full disk (ENOSPC); for the tests that cannot limit a file's size any
// other way (the embedded database does not run under a file-size limit). An empty function,
// the default and all there is outside tests, leaves the disk's own room.
using DiskRoomHook = std::function<qint64(const QString& target)>;
void SetDiskRoomHook(DiskRoomHook hook);

// Writes `bytes` as the whole of `target`. FileWriteError on failure.
void WriteWholeFile(const QString& target, const QByteArray& bytes,
                    OutputPermissions permissions = OutputPermissions::KeepExisting);
