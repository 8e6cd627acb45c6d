#pragma once

// The host: what the core needs from the platform. The Qt adapters in platform/qt implement it
// for the program; tests/support implements it with a stepped clock and scripted answers.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace telvane::platform {

using Milliseconds = std::int64_t;

struct LocalTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  // Monotonic time in milliseconds; only differences mean anything.
  virtual Milliseconds Now() const = 0;
  virtual LocalTime LocalNow() const = 0;
};

// A repeating timer on the main thread. Start restarts it with a new interval.
class Timer {
 public:
  virtual ~Timer() = default;
  virtual void Start(Milliseconds interval) = 0;
  virtual void Stop() = 0;
  virtual bool IsActive() const = 0;
  virtual Milliseconds Interval() const = 0;
};

class Timers {
 public:
  virtual ~Timers() = default;
  virtual std::unique_ptr<Timer> CreateTimer(std::function<void()> on_tick) = 0;
};

class EventLoop {
 public:
  virtual ~EventLoop() = default;
  // Hands work to the main thread; safe to call from any thread.
  virtual void Post(std::function<void()> work) = 0;
  // Serves events, timers and sockets until the condition holds or the timeout passes (a
  // negative timeout waits without limit). Handlers may run re-entrantly meanwhile.
  virtual bool WaitUntil(const std::function<bool()>& condition, Milliseconds timeout) = 0;
};

enum class BoxKind { kPlain, kInformation, kWarning, kError, kConfirmation };
enum class BoxButtons { kOk, kOkCancel, kYesNo, kYesNoCancel };
enum class BoxAnswer { kOk, kCancel, kYes, kNo };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual BoxAnswer MessageBox(std::string_view text, BoxKind kind, BoxButtons buttons) = 0;
  // File choosers: a full path, or nothing when the operator cancelled.
  virtual std::optional<std::string> ChooseOpenFile(std::string_view title,
                                                    std::string_view start_dir,
                                                    std::string_view filter) = 0;
  virtual std::optional<std::string> ChooseSaveFile(std::string_view title,
                                                    std::string_view start_dir,
                                                    std::string_view filter) = 0;
  // A save chooser whose file type matters: filter_index (1-based) starts the chooser on that
  // entry and returns the one the operator picked; with save_cloaked the chooser also shows
  // a "Save Cloaked" check box that starts and ends in it.
  virtual std::optional<std::string> ChooseSaveFileOfType(std::string_view title,
                                                          std::string_view start_dir,
                                                          std::string_view filter,
                                                          int& filter_index,
                                                          bool* save_cloaked) = 0;
};

// One TCP connection. Events come through the handler given at creation, on the main thread.
struct TcpHandler {
  std::function<void()> on_connected;
  std::function<void(std::span<const std::uint8_t>)> on_data;
  std::function<void()> on_closed;
  std::function<void(std::string)> on_error;
};

class TcpConnection {
 public:
  virtual ~TcpConnection() = default;
  virtual void SetHandler(TcpHandler handler) = 0;
  virtual void Write(std::span<const std::uint8_t> bytes) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  virtual std::string PeerAddress() const = 0;
  // Bytes written and not yet taken by the peer; a peer that stops reading makes it grow.
  virtual std::size_t PendingBytes() const { return 0; }
};

class TcpServer {
 public:
  virtual ~TcpServer() = default;
  // Listens on all interfaces; false when the port cannot be taken. Port 0 takes a free one.
  virtual bool Listen(std::uint16_t port) = 0;
  virtual std::uint16_t Port() const = 0;
  virtual void Close() = 0;
  virtual bool IsListening() const = 0;
};

class Network {
 public:
  virtual ~Network() = default;
  virtual std::unique_ptr<TcpServer> CreateServer(
      std::function<void(std::shared_ptr<TcpConnection>)> on_accept) = 0;
  virtual std::shared_ptr<TcpConnection> Connect(std::string_view host, std::uint16_t port,
                                                 TcpHandler handler) = 0;
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual bool HasText() const = 0;
  virtual std::string Text() const = 0;  // UTF-8
  virtual void SetText(std::string_view utf8) = 0;
};

struct SystemFacts {
  int screen_width = 1024;
  int screen_height = 768;
  int pixels_per_inch = 96;
  int system_font_height = 16;  // text height in the screen's device context
  bool printer_installed = false;
};

// Everything the core reaches of the platform, owned by the program or the test.
struct Host {
  Clock& clock;
  Timers& timers;
  EventLoop& loop;
  Dialogs& dialogs;
  Network& network;
  Clipboard& clipboard;
  SystemFacts facts;
};

}  // namespace telvane::platform
