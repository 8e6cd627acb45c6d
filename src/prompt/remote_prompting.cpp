#include "prompt/remote_prompting.h"

#include <algorithm>

namespace telvane::prompt {

RemotePrompting::RemotePrompting(platform::Network& network, const RenderOptions& options,
                                 std::function<void(std::string_view)> status)
    : network_(network), options_(options), status_(std::move(status)) {}

RemotePrompting::~RemotePrompting() {
  Close();
}

bool RemotePrompting::Listen(std::uint16_t port) {
  Close();
  server_ = network_.CreateServer([this](std::shared_ptr<platform::TcpConnection> connection) {
    Accept(std::move(connection));
  });
  if (!server_->Listen(port)) {
    server_.reset();
    status_("Remote prompting: port " + std::to_string(port) + " cannot be opened");
    return false;
  }
  return true;
}

void RemotePrompting::Close() {
  for (auto& client : clients_) {
    client->SetHandler({});
    client->Close();
  }
  clients_.clear();
  if (server_) server_->Close();
  server_.reset();
}

void RemotePrompting::Accept(std::shared_ptr<platform::TcpConnection> connection) {
  if (clients_.size() >= kMaxClients) {
    status_("Remote prompting: client " + connection->PeerAddress() + " refused, " +
            std::to_string(kMaxClients) + " are connected");
    connection->Close();
    return;
  }
  platform::TcpConnection* raw = connection.get();
  platform::TcpHandler handler;
  // Clients have nothing to say; what they send is read and let go.
  handler.on_data = [](std::span<const std::uint8_t>) {};
  handler.on_closed = [this, raw] { Drop(raw, {}); };
  handler.on_error = [this, raw](const std::string&) { Drop(raw, {}); };
  connection->SetHandler(std::move(handler));
  clients_.push_back(std::move(connection));
}

void RemotePrompting::Drop(platform::TcpConnection* connection, std::string_view why) {
  const auto found = std::find_if(clients_.begin(), clients_.end(),
                                  [connection](const auto& c) { return c.get() == connection; });
  if (found == clients_.end()) return;
  // Kept alive until this call is done: the handler that called may belong to it.
  const std::shared_ptr<platform::TcpConnection> held = *found;
  clients_.erase(found);
  held->SetHandler({});
  if (!why.empty()) {
    status_("Remote prompting: client " + held->PeerAddress() + " dropped, " + std::string(why));
  }
  held->Close();
}

void RemotePrompting::Broadcast(std::string_view bytes) {
  const std::span<const std::uint8_t> out(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                          bytes.size());
  std::vector<platform::TcpConnection*> behind;
  for (const auto& client : clients_) {
    if (!client->IsOpen()) continue;
    if (client->PendingBytes() + bytes.size() > kMaxPendingBytes) {
      behind.push_back(client.get());
      continue;
    }
    client->Write(out);
  }
  for (platform::TcpConnection* client : behind) Drop(client, "it stopped reading");
}

std::string RemotePrompting::SegmentMessage(const store::e_object& line, store::Segment segment,
                                            bool inverse_slug) {
  const std::string& text = segment == store::Segment::kA ? line.text_a : line.text_b;
  const std::string& style = segment == store::Segment::kA ? line.style_a : line.style_b;
  std::string message = "&&";
  message += inverse_slug && store::IsSlugLine(line) ? '2' : '1';
  for (std::size_t i = 0; i < text.size(); ++i) {
    message += text[i];
    const auto byte = static_cast<std::uint8_t>(i < style.size() ? style[i] : 0);
    message += static_cast<char>(byte & 0x7F);
  }
  message += static_cast<char>(0xFF);
  return message;
}

void RemotePrompting::SegmentFed(const PromptPosition& position, bool /*caption_fill*/) {
  if (clients_.empty() || position.line == nullptr) return;
  Broadcast(SegmentMessage(*position.line, position.segment, options_.inverse_slug));
}

}  // namespace telvane::prompt
