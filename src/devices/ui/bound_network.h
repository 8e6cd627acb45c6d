#pragma once

// TCP for the presenter display: servers that listen on one chosen address rather than on
// every interface, so a display can be kept to the studio network or to this machine.

#include <QHostAddress>

#include "platform/host.h"
#include "platform/qt/qt_host.h"

namespace telvane::ui {

class BoundNetwork : public platform::Network {
 public:
  explicit BoundNetwork(QHostAddress address) : address_(std::move(address)) {}
  std::unique_ptr<platform::TcpServer> CreateServer(
      std::function<void(std::shared_ptr<platform::TcpConnection>)> on_accept) override;
  std::shared_ptr<platform::TcpConnection> Connect(std::string_view host, std::uint16_t port,
                                                   platform::TcpHandler handler) override {
    return outgoing_.Connect(host, port, std::move(handler));
  }

 private:
  QHostAddress address_;
  platform::qt::QtNetwork outgoing_;
};

}  // namespace telvane::ui
