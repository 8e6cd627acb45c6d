#pragma once

// A list of lines kept in a text file of the program directory ("newstar.txt", "brackets.txt",
// "breaks.txt"). It is written back only when it was read from its file or changed since, so a
// file that could not be read is never replaced by an empty list.

#include <cstddef>
#include <string>
#include <vector>

#include "platform/result.h"

namespace telvane::config {

class ListFile {
 public:
  static constexpr std::size_t kMaxFileBytes = std::size_t{1024} * 1024;

  ListFile() = default;

  // A missing file gives an empty list; a file that exists but cannot be read is an error.
  // Lines end in LF or CR LF.
  static Result<ListFile> Load(const std::string& path);

  const std::vector<std::string>& lines() const { return lines_; }
  void SetLines(std::vector<std::string> lines);

  // Writes the lines, each ending in CR LF, when the list was read or changed; otherwise the
  // file is left as it is.
  Status SaveIfNeeded(const std::string& path) const;

 private:
  std::vector<std::string> lines_;
  bool loaded_ = false;
  bool changed_ = false;
};

}  // namespace telvane::config
