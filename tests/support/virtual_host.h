#pragma once

// A host for core tests: time moves only when the test steps it, dialogue answers are
// scripted, and sockets are in-memory pairs.

#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/stepped_time.h"

namespace telvane::testing {

using platform::BoxAnswer;
using platform::BoxButtons;
using platform::BoxKind;
using platform::Milliseconds;

using VirtualClock = platform::SteppedClock;
using VirtualTimers = platform::SteppedTimers;

class VirtualLoop : public platform::EventLoop {
 public:
  VirtualLoop(VirtualClock& clock, VirtualTimers& timers) : clock_(clock), timers_(timers) {}
  // Safe from any thread, as workers post their results here.
  void Post(std::function<void()> work) override;
  bool WaitUntil(const std::function<bool()>& condition, Milliseconds timeout) override;

  // Moves time forward by ms, running posted work and due timers on the way.
  void Advance(Milliseconds ms);
  void RunPosted();
  // Runs posted work until the condition holds, waiting in real time for worker threads.
  bool WaitForWorkers(const std::function<bool()>& condition, std::chrono::milliseconds limit);
  // Called on every step of WaitUntil and Advance, before the timers (tests hook peers here).
  std::function<void()> on_step;

 private:
  void StepTo(Milliseconds target);
  VirtualClock& clock_;
  VirtualTimers& timers_;
  std::mutex posted_mutex_;
  std::deque<std::function<void()>> posted_;
};

// Answers message boxes from a script; records every box asked.
class ScriptedDialogs : public platform::Dialogs {
 public:
  struct Asked {
    std::string text;
    BoxKind kind;
    BoxButtons buttons;
  };
  BoxAnswer MessageBox(std::string_view text, BoxKind kind, BoxButtons buttons) override;
  std::optional<std::string> ChooseOpenFile(std::string_view, std::string_view,
                                            std::string_view) override;
  std::optional<std::string> ChooseSaveFile(std::string_view, std::string_view,
                                            std::string_view) override;

  std::deque<BoxAnswer> answers;  // taken in order; when empty, boxes answer their first button
  std::optional<std::string> ChooseSaveFileOfType(std::string_view, std::string_view,
                                                  std::string_view, int& filter_index,
                                                  bool* save_cloaked) override;

  std::deque<std::optional<std::string>> files;
  std::deque<int> filter_indexes;  // the file type picked with each file, when given
  std::deque<bool> save_cloaked;   // the "Save Cloaked" box as left with each file, when given
  std::vector<Asked> asked;
};

class MemoryConnection;

// In-memory TCP: servers by port; Connect pairs two MemoryConnections. Bytes are delivered
// when the loop steps (Deliver), as a real socket would deliver them later.
class MemoryNetwork : public platform::Network {
 public:
  std::unique_ptr<platform::TcpServer> CreateServer(
      std::function<void(std::shared_ptr<platform::TcpConnection>)> on_accept) override;
  std::shared_ptr<platform::TcpConnection> Connect(std::string_view host, std::uint16_t port,
                                                   platform::TcpHandler handler) override;
  // Delivers every queued byte and event; returns whether anything happened.
  bool Deliver();

 private:
  friend class MemoryServer;
  friend class MemoryConnection;
  std::map<std::uint16_t, std::function<void(std::shared_ptr<platform::TcpConnection>)>> servers_;
  std::deque<std::function<void()>> events_;
};

class MemoryClipboard : public platform::Clipboard {
 public:
  bool HasText() const override { return !text_.empty(); }
  std::string Text() const override { return text_; }
  void SetText(std::string_view utf8) override { text_ = std::string(utf8); }

 private:
  std::string text_;
};

// All of the above, wired into one platform::Host.
class VirtualHost {
 public:
  VirtualHost();
  platform::Host& host() { return host_; }

  VirtualClock clock;
  VirtualTimers timers{clock};
  VirtualLoop loop{clock, timers};
  ScriptedDialogs dialogs;
  MemoryNetwork network;
  MemoryClipboard clipboard;

 private:
  platform::Host host_;
};

}  // namespace telvane::testing
