#include "app/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>

namespace telvane::app {

SingleInstanceLock::SingleInstanceLock(const std::string& name, std::string dir) {
  if (dir.empty()) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    dir = runtime != nullptr && *runtime != '\0' ? runtime : "/tmp";
  }
  const std::string path = dir + "/" + name + ".lock";
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    held_elsewhere_ = true;
    ::close(fd);
    return;
  }
  fd_ = fd;
}

SingleInstanceLock::~SingleInstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace telvane::app
