#pragma once

// The recent-files list of the File menu: at most four full paths, most recent first.

#include <string>
#include <vector>

namespace telvane::app {

class RecentFiles {
 public:
  static constexpr std::size_t kLimit = 4;

  // An opened file goes to the top; an entry already in the list moves there, and the list is
  // cut to four from the end. Paths are compared without regard to case.
  void Add(const std::string& path);
  // A recent entry that no longer exists is dropped.
  void Remove(const std::string& path);
  const std::vector<std::string>& entries() const { return entries_; }
  // "&1 " to "&4 " and the path; empty for an index without an entry.
  std::string Caption(std::size_t index) const;

 private:
  std::vector<std::string> entries_;
};

}  // namespace telvane::app
