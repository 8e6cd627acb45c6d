#include "app/recent_files.h"

#include <algorithm>

#include "platform/files.h"

namespace telvane::app {

void RecentFiles::Add(const std::string& path) {
  Remove(path);
  entries_.insert(entries_.begin(), path);
  if (entries_.size() > kLimit) entries_.resize(kLimit);
}

void RecentFiles::Remove(const std::string& path) {
  std::erase_if(entries_,
                [&](const std::string& p) { return platform::SameIgnoringCase(p, path); });
}

std::string RecentFiles::Caption(std::size_t index) const {
  if (index >= entries_.size()) return {};
  return "&" + std::to_string(index + 1) + " " + entries_[index];
}

}  // namespace telvane::app
