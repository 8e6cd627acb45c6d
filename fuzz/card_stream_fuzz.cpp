// Any bytes as what a presenter display receives from the network (frames of command words
// and rows for its soft card) and as what the program receives from a display (frames of
// event bytes): never a crash, never a buffer beyond its bound.

#include <cstdint>
#include <cstdlib>
#include <span>

#include "devices/card_event_queue.h"
#include "devices/card_protocol.h"
#include "devices/network_card_protocol.h"
#include "devices/soft_card.h"

namespace {

using telvane::devices::CardEventDecoder;
using telvane::devices::CardEventQueue;
using telvane::devices::SoftCard;
namespace netcard = telvane::devices::netcard;

void Display(std::span<const std::uint8_t> bytes) {
  netcard::FrameReader reader(netcard::FrameReader::Side::kDisplay);
  SoftCard card;
  std::int64_t now = 0;
  // Split in two so that frames cut across reads are exercised as well.
  const std::size_t half = bytes.size() / 2;
  for (const auto part : {bytes.first(half), bytes.subspan(half)}) {
    if (!reader.Receive(part)) return;
    if (reader.buffered() > netcard::kHeaderBytes + netcard::kMaxPayloadBytes) std::abort();
    while (reader.HasFrame()) {
      const netcard::Frame frame = reader.TakeFrame();
      if (frame.kind != netcard::FrameKind::kWords) std::abort();
      static_cast<void>(card.Receive(netcard::WordsOf(frame.payload)));
      now += 50;
      card.OnTick(now);
      static_cast<void>(card.TakeEvents());
      for (int row = 0; row < card.VisibleRows(); row += 97)
        static_cast<void>(card.VisibleRow(row));
    }
  }
}

void Program(std::span<const std::uint8_t> bytes) {
  netcard::FrameReader reader(netcard::FrameReader::Side::kProgram);
  CardEventDecoder decoder;
  CardEventQueue queue;
  if (!reader.Receive(bytes)) return;
  while (reader.HasFrame()) {
    const netcard::Frame frame = reader.TakeFrame();
    if (frame.kind == netcard::FrameKind::kWords) std::abort();
    decoder.Receive(frame.payload);
    for (const auto& event : decoder.TakeEvents()) queue.Push(event);
    if (queue.size() > CardEventQueue::kMaxEvents) std::abort();
  }
  while (queue.Take()) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::span<const std::uint8_t> bytes(data + 1, size - 1);
  if (data[0] & 1) {
    Program(bytes);
  } else {
    Display(bytes);
  }
  return 0;
}
