// Test fixture: while it lives, a write that would make any file of this process (or of the
// programs it starts) larger than `bytes` fails with EFBIG, as a write on a full disk fails,
// without a small disk of its own (which needs root). SIGXFSZ is ignored so that the write
// reports the failure instead of ending the process.
#pragma once

#include <sys/resource.h>

#include <csignal>

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &saved_);
    SetLimit(bytes);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  // For a child process (QProcess::setChildProcessModifier): the same limit, set in the child.
  static void Apply(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    SetLimit(bytes);
  }

 private:
  static void SetLimit(rlim_t bytes) {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }

  rlimit saved_{};
  void (*previous_)(int) = SIG_DFL;
};
