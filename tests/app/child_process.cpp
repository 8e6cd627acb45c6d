#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

extern char** environ;

namespace telvane::testing {

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args,
                           const std::map<std::string, std::string>& env) {
  int pipe_fds[2];
  if (::pipe2(pipe_fds, O_CLOEXEC) != 0) return;
  pid_ = ::fork();
  if (pid_ == 0) {
    ::dup2(pipe_fds[1], 2);
    const int devnull = ::open("/dev/null", O_RDWR);
    ::dup2(devnull, 0);
    ::dup2(devnull, 1);
    for (const auto& [k, v] : env) ::setenv(k.c_str(), v.c_str(), 1);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(pipe_fds[1]);
  stderr_fd_ = pipe_fds[0];
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0 && !status_) {
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
  if (stderr_fd_ >= 0) ::close(stderr_fd_);
}

void ChildProcess::ReadAvailable(int timeout_ms) {
  if (stderr_fd_ < 0) return;
  pollfd p{stderr_fd_, POLLIN, 0};
  if (::poll(&p, 1, timeout_ms) <= 0) return;
  char buffer[4096];
  const ssize_t n = ::read(stderr_fd_, buffer, sizeof buffer);
  if (n > 0) {
    output_.append(buffer, static_cast<std::size_t>(n));
  } else {
    ::close(stderr_fd_);
    stderr_fd_ = -1;
  }
}

bool ChildProcess::WaitForOutput(const std::string& text, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (output_.find(text) == std::string::npos) {
    if (std::chrono::steady_clock::now() >= end || stderr_fd_ < 0) {
      return output_.find(text) != std::string::npos;
    }
    ReadAvailable(50);
  }
  return true;
}

std::optional<int> ChildProcess::WaitForExit(std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!status_) {
    int status = 0;
    const pid_t r = ::waitpid(pid_, &status, WNOHANG);
    if (r == pid_) {
      status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      break;
    }
    if (std::chrono::steady_clock::now() >= end) break;
    ReadAvailable(20);
  }
  while (stderr_fd_ >= 0 && status_) ReadAvailable(0);
  return status_;
}

}  // namespace telvane::testing
