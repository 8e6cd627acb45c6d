#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

namespace telvane::platform {

namespace fs = std::filesystem;

Result<std::string> ReadWholeFile(const std::string& path, std::uintmax_t max_bytes) {
  std::error_code ec;
  const auto size = fs::file_size(path, ec);
  if (ec) return Error{path + ": " + ec.message()};
  if (size > max_bytes) return Error{path + ": file too large"};
  std::ifstream in(path, std::ios::binary);
  if (!in) return Error{path + ": " + std::strerror(errno)};
  std::string bytes(static_cast<std::size_t>(size), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

namespace {

Status WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return Error{std::strerror(errno)};
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return {};
}

}  // namespace

Status WriteFileAtomically(const std::string& path, std::string_view bytes) {
  std::random_device rd;
  const std::string temp = path + ".tmp" + std::to_string(rd() % 1000000u);
  mode_t mode = 0644;
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) mode = st.st_mode & 07777;
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  if (fd < 0) return Error{path + ": " + std::strerror(errno)};
  Status written = WriteAll(fd, bytes);
  if (written.ok() && ::fsync(fd) != 0) written = Error{std::strerror(errno)};
  if (::close(fd) != 0 && written.ok()) written = Error{std::strerror(errno)};
  if (written.ok() && ::rename(temp.c_str(), path.c_str()) != 0) {
    written = Error{std::strerror(errno)};
  }
  if (!written.ok()) {
    ::unlink(temp.c_str());
    return Error{path + ": " + written.error().message};
  }
  return {};
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

std::int64_t FileWriteStamp(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return 0;
  // Seconds since 1601 in 100 ns steps, as a file time counts.
  constexpr std::int64_t kEpochDelta = 11644473600LL;
  return (static_cast<std::int64_t>(st.st_mtim.tv_sec) + kEpochDelta) * 10000000LL +
         st.st_mtim.tv_nsec / 100;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         SameIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameIgnoringCase(text.substr(0, prefix.size()), prefix);
}

std::string BaseName(std::string_view path) {
  const auto slash = path.find_last_of('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string DirectoryOf(std::string_view path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string ReplaceExtension(const std::string& path, std::string_view new_ext) {
  const auto slash = path.find_last_of('/');
  const auto dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
    return path + std::string(new_ext);
  }
  return path.substr(0, dot) + std::string(new_ext);
}

}  // namespace telvane::platform
