#pragma once

// Files shared between stations with the share rules the stations have always followed: a
// station that holds the script open for writing keeps the others from writing it, and lets
// them read it. The rules are carried by open-file-description locks, which the kernel drops
// when a process ends.

#include <string>

#include "platform/result.h"

namespace telvane::formats {

enum class Access { kRead, kReadWrite };
enum class Share { kReadAndWrite, kReadOnly };  // what others may still do

class SharedFile {
 public:
  SharedFile() = default;
  ~SharedFile();
  SharedFile(SharedFile&& other) noexcept;
  SharedFile& operator=(SharedFile&& other) noexcept;
  SharedFile(const SharedFile&) = delete;
  SharedFile& operator=(const SharedFile&) = delete;

  // Fails when the file is missing, or when another holder's share rule refuses this open:
  // writing while someone denies writers, or denying writers while someone writes.
  static Result<SharedFile> Open(const std::string& path, Access access, Share share);

  bool is_open() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  void Close();

 private:
  explicit SharedFile(int fd) : fd_(fd) {}
  int fd_ = -1;
};

}  // namespace telvane::formats
