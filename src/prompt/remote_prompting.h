#pragma once

// Remote prompting clients: stations that follow the prompt over TCP and receive each
// segment as it is fed to the card ("&&4" at a new page, "&&3" at the end of prompting).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host.h"
#include "prompt/render_options.h"
#include "prompt/scroll_engine.h"

namespace telvane::prompt {

class RemotePrompting : public LineHooks {
 public:
  // A client further behind than this is dropped: the prompt never waits for a station that
  // has stopped reading, and its backlog cannot grow without bound.
  static constexpr std::size_t kMaxPendingBytes = 256 * 1024;
  static constexpr std::size_t kMaxClients = 16;

  RemotePrompting(platform::Network& network, const RenderOptions& options,
                  std::function<void(std::string_view)> status);
  ~RemotePrompting() override;

  // Listens on the port; false, with a status message, when it cannot be taken.
  bool Listen(std::uint16_t port);
  void Close();
  bool listening() const { return server_ != nullptr && server_->IsListening(); }
  std::uint16_t port() const { return server_ ? server_->Port() : 0; }
  std::size_t client_count() const { return clients_.size(); }

  // The bytes that go out for a segment.
  static std::string SegmentMessage(const store::e_object& line, store::Segment segment,
                                    bool inverse_slug);

  // LineHooks
  void PageStarted() override { Broadcast("&&4"); }
  void SegmentFed(const PromptPosition& position, bool caption_fill) override;
  void PromptStopped() override { Broadcast("&&3"); }

 private:
  void Accept(std::shared_ptr<platform::TcpConnection> connection);
  void Broadcast(std::string_view bytes);
  void Drop(platform::TcpConnection* connection, std::string_view why);

  platform::Network& network_;
  const RenderOptions& options_;
  std::function<void(std::string_view)> status_;
  std::unique_ptr<platform::TcpServer> server_;
  std::vector<std::shared_ptr<platform::TcpConnection>> clients_;
};

}  // namespace telvane::prompt
