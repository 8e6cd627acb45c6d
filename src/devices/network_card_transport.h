#pragma once

// The network card: the card exchange over TCP to a presenter display, which hosts a soft
// card. The transport connects out, is not ready while the display is away, and tries again
// on a timer until the display is back.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "devices/card_transport.h"
#include "devices/network_card_protocol.h"
#include "platform/host.h"

namespace telvane::devices {

class NetworkCardTransport : public CardTransport {
 public:
  struct Options {
    std::string host = "127.0.0.1";
    std::uint16_t port = 5290;
    platform::Milliseconds retry_ms = 1000;
    // Attempts that have not connected after this many retry periods are given up and made
    // afresh.
    int connect_patience = 3;
    // Words on their way that the display has not yet taken; beyond this the display is
    // taken to be stuck and the link is dropped.
    std::size_t max_in_flight_bytes = std::size_t{16} << 20;
    std::size_t max_pending_event_bytes = 64 * 1024;
  };
  struct Handlers {
    std::function<void()> on_link_up;
    // The reason is for the operator: why the display went away.
    std::function<void(const std::string&)> on_link_lost;
  };

  NetworkCardTransport(platform::Network& network, platform::Timers& timers, Options options);
  ~NetworkCardTransport() override;
  NetworkCardTransport(const NetworkCardTransport&) = delete;
  NetworkCardTransport& operator=(const NetworkCardTransport&) = delete;

  // Handlers run on the main thread from socket events; they must not destroy the transport.
  void SetHandlers(Handlers handlers) { handlers_ = std::move(handlers); }

  CardKind kind() const override { return CardKind::kNetwork; }
  bool ready() const override { return connected_; }
  bool Write(std::span<const std::uint32_t> words) override;
  void Read(std::vector<std::uint8_t>& bytes, std::size_t max_bytes) override;

  const Options& options() const { return options_; }
  std::size_t in_flight_bytes() const { return in_flight_total_; }

 private:
  void Connect();
  void OnRetryTick();
  void OnConnected(int generation);
  void OnData(int generation, std::span<const std::uint8_t> bytes);
  void LinkDown(int generation, const std::string& reason);

  platform::Network& network_;
  Options options_;
  Handlers handlers_;
  std::unique_ptr<platform::Timer> retry_;
  std::shared_ptr<platform::TcpConnection> connection_;
  // Connections given up; they are let go on the next timer tick, never inside their own
  // event handlers.
  std::vector<std::shared_ptr<platform::TcpConnection>> retired_;
  int generation_ = 0;
  int waited_ticks_ = 0;
  bool connected_ = false;
  netcard::FrameReader reader_{netcard::FrameReader::Side::kProgram};
  std::vector<std::uint8_t> events_;
  std::deque<std::size_t> in_flight_;  // bytes of each words frame not yet taken
  std::size_t in_flight_total_ = 0;
};

}  // namespace telvane::devices
