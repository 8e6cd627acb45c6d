#include "support/virtual_host.h"

#include <algorithm>
#include <thread>

namespace telvane::testing {

void VirtualLoop::Post(std::function<void()> work) {
  const std::lock_guard<std::mutex> lock(posted_mutex_);
  posted_.push_back(std::move(work));
}

void VirtualLoop::RunPosted() {
  for (;;) {
    std::function<void()> work;
    {
      const std::lock_guard<std::mutex> lock(posted_mutex_);
      if (posted_.empty()) return;
      work = std::move(posted_.front());
      posted_.pop_front();
    }
    work();
  }
}

bool VirtualLoop::WaitForWorkers(const std::function<bool()>& condition,
                                 std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    RunPosted();
    if (!condition()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

void VirtualLoop::StepTo(Milliseconds target) {
  for (;;) {
    RunPosted();
    if (on_step) on_step();
    const Milliseconds due = timers_.NextDue();
    if (due < 0 || due > target) break;
    clock_.Set(std::max(clock_.Now(), due));
    timers_.RunDue();
  }
  clock_.Set(std::max(clock_.Now(), target));
  RunPosted();
}

void VirtualLoop::Advance(Milliseconds ms) {
  StepTo(clock_.Now() + ms);
}

bool VirtualLoop::WaitUntil(const std::function<bool()>& condition, Milliseconds timeout) {
  // Waits in 10 ms steps of virtual time; without a limit it gives up after a virtual hour so
  // that a test that never satisfies the condition fails instead of hanging.
  const Milliseconds limit = clock_.Now() + (timeout < 0 ? 3600 * 1000 : timeout);
  while (!condition()) {
    if (clock_.Now() >= limit) return false;
    StepTo(std::min(limit, clock_.Now() + 10));
    // Worker threads run in real time: give them a moment to post their results.
    std::this_thread::sleep_for(std::chrono::microseconds(50));
  }
  return true;
}

BoxAnswer ScriptedDialogs::MessageBox(std::string_view text, BoxKind kind, BoxButtons buttons) {
  asked.push_back({std::string(text), kind, buttons});
  if (!answers.empty()) {
    const BoxAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  switch (buttons) {
    case BoxButtons::kYesNo:
    case BoxButtons::kYesNoCancel:
      return BoxAnswer::kYes;
    default:
      return BoxAnswer::kOk;
  }
}

std::optional<std::string> ScriptedDialogs::ChooseOpenFile(std::string_view, std::string_view,
                                                           std::string_view) {
  if (files.empty()) return std::nullopt;
  auto f = files.front();
  files.pop_front();
  return f;
}

std::optional<std::string> ScriptedDialogs::ChooseSaveFile(std::string_view a, std::string_view b,
                                                           std::string_view c) {
  return ChooseOpenFile(a, b, c);
}

std::optional<std::string> ScriptedDialogs::ChooseSaveFileOfType(std::string_view a,
                                                                 std::string_view b,
                                                                 std::string_view c,
                                                                 int& filter_index, bool* cloaked) {
  if (!filter_indexes.empty()) {
    filter_index = filter_indexes.front();
    filter_indexes.pop_front();
  }
  if (cloaked != nullptr && !save_cloaked.empty()) {
    *cloaked = save_cloaked.front();
    save_cloaked.pop_front();
  }
  return ChooseOpenFile(a, b, c);
}

class MemoryConnection : public platform::TcpConnection,
                         public std::enable_shared_from_this<MemoryConnection> {
 public:
  MemoryConnection(MemoryNetwork& net, std::string peer) : net_(net), peer_(std::move(peer)) {}
  void SetHandler(platform::TcpHandler handler) override { handler_ = std::move(handler); }
  void Write(std::span<const std::uint8_t> bytes) override {
    auto other = other_.lock();
    if (!open_ || !other) return;
    std::vector<std::uint8_t> copy(bytes.begin(), bytes.end());
    net_.events_.push_back([other, copy = std::move(copy)] {
      if (other->open_ && other->handler_.on_data) other->handler_.on_data(copy);
    });
  }
  void Close() override {
    if (!open_) return;
    open_ = false;
    if (auto other = other_.lock()) {
      net_.events_.push_back([other] {
        if (!other->open_) return;
        other->open_ = false;
        if (other->handler_.on_closed) other->handler_.on_closed();
      });
    }
  }
  bool IsOpen() const override { return open_; }
  std::string PeerAddress() const override { return peer_; }

  MemoryNetwork& net_;
  std::string peer_;
  platform::TcpHandler handler_;
  std::weak_ptr<MemoryConnection> other_;
  bool open_ = true;
};

class MemoryServer : public platform::TcpServer {
 public:
  MemoryServer(MemoryNetwork& net,
               std::function<void(std::shared_ptr<platform::TcpConnection>)> on_accept)
      : net_(net), on_accept_(std::move(on_accept)) {}
  ~MemoryServer() override { Close(); }
  bool Listen(std::uint16_t port) override {
    if (net_.servers_.count(port) != 0) return false;
    net_.servers_[port] = on_accept_;
    port_ = port;
    return true;
  }
  void Close() override {
    if (port_ != 0) net_.servers_.erase(port_);
    port_ = 0;
  }
  bool IsListening() const override { return port_ != 0; }
  std::uint16_t Port() const override { return port_; }

 private:
  MemoryNetwork& net_;
  std::function<void(std::shared_ptr<platform::TcpConnection>)> on_accept_;
  std::uint16_t port_ = 0;
};

std::unique_ptr<platform::TcpServer> MemoryNetwork::CreateServer(
    std::function<void(std::shared_ptr<platform::TcpConnection>)> on_accept) {
  return std::make_unique<MemoryServer>(*this, std::move(on_accept));
}

std::shared_ptr<platform::TcpConnection> MemoryNetwork::Connect(std::string_view host,
                                                                std::uint16_t port,
                                                                platform::TcpHandler handler) {
  auto client = std::make_shared<MemoryConnection>(*this, std::string(host));
  client->handler_ = std::move(handler);
  auto it = servers_.find(port);
  if (it == servers_.end()) {
    client->open_ = false;
    events_.push_back([client] {
      if (client->handler_.on_error) client->handler_.on_error("connection refused");
    });
    return client;
  }
  auto server_side = std::make_shared<MemoryConnection>(*this, "127.0.0.1");
  client->other_ = server_side;
  server_side->other_ = client;
  auto accept = it->second;
  events_.push_back([client, server_side, accept] {
    accept(server_side);
    if (client->handler_.on_connected) client->handler_.on_connected();
  });
  return client;
}

bool MemoryNetwork::Deliver() {
  bool any = false;
  while (!events_.empty()) {
    auto e = std::move(events_.front());
    events_.pop_front();
    e();
    any = true;
  }
  return any;
}

VirtualHost::VirtualHost()
    : host_{clock, timers, loop, dialogs, network, clipboard, platform::SystemFacts{}} {
  loop.on_step = [this] { network.Deliver(); };
}

}  // namespace telvane::testing
