#include "config/list_file.h"

#include <string_view>
#include <utility>

#include "platform/files.h"

namespace telvane::config {

Result<ListFile> ListFile::Load(const std::string& path) {
  ListFile list;
  if (!platform::FileExists(path)) {
    return list;
  }
  auto bytes = platform::ReadWholeFile(path, kMaxFileBytes);
  if (!bytes) {
    return bytes.error();
  }
  std::string_view rest = *bytes;
  while (!rest.empty()) {
    const std::size_t newline = rest.find('\n');
    std::string_view line = rest.substr(0, newline);
    rest.remove_prefix(newline == std::string_view::npos ? rest.size() : newline + 1);
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    list.lines_.emplace_back(line);
  }
  list.loaded_ = true;
  return list;
}

void ListFile::SetLines(std::vector<std::string> lines) {
  lines_ = std::move(lines);
  changed_ = true;
}

Status ListFile::SaveIfNeeded(const std::string& path) const {
  if (!loaded_ && !changed_) {
    return {};
  }
  std::string bytes;
  for (const std::string& line : lines_) {
    bytes += line;
    bytes += "\r\n";
  }
  return platform::WriteFileAtomically(path, bytes);
}

}  // namespace telvane::config
