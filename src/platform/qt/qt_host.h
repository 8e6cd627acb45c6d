#pragma once

// The Qt implementation of the host: timers, the event loop, message boxes, sockets and the
// clipboard of a running program.

#include <QColor>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include "platform/host.h"

namespace telvane::platform::qt {

class QtClock : public Clock {
 public:
  QtClock() { elapsed_.start(); }
  Milliseconds Now() const override { return elapsed_.elapsed(); }
  LocalTime LocalNow() const override;

 private:
  QElapsedTimer elapsed_;
};

class QtTimers : public Timers {
 public:
  std::unique_ptr<Timer> CreateTimer(std::function<void()> on_tick) override;
};

class QtEventLoop : public EventLoop {
 public:
  void Post(std::function<void()> work) override;
  bool WaitUntil(const std::function<bool()>& condition, Milliseconds timeout) override;
};

class QtDialogs : public Dialogs {
 public:
  // Boxes are centred on the parent when there is one.
  void SetParent(QWidget* parent) { parent_ = parent; }
  BoxAnswer MessageBox(std::string_view text, BoxKind kind, BoxButtons buttons) override;
  std::optional<std::string> ChooseOpenFile(std::string_view title, std::string_view start_dir,
                                            std::string_view filter) override;
  std::optional<std::string> ChooseSaveFile(std::string_view title, std::string_view start_dir,
                                            std::string_view filter) override;
  std::optional<std::string> ChooseSaveFileOfType(std::string_view title,
                                                  std::string_view start_dir,
                                                  std::string_view filter, int& filter_index,
                                                  bool* save_cloaked) override;

 private:
  QPointer<QWidget> parent_;
};

class QtNetwork : public Network {
 public:
  // Servers listen on every interface unless an address keeps them to one network (a
  // presenter display kept to the studio network or to this machine).
  explicit QtNetwork(QHostAddress listen_address = QHostAddress::Any)
      : listen_address_(std::move(listen_address)) {}
  std::unique_ptr<TcpServer> CreateServer(
      std::function<void(std::shared_ptr<TcpConnection>)> on_accept) override;
  std::shared_ptr<TcpConnection> Connect(std::string_view host, std::uint16_t port,
                                         TcpHandler handler) override;

 private:
  QHostAddress listen_address_;
};

class QtClipboard : public Clipboard {
 public:
  bool HasText() const override;
  std::string Text() const override;
  void SetText(std::string_view utf8) override;
};

// The whole host of the program.
class QtHost {
 public:
  QtHost();
  Host& host() { return host_; }
  QtDialogs& dialogs() { return dialogs_; }

 private:
  QtClock clock_;
  QtTimers timers_;
  QtEventLoop loop_;
  QtDialogs dialogs_;
  QtNetwork network_;
  QtClipboard clipboard_;
  Host host_;
};

// Catalogue texts are code page 1252; Qt wants UTF-16.
QString FromCatalogue(std::string_view bytes);

// A colour as the configuration stores it (0x00BBGGRR, or 0xFF0000nn for the system's colour
// nn: 13 highlight, 14 highlighted text).
QColor ColourOf(std::uint32_t value);

}  // namespace telvane::platform::qt
