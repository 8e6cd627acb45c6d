#pragma once

// Makes writes past a size fail for the whole process, also for root, which ignores file
// permissions: the way to make a save fail part way in a test.

#include <signal.h>
#include <sys/resource.h>

namespace telvane::testing {

class WriteLimit {
 public:
  explicit WriteLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~WriteLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    ::signal(SIGXFSZ, previous_);
  }
  WriteLimit(const WriteLimit&) = delete;
  WriteLimit& operator=(const WriteLimit&) = delete;

 private:
  rlimit saved_{};
  sighandler_t previous_ = SIG_DFL;
};

}  // namespace telvane::testing
