#pragma once

// The presenter display's end of the network card: it listens for the operator's program,
// feeds the words that arrive to the soft card it hosts and sends the card's events back.
// One program at a time; a new connection replaces the old one, as the program reconnects
// after a network fault before the old connection is known to be dead.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "devices/network_card_protocol.h"
#include "devices/soft_card.h"
#include "platform/host.h"

namespace telvane::devices {

class DisplayLink {
 public:
  DisplayLink(platform::Network& network, SoftCard& card);
  ~DisplayLink();
  DisplayLink(const DisplayLink&) = delete;
  DisplayLink& operator=(const DisplayLink&) = delete;

  // Port 0 takes a free one.
  Status Listen(std::uint16_t port);
  std::uint16_t port() const;
  bool connected() const { return connection_ != nullptr; }

  // Sends what the card has said since the last call; call after ticks and hand keys.
  // Without a program to hear them the events are dropped.
  void FlushEvents();
  // Lets go of connections closed since the last call; call from the display's frame tick.
  void ReleaseClosed() { retired_.clear(); }

  // Connections, departures and refused streams, for the display's log.
  std::function<void(const std::string&)> on_log;

 private:
  void Accept(std::shared_ptr<platform::TcpConnection> connection);
  void OnData(int generation, std::span<const std::uint8_t> bytes);
  void Drop(int generation, const std::string& reason);
  void Log(const std::string& text) const;

  platform::Network& network_;
  SoftCard& card_;
  std::unique_ptr<platform::TcpServer> server_;
  std::shared_ptr<platform::TcpConnection> connection_;
  std::vector<std::shared_ptr<platform::TcpConnection>> retired_;
  int generation_ = 0;
  netcard::FrameReader reader_{netcard::FrameReader::Side::kDisplay};
};

// A hand controller's speed key: one step toward 60 (up) or 4 (down), passing over the speeds
// around stop that stand still, so that one press from stop starts the crawl.
int StepHandSpeed(int speed, bool up);

}  // namespace telvane::devices
