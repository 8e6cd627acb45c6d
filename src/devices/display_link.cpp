#include "devices/display_link.h"

#include <algorithm>

namespace telvane::devices {

namespace {
constexpr int kStop = 32;
constexpr int kStillLow = 29;
constexpr int kStillHigh = 35;
}  // namespace

int StepHandSpeed(int speed, bool up) {
  int next = std::clamp(speed + (up ? 1 : -1), 4, 60);
  if (speed == kStop) {
    next = up ? kStillHigh + 1 : kStillLow - 1;
  } else if (next >= kStillLow && next <= kStillHigh) {
    next = kStop;
  }
  return next;
}

DisplayLink::DisplayLink(platform::Network& network, SoftCard& card)
    : network_(network), card_(card) {}

DisplayLink::~DisplayLink() {
  if (connection_) retired_.push_back(std::move(connection_));
  for (const auto& connection : retired_) {
    connection->SetHandler({});
    connection->Close();
  }
}

Status DisplayLink::Listen(std::uint16_t port) {
  server_ = network_.CreateServer([this](std::shared_ptr<platform::TcpConnection> connection) {
    Accept(std::move(connection));
  });
  if (!server_->Listen(port)) return Error{"port " + std::to_string(port) + " is taken"};
  return {};
}

std::uint16_t DisplayLink::port() const {
  return server_ ? server_->Port() : 0;
}

void DisplayLink::Log(const std::string& text) const {
  if (on_log) on_log(text);
}

void DisplayLink::Accept(std::shared_ptr<platform::TcpConnection> connection) {
  if (connection_) Drop(generation_, "replaced by a new connection");
  const int generation = ++generation_;
  reader_ = netcard::FrameReader(netcard::FrameReader::Side::kDisplay);
  platform::TcpHandler handler;
  handler.on_data = [this, generation](std::span<const std::uint8_t> bytes) {
    OnData(generation, bytes);
  };
  handler.on_closed = [this, generation] { Drop(generation, "the program closed the connection"); };
  handler.on_error = [this, generation](const std::string& error) { Drop(generation, error); };
  connection->SetHandler(std::move(handler));
  Log("program connected from " + connection->PeerAddress());
  connection_ = std::move(connection);
  // What the card said while nobody listened is of no use to a program that has just come.
  static_cast<void>(card_.TakeEvents());
}

void DisplayLink::OnData(int generation, std::span<const std::uint8_t> bytes) {
  if (generation != generation_ || !connection_) return;
  if (Status status = reader_.Receive(bytes); !status) {
    Drop(generation, "refused the stream: " + status.error().message);
    return;
  }
  while (reader_.HasFrame()) {
    const netcard::Frame frame = reader_.TakeFrame();
    // The card refuses a malformed block itself and counts it; the link stays.
    if (Status status = card_.Receive(netcard::WordsOf(frame.payload)); !status) {
      Log("card refused a block: " + status.error().message);
    }
    connection_->Write(netcard::EncodeTaken());
  }
  FlushEvents();
}

void DisplayLink::Drop(int generation, const std::string& reason) {
  if (generation != generation_ || !connection_) return;
  ++generation_;
  Log("program connection ended: " + reason);
  connection_->Close();
  retired_.push_back(std::move(connection_));
}

void DisplayLink::FlushEvents() {
  std::vector<std::uint8_t> events = card_.TakeEvents();
  if (!connection_ || events.empty()) return;
  for (std::size_t at = 0; at < events.size(); at += netcard::kMaxEventBytes) {
    const std::size_t size = std::min(netcard::kMaxEventBytes, events.size() - at);
    connection_->Write(netcard::EncodeEvents(std::span(events).subspan(at, size)));
  }
}

}  // namespace telvane::devices
