#include "devices/network_card_protocol.h"

#include <algorithm>

namespace telvane::devices::netcard {

namespace {

std::vector<std::uint8_t> Header(FrameKind kind, std::size_t length) {
  return {'T',
          'V',
          static_cast<std::uint8_t>(kind),
          0,
          static_cast<std::uint8_t>(length),
          static_cast<std::uint8_t>(length >> 8),
          static_cast<std::uint8_t>(length >> 16),
          static_cast<std::uint8_t>(length >> 24)};
}

std::size_t LengthOf(std::span<const std::uint8_t> header) {
  return std::size_t{header[4]} | std::size_t{header[5]} << 8 | std::size_t{header[6]} << 16 |
         std::size_t{header[7]} << 24;
}

}  // namespace

std::vector<std::uint8_t> EncodeWords(std::span<const std::uint32_t> words) {
  std::vector<std::uint8_t> frame = Header(FrameKind::kWords, words.size() * 4);
  frame.reserve(kHeaderBytes + words.size() * 4);
  for (const std::uint32_t word : words) {
    for (int shift = 0; shift < 32; shift += 8) {
      frame.push_back(static_cast<std::uint8_t>(word >> shift));
    }
  }
  return frame;
}

std::vector<std::uint8_t> EncodeEvents(std::span<const std::uint8_t> events) {
  std::vector<std::uint8_t> frame = Header(FrameKind::kEvents, events.size());
  frame.insert(frame.end(), events.begin(), events.end());
  return frame;
}

std::vector<std::uint8_t> EncodeTaken() {
  return Header(FrameKind::kTaken, 0);
}

std::vector<std::uint32_t> WordsOf(std::span<const std::uint8_t> payload) {
  std::vector<std::uint32_t> words(payload.size() / 4);
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::span<const std::uint8_t> b = payload.subspan(i * 4, 4);
    words[i] = std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 |
               std::uint32_t{b[3]} << 24;
  }
  return words;
}

Status FrameReader::CheckHeader() const {
  const std::span<const std::uint8_t> h(buffer_.data(), std::min(buffer_.size(), kHeaderBytes));
  // Checked as soon as each byte is there, so garbage is refused at its first byte.
  if (!h.empty() && h[0] != 'T') return Error{"not a presenter display stream"};
  if (h.size() > 1 && h[1] != 'V') return Error{"not a presenter display stream"};
  if (h.size() > 2) {
    const auto kind = static_cast<FrameKind>(h[2]);
    const bool allowed = side_ == Side::kDisplay
                             ? kind == FrameKind::kWords
                             : kind == FrameKind::kEvents || kind == FrameKind::kTaken;
    if (!allowed) return Error{"frame of kind " + std::to_string(h[2]) + " not expected here"};
  }
  if (h.size() > 3 && h[3] != 0) return Error{"frame header with a reserved byte set"};
  if (h.size() < kHeaderBytes) return {};
  const std::size_t length = LengthOf(h);
  switch (static_cast<FrameKind>(h[2])) {
    case FrameKind::kWords:
      if (length == 0 || length % 4 != 0 || length > kMaxPayloadBytes) {
        return Error{"words frame of " + std::to_string(length) + " bytes"};
      }
      break;
    case FrameKind::kEvents:
      if (length > kMaxEventBytes) {
        return Error{"events frame of " + std::to_string(length) + " bytes"};
      }
      break;
    case FrameKind::kTaken:
      if (length != 0) return Error{"taken frame with a payload"};
      break;
  }
  return {};
}

Status FrameReader::Receive(std::span<const std::uint8_t> bytes) {
  if (!error_.empty()) return Error{error_};
  while (!bytes.empty()) {
    // Header bytes one at a time, so that each is checked on arrival; the payload in one go.
    std::size_t want = 1;
    if (buffer_.size() >= kHeaderBytes) {
      want = kHeaderBytes + LengthOf(std::span(buffer_).first(kHeaderBytes)) - buffer_.size();
    }
    const std::size_t take = std::min(want, bytes.size());
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(take));
    bytes = bytes.subspan(take);
    if (buffer_.size() <= kHeaderBytes) {
      if (Status status = CheckHeader(); !status) {
        error_ = status.error().message;
        buffer_.clear();
        return status;
      }
    }
    if (buffer_.size() < kHeaderBytes) continue;
    const std::size_t length = LengthOf(std::span(buffer_).first(kHeaderBytes));
    if (buffer_.size() == kHeaderBytes + length) {
      Frame frame;
      frame.kind = static_cast<FrameKind>(buffer_[2]);
      frame.payload.assign(buffer_.begin() + kHeaderBytes, buffer_.end());
      frames_.push_back(std::move(frame));
      buffer_.clear();
    }
  }
  return {};
}

Frame FrameReader::TakeFrame() {
  Frame frame = std::move(frames_.front());
  frames_.pop_front();
  return frame;
}

}  // namespace telvane::devices::netcard
