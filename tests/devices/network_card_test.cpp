// The network card's framing, and the transport against the display's end over in-memory TCP.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "devices/display_link.h"
#include "devices/network_card_protocol.h"
#include "devices/network_card_transport.h"
#include "devices/prompt_card.h"
#include "support/virtual_host.h"

namespace telvane::devices {
namespace {

using Bytes = std::vector<std::uint8_t>;
using netcard::FrameKind;
using netcard::FrameReader;

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

std::vector<netcard::Frame> ReadAll(FrameReader& reader) {
  std::vector<netcard::Frame> frames;
  while (reader.HasFrame()) frames.push_back(reader.TakeFrame());
  return frames;
}

TEST(NetworkCardFraming, FramesKeepTheirBoundariesWholeOrByteByByte) {
  const std::vector<std::uint32_t> first = {0x0E0000};
  const std::vector<std::uint32_t> second = {0x020000, 0x0502FF01, 0xDEADBEEF};
  const Bytes stream = Join({netcard::EncodeWords(first), netcard::EncodeWords(second)});
  for (const bool byte_by_byte : {false, true}) {
    FrameReader reader(FrameReader::Side::kDisplay);
    std::vector<netcard::Frame> frames;
    if (byte_by_byte) {
      for (const std::uint8_t byte : stream) {
        ASSERT_TRUE(reader.Receive(std::span(&byte, 1)).ok());
        const auto got = ReadAll(reader);
        frames.insert(frames.end(), got.begin(), got.end());
      }
    } else {
      ASSERT_TRUE(reader.Receive(stream).ok());
      frames = ReadAll(reader);
    }
    ASSERT_EQ(frames.size(), 2U) << byte_by_byte;
    EXPECT_EQ(netcard::WordsOf(frames[0].payload), first);
    EXPECT_EQ(netcard::WordsOf(frames[1].payload), second);
    EXPECT_EQ(reader.buffered(), 0U);
  }

  FrameReader program(FrameReader::Side::kProgram);
  const Bytes events = {'N', 'U', 45};
  ASSERT_TRUE(program.Receive(Join({netcard::EncodeTaken(), netcard::EncodeEvents(events)})).ok());
  const auto frames = ReadAll(program);
  ASSERT_EQ(frames.size(), 2U);
  EXPECT_EQ(frames[0].kind, FrameKind::kTaken);
  EXPECT_EQ(frames[1].payload, events);
}

TEST(NetworkCardFraming, GarbageEndsTheStream) {
  const auto header = [](std::uint8_t kind, std::uint32_t length) {
    return Bytes{'T',
                 'V',
                 kind,
                 0,
                 static_cast<std::uint8_t>(length),
                 static_cast<std::uint8_t>(length >> 8),
                 static_cast<std::uint8_t>(length >> 16),
                 static_cast<std::uint8_t>(length >> 24)};
  };
  struct Case {
    const char* name;
    FrameReader::Side side;
    Bytes bytes;
  };
  const std::vector<Case> cases = {
      {"text", FrameReader::Side::kDisplay, Bytes{'G', 'E', 'T', ' ', '/'}},
      {"events sent to the display", FrameReader::Side::kDisplay,
       netcard::EncodeEvents(Bytes{'N'})},
      {"words sent to the program", FrameReader::Side::kProgram, netcard::EncodeWords({{1}})},
      {"unknown kind", FrameReader::Side::kDisplay, header(9, 4)},
      {"reserved byte", FrameReader::Side::kDisplay, Bytes{'T', 'V', 1, 1}},
      {"words not a multiple of four", FrameReader::Side::kDisplay, header(1, 6)},
      {"empty words frame", FrameReader::Side::kDisplay, header(1, 0)},
      {"words frame too long", FrameReader::Side::kDisplay, header(1, 0x7FFFFFFC)},
      {"events frame too long", FrameReader::Side::kProgram, header(2, 100000)},
      {"taken frame with a payload", FrameReader::Side::kProgram, header(3, 1)},
  };
  for (const Case& c : cases) {
    FrameReader reader(c.side);
    // Good frames first: they are delivered; the garbage is refused and so is all after it.
    const Bytes good = c.side == FrameReader::Side::kDisplay ? netcard::EncodeWords({{7}})
                                                             : netcard::EncodeTaken();
    EXPECT_FALSE(reader.Receive(Join({good, c.bytes})).ok()) << c.name;
    EXPECT_EQ(ReadAll(reader).size(), 1U) << c.name;
    EXPECT_FALSE(reader.Receive(good).ok()) << c.name;
    EXPECT_FALSE(reader.HasFrame()) << c.name;
    // Nothing of a refused frame is held.
    EXPECT_EQ(reader.buffered(), 0U) << c.name;
  }
}

struct Link {
  testing::VirtualHost vh;
  SoftCard display_card;
  std::unique_ptr<DisplayLink> display = std::make_unique<DisplayLink>(vh.network, display_card);
  NetworkCardTransport* transport = nullptr;
  PromptCard card{vh.clock, vh.loop};
  std::vector<std::string> lost;
  int up = 0;

  explicit Link(NetworkCardTransport::Options options = {}) {
    EXPECT_TRUE(display->Listen(5290).ok());
    auto owned = std::make_unique<NetworkCardTransport>(vh.network, vh.timers, options);
    owned->SetHandlers({.on_link_up = [this] { ++up; },
                        .on_link_lost = [this](const std::string& r) { lost.push_back(r); }});
    transport = owned.get();
    card.Open(std::move(owned));
    vh.loop.Advance(10);
  }
};

TEST(NetworkCardTransport, CarriesWritesAndEventsAndBoundsWhatIsInFlight) {
  Link link;
  ASSERT_TRUE(link.transport->ready());
  EXPECT_EQ(link.up, 1);
  ASSERT_TRUE(link.card.SendCommand(0x0E0000));
  EXPECT_GT(link.transport->in_flight_bytes(), 0U);
  EXPECT_TRUE(link.card.WaitForEvent(CardEvent::kInitialised, 1000));
  EXPECT_TRUE(link.display_card.initialised());
  EXPECT_EQ(link.transport->in_flight_bytes(), 0U);

  // A hand controller's key on the display reaches the program as the card's event.
  link.display_card.HandSpeed(44);
  link.display->FlushEvents();
  link.vh.loop.Advance(10);
  link.card.ReadEvents();
  const auto event = link.card.TakeEvent();
  ASSERT_TRUE(event);
  EXPECT_EQ(*event, (CardEvent{CardEvent::kSpeed, 44}));

  // A display that stops taking what is sent is dropped once too much waits.
  NetworkCardTransport::Options tight;
  tight.max_in_flight_bytes = 64;
  Link stuck(tight);
  ASSERT_TRUE(stuck.transport->ready());
  const std::vector<std::uint32_t> words(8, 0);
  EXPECT_TRUE(stuck.card.SendData(words));
  EXPECT_FALSE(stuck.card.SendData(words));
  ASSERT_EQ(stuck.lost.size(), 1U);
  EXPECT_EQ(stuck.lost[0], "presenter display stopped taking what was sent");
  EXPECT_FALSE(stuck.transport->ready());
}

TEST(NetworkCardTransport, ReconnectsWhenTheDisplayReturns) {
  Link link;
  ASSERT_TRUE(link.transport->ready());

  link.display.reset();
  link.vh.loop.Advance(10);
  ASSERT_EQ(link.lost.size(), 1U);
  EXPECT_FALSE(link.card.SendCommand(0));
  // Retries against nobody are not reported again.
  link.vh.loop.Advance(5000);
  EXPECT_EQ(link.lost.size(), 1U);
  EXPECT_EQ(link.up, 1);

  link.display = std::make_unique<DisplayLink>(link.vh.network, link.display_card);
  ASSERT_TRUE(link.display->Listen(5290).ok());
  link.vh.loop.Advance(1000);
  EXPECT_TRUE(link.transport->ready());
  EXPECT_EQ(link.up, 2);
  EXPECT_TRUE(link.card.SendCommand(0x0E0000));
  EXPECT_TRUE(link.card.WaitForEvent(CardEvent::kInitialised, 1000));
}

TEST(DisplayLink, RefusesAStreamThatIsNotOursAndTakesTheNextProgram) {
  testing::VirtualHost vh;
  SoftCard card;
  DisplayLink display(vh.network, card);
  std::vector<std::string> log;
  display.on_log = [&](const std::string& line) { log.push_back(line); };
  ASSERT_TRUE(display.Listen(5290).ok());

  bool closed = false;
  platform::TcpHandler handler;
  handler.on_closed = [&] { closed = true; };
  auto peer = vh.network.Connect("127.0.0.1", 5290, handler);
  vh.loop.Advance(10);
  ASSERT_TRUE(display.connected());
  const std::string garbage = "GET / HTTP/1.0\r\n\r\n";
  peer->Write({reinterpret_cast<const std::uint8_t*>(garbage.data()), garbage.size()});
  vh.loop.Advance(10);
  EXPECT_TRUE(closed);
  EXPECT_FALSE(display.connected());
  EXPECT_EQ(log.back(),
            "program connection ended: refused the stream: not a presenter display stream");

  auto program = std::make_unique<NetworkCardTransport>(vh.network, vh.timers,
                                                        NetworkCardTransport::Options{});
  vh.loop.Advance(10);
  EXPECT_TRUE(program->ready());
  EXPECT_TRUE(display.connected());
}

}  // namespace
}  // namespace telvane::devices
