#include "devices/network_card_transport.h"

#include <algorithm>

namespace telvane::devices {

NetworkCardTransport::NetworkCardTransport(platform::Network& network, platform::Timers& timers,
                                           Options options)
    : network_(network), options_(std::move(options)) {
  retry_ = timers.CreateTimer([this] { OnRetryTick(); });
  Connect();
  retry_->Start(options_.retry_ms);
}

NetworkCardTransport::~NetworkCardTransport() {
  retry_->Stop();
  ++generation_;
  if (connection_) retired_.push_back(std::move(connection_));
  for (const auto& connection : retired_) {
    connection->SetHandler({});
    connection->Close();
  }
}

void NetworkCardTransport::Connect() {
  const int generation = ++generation_;
  waited_ticks_ = 0;
  reader_ = netcard::FrameReader(netcard::FrameReader::Side::kProgram);
  platform::TcpHandler handler;
  handler.on_connected = [this, generation] { OnConnected(generation); };
  handler.on_data = [this, generation](std::span<const std::uint8_t> bytes) {
    OnData(generation, bytes);
  };
  handler.on_closed = [this, generation] {
    LinkDown(generation, "the presenter display closed the connection");
  };
  handler.on_error = [this, generation](const std::string& error) {
    LinkDown(generation, error.empty() ? "connection failed" : error);
  };
  connection_ = network_.Connect(options_.host, options_.port, std::move(handler));
}

void NetworkCardTransport::OnRetryTick() {
  retired_.clear();
  if (connected_) return;
  if (connection_ && ++waited_ticks_ < options_.connect_patience) return;
  if (connection_) {
    ++generation_;
    connection_->Close();
    retired_.push_back(std::move(connection_));
  }
  Connect();
}

void NetworkCardTransport::OnConnected(int generation) {
  if (generation != generation_) return;
  connected_ = true;
  in_flight_.clear();
  in_flight_total_ = 0;
  events_.clear();
  if (handlers_.on_link_up) handlers_.on_link_up();
}

void NetworkCardTransport::OnData(int generation, std::span<const std::uint8_t> bytes) {
  if (generation != generation_ || !connected_) return;
  if (Status status = reader_.Receive(bytes); !status) {
    LinkDown(generation, "presenter display sent " + status.error().message);
    return;
  }
  while (reader_.HasFrame()) {
    const netcard::Frame frame = reader_.TakeFrame();
    if (frame.kind == netcard::FrameKind::kTaken) {
      if (in_flight_.empty()) {
        LinkDown(generation, "presenter display took more than was sent");
        return;
      }
      in_flight_total_ -= in_flight_.front();
      in_flight_.pop_front();
      continue;
    }
    if (events_.size() + frame.payload.size() > options_.max_pending_event_bytes) {
      LinkDown(generation, "presenter display sent events faster than they were read");
      return;
    }
    events_.insert(events_.end(), frame.payload.begin(), frame.payload.end());
  }
}

void NetworkCardTransport::LinkDown(int generation, const std::string& reason) {
  if (generation != generation_) return;
  const bool was_connected = connected_;
  connected_ = false;
  ++generation_;
  if (connection_) {
    connection_->Close();
    retired_.push_back(std::move(connection_));
  }
  in_flight_.clear();
  in_flight_total_ = 0;
  if (was_connected && handlers_.on_link_lost) handlers_.on_link_lost(reason);
}

bool NetworkCardTransport::Write(std::span<const std::uint32_t> words) {
  if (!connected_ || words.empty()) return connected_;
  const std::vector<std::uint8_t> frame = netcard::EncodeWords(words);
  if (frame.size() - netcard::kHeaderBytes > netcard::kMaxPayloadBytes) return false;
  if (in_flight_total_ + frame.size() > options_.max_in_flight_bytes) {
    LinkDown(generation_, "presenter display stopped taking what was sent");
    return false;
  }
  in_flight_.push_back(frame.size());
  in_flight_total_ += frame.size();
  connection_->Write(frame);
  return true;
}

void NetworkCardTransport::Read(std::vector<std::uint8_t>& bytes, std::size_t max_bytes) {
  const std::size_t take = std::min(max_bytes, events_.size());
  bytes.insert(bytes.end(), events_.begin(), events_.begin() + static_cast<std::ptrdiff_t>(take));
  events_.erase(events_.begin(), events_.begin() + static_cast<std::ptrdiff_t>(take));
}

}  // namespace telvane::devices
