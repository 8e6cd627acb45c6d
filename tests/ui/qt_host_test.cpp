// The Qt host over real loopback sockets and real timers.

#include "platform/qt/qt_host.h"

#include <gtest/gtest.h>

#include <string>

namespace telvane::platform::qt {
namespace {

TEST(QtHost, LoopbackServerAndClientExchangeBytes) {
  QtHost qt;
  Host& host = qt.host();
  std::shared_ptr<TcpConnection> accepted;
  std::string server_got;
  auto server = host.network.CreateServer([&](std::shared_ptr<TcpConnection> c) {
    accepted = c;
    TcpHandler h;
    h.on_data = [&](std::span<const std::uint8_t> b) { server_got.append(b.begin(), b.end()); };
    c->SetHandler(h);
  });
  ASSERT_TRUE(server->Listen(0));
  ASSERT_NE(server->Port(), 0);

  bool connected = false;
  bool closed = false;
  std::string client_got;
  TcpHandler h;
  h.on_connected = [&] { connected = true; };
  h.on_data = [&](std::span<const std::uint8_t> b) { client_got.append(b.begin(), b.end()); };
  h.on_closed = [&] { closed = true; };
  auto client = host.network.Connect("127.0.0.1", server->Port(), h);
  ASSERT_TRUE(host.loop.WaitUntil([&] { return connected && accepted; }, 5000));
  const std::string hello = "&&P1\r";
  client->Write({reinterpret_cast<const std::uint8_t*>(hello.data()), hello.size()});
  ASSERT_TRUE(host.loop.WaitUntil([&] { return server_got == hello; }, 5000));
  accepted->Write({reinterpret_cast<const std::uint8_t*>("ok"), 2});
  ASSERT_TRUE(host.loop.WaitUntil([&] { return client_got == "ok"; }, 5000));
  accepted->Close();
  EXPECT_TRUE(host.loop.WaitUntil([&] { return closed; }, 5000));
}

TEST(QtHost, RefusedConnectionIsReportedNotThrown) {
  QtHost qt;
  std::string error;
  TcpHandler h;
  h.on_error = [&](std::string e) { error = std::move(e); };
  auto server = qt.host().network.CreateServer([](auto) {});
  ASSERT_TRUE(server->Listen(0));
  const std::uint16_t port = server->Port();
  server->Close();
  auto client = qt.host().network.Connect("127.0.0.1", port, h);
  EXPECT_TRUE(qt.host().loop.WaitUntil([&] { return !error.empty(); }, 5000));
}

TEST(QtHost, TimersAndPostedWorkRunOnTheLoop) {
  QtHost qt;
  int ticks = 0;
  auto timer = qt.host().timers.CreateTimer([&] { ++ticks; });
  timer->Start(10);
  bool posted = false;
  qt.host().loop.Post([&] { posted = true; });
  EXPECT_TRUE(qt.host().loop.WaitUntil([&] { return ticks >= 3 && posted; }, 5000));
  timer->Stop();
  EXPECT_FALSE(timer->IsActive());
}

}  // namespace
}  // namespace telvane::platform::qt
