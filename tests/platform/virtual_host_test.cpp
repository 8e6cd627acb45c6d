// The virtual host is what every core test stands on: its timers, waits and sockets must
// behave like the real ones.

#include "support/virtual_host.h"

#include <gtest/gtest.h>

namespace telvane::testing {
namespace {

TEST(VirtualHost, TimersFireInOrderAndWaitsKeepThemRunning) {
  VirtualHost vh;
  std::vector<std::string> fired;
  auto fast =
      vh.timers.CreateTimer([&] { fired.push_back("50@" + std::to_string(vh.clock.Now())); });
  auto slow =
      vh.timers.CreateTimer([&] { fired.push_back("120@" + std::to_string(vh.clock.Now())); });
  fast->Start(50);
  slow->Start(120);
  bool done = false;
  auto release = vh.timers.CreateTimer([&] { done = true; });
  release->Start(130);
  EXPECT_TRUE(vh.loop.WaitUntil([&] { return done; }, -1));
  EXPECT_EQ(fired, (std::vector<std::string>{"50@50", "50@100", "120@120"}));
  EXPECT_FALSE(vh.loop.WaitUntil([] { return false; }, 100));
  EXPECT_EQ(vh.clock.LocalNow().second, 0);
  vh.loop.Advance(1000);
  EXPECT_EQ(vh.clock.LocalNow().second, 1);
}

TEST(VirtualHost, MemorySocketsDeliverWhenTheLoopSteps) {
  VirtualHost vh;
  std::shared_ptr<platform::TcpConnection> accepted;
  std::string server_got;
  auto server = vh.network.CreateServer([&](std::shared_ptr<platform::TcpConnection> c) {
    accepted = c;
    platform::TcpHandler h;
    h.on_data = [&](std::span<const std::uint8_t> b) { server_got.append(b.begin(), b.end()); };
    c->SetHandler(h);
  });
  ASSERT_TRUE(server->Listen(1200));
  EXPECT_FALSE(vh.network.CreateServer([](auto) {})->Listen(1200));

  bool connected = false;
  bool closed = false;
  platform::TcpHandler client_handler;
  client_handler.on_connected = [&] { connected = true; };
  client_handler.on_closed = [&] { closed = true; };
  auto client = vh.network.Connect("127.0.0.1", 1200, client_handler);
  const std::uint8_t bytes[] = {'&', '&', 'S', '\r'};
  vh.loop.Advance(10);
  ASSERT_TRUE(connected);
  client->Write(bytes);
  EXPECT_EQ(server_got, "");
  vh.loop.Advance(10);
  EXPECT_EQ(server_got, "&&S\r");
  accepted->Close();
  vh.loop.Advance(10);
  EXPECT_TRUE(closed);
  EXPECT_FALSE(client->IsOpen());

  std::string error;
  platform::TcpHandler refused;
  refused.on_error = [&](std::string e) { error = e; };
  vh.network.Connect("127.0.0.1", 9, refused);
  vh.loop.Advance(10);
  EXPECT_EQ(error, "connection refused");
}

TEST(VirtualHost, ScriptedAnswersThenFirstButton) {
  VirtualHost vh;
  vh.dialogs.answers = {platform::BoxAnswer::kNo};
  EXPECT_EQ(vh.dialogs.MessageBox("q", BoxKind::kConfirmation, BoxButtons::kYesNoCancel),
            platform::BoxAnswer::kNo);
  EXPECT_EQ(vh.dialogs.MessageBox("q", BoxKind::kConfirmation, BoxButtons::kYesNoCancel),
            platform::BoxAnswer::kYes);
  EXPECT_EQ(vh.dialogs.asked.size(), 2u);
}

}  // namespace
}  // namespace telvane::testing
