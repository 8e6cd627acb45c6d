#pragma once

// One program per user session: an exclusive lock on a file in the runtime directory, which
// the kernel releases when the process ends, however it ends.

#include <string>

namespace telvane::app {

class SingleInstanceLock {
 public:
  // Takes the lock named `name` in `dir` (default: $XDG_RUNTIME_DIR, else /tmp).
  explicit SingleInstanceLock(const std::string& name, std::string dir = {});
  ~SingleInstanceLock();
  SingleInstanceLock(const SingleInstanceLock&) = delete;
  SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

  // True when another process holds the lock: this copy must end. A lock file that cannot
  // be made at all does not keep the operator from prompting.
  bool held_elsewhere() const { return held_elsewhere_; }

 private:
  int fd_ = -1;
  bool held_elsewhere_ = false;
};

inline constexpr const char* kInstanceLockName = "Telvane32 PCI Software";

}  // namespace telvane::app
