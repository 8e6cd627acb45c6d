#pragma once

#include <filesystem>
#include <string>

namespace telvane {

// The directory of the running executable, with a trailing separator: every data file of
// the program lives there.
inline std::string ExecutableDirectory(const char* argv0) {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) exe = std::filesystem::absolute(argv0, ec);
  return exe.parent_path().string() + "/";
}

}  // namespace telvane
