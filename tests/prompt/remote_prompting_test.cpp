// Remote prompting clients on real loopback sockets, fed by the engine as it prompts.

#include "prompt/remote_prompting.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <chrono>
#include <sstream>
#include <string>
#include <vector>

#include "formats/loaded_script.h"
#include "platform/qt/qt_host.h"
#include "prompt/prompt_simulation.h"

namespace telvane::prompt {
namespace {

// A plain client socket; reads never block.
class Client {
 public:
  Client(std::uint16_t port, int receive_buffer = 0) {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    if (receive_buffer > 0) {
      ::setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &receive_buffer, sizeof receive_buffer);
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::fcntl(fd_, F_SETFL, O_NONBLOCK);
  }
  ~Client() { ::close(fd_); }
  bool connected() const { return connected_; }
  // Reads what has arrived; false once the server has closed the connection.
  bool Read() {
    char buffer[65536];
    for (;;) {
      const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
      if (n > 0) {
        got.append(buffer, static_cast<std::size_t>(n));
        continue;
      }
      return n != 0;
    }
  }
  std::string got;

 private:
  int fd_ = -1;
  bool connected_ = false;
};

void Serve(platform::Host& host, int ms) {
  host.loop.WaitUntil([] { return false; }, ms);
}

TEST(RemotePrompting, ClientsFollowThePromptAndOneThatStopsReadingIsDropped) {
  platform::qt::QtHost qt;
  platform::Host& host = qt.host();
  std::ostringstream err;
  formats::LoadedScript script(err);
  ASSERT_TRUE(script.Read(std::string(TELVANE_SOURCE_DIR) + "/examples/demo.tvl"));
  PromptSimulation sim(script.store(), script.settings(), script.fonts());
  std::vector<std::string> status;
  RemotePrompting remote(host.network, sim.render_options(),
                         [&](std::string_view text) { status.emplace_back(text); });
  ASSERT_TRUE(remote.Listen(0));
  sim.engine().AddLineHooks(&remote);

  Client reader(remote.port());
  Client stalled(remote.port(), 4096);
  ASSERT_TRUE(reader.connected() && stalled.connected());
  ASSERT_TRUE(host.loop.WaitUntil([&] { return remote.client_count() == 2; }, 5000));

  // A start at the first story: "&&4", then the first page's segments.
  sim.panel().set_speed(60);
  sim.engine().RequestStart(StartKind::kFirstStory);
  sim.Run(2000);
  Serve(host, 100);
  reader.Read();
  stalled.Read();
  ASSERT_TRUE(reader.got.starts_with("&&4&&1")) << reader.got.substr(0, 40);
  EXPECT_EQ(stalled.got, reader.got);
  const std::string slug = RemotePrompting::SegmentMessage(*script.store().run_head()->next->line,
                                                           store::Segment::kA, true);
  EXPECT_TRUE(slug.starts_with("&&2["));
  EXPECT_NE(reader.got.find(slug), std::string::npos);

  // The stalled client reads no more; the prompt runs on and the client is let go, while the
  // one that reads keeps everything.
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (remote.client_count() == 2 && std::chrono::steady_clock::now() < until) {
    for (int i = 0; i < 200; ++i)
      remote.SegmentFed({script.store().first_line(), store::Segment::kA, 0}, true);
    Serve(host, 5);
    reader.Read();
  }
  EXPECT_EQ(remote.client_count(), 1u);
  ASSERT_FALSE(status.empty());
  EXPECT_NE(status.back().find("stopped reading"), std::string::npos);

  // The end of prompting: "&&3".
  sim.engine().RequestStop();
  sim.Run(500);
  Serve(host, 100);
  reader.Read();
  EXPECT_TRUE(reader.got.ends_with("&&3"));
  EXPECT_FALSE(sim.engine().prompting());
  sim.engine().RemoveLineHooks(&remote);
}

}  // namespace
}  // namespace telvane::prompt

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
