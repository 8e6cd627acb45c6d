#pragma once

// A real child process with its standard error captured, for tests of whole programs.

#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace telvane::testing {

class ChildProcess {
 public:
  ChildProcess(const std::string& program, const std::vector<std::string>& args,
               const std::map<std::string, std::string>& env);
  ~ChildProcess();

  // Reads standard error until it contains text or the time runs out.
  bool WaitForOutput(const std::string& text, std::chrono::milliseconds timeout);
  // Waits for the exit status (nothing when it is still running after the timeout).
  std::optional<int> WaitForExit(std::chrono::milliseconds timeout);
  const std::string& output() const { return output_; }

 private:
  void ReadAvailable(int timeout_ms);
  pid_t pid_ = -1;
  int stderr_fd_ = -1;
  std::string output_;
  std::optional<int> status_;
};

}  // namespace telvane::testing
