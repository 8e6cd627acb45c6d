#pragma once

#include <string>

namespace telvane::testing {

// A fresh directory under the system's temporary directory, removed with its contents.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The directory with a trailing separator.
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + name; }
  void Write(const std::string& name, const std::string& bytes) const;

 private:
  std::string path_;
};

}  // namespace telvane::testing
