#include "formats/shared_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace telvane::formats {

namespace {

// Byte 0 is held shared by every writer, byte 1 by every holder that denies writers.
constexpr off_t kWriterByte = 0;
constexpr off_t kDenyWritersByte = 1;

bool OthersHold(int fd, off_t byte) {
  struct flock probe {};
  probe.l_type = F_WRLCK;
  probe.l_whence = SEEK_SET;
  probe.l_start = byte;
  probe.l_len = 1;
  if (::fcntl(fd, F_OFD_GETLK, &probe) != 0) return false;
  return probe.l_type != F_UNLCK;
}

bool Hold(int fd, off_t byte) {
  struct flock lock {};
  lock.l_type = F_RDLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = byte;
  lock.l_len = 1;
  return ::fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

}  // namespace

SharedFile::~SharedFile() {
  Close();
}

SharedFile::SharedFile(SharedFile&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

SharedFile& SharedFile::operator=(SharedFile&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

void SharedFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

Result<SharedFile> SharedFile::Open(const std::string& path, Access access, Share share) {
  const int flags = (access == Access::kReadWrite ? O_RDWR : O_RDONLY) | O_CLOEXEC;
  const int fd = ::open(path.c_str(), flags);
  if (fd < 0) return Error{path + ": " + std::strerror(errno)};
  SharedFile file(fd);
  const bool writes = access == Access::kReadWrite;
  const bool denies_writers = share == Share::kReadOnly;
  if ((writes && OthersHold(fd, kDenyWritersByte)) ||
      (denies_writers && OthersHold(fd, kWriterByte))) {
    return Error{path + ": the file is open at another station"};
  }
  if ((writes && !Hold(fd, kWriterByte)) || (denies_writers && !Hold(fd, kDenyWritersByte))) {
    return Error{path + ": " + std::strerror(errno)};
  }
  return file;
}

}  // namespace telvane::formats
