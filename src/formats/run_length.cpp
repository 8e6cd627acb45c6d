#include "formats/run_length.h"

#include <charconv>

namespace telvane::formats {

namespace {

constexpr std::size_t kFallbackRun = 50;

template <typename T>
bool ParseNumber(std::string_view text, T& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

}  // namespace

std::string EncodeRuns(std::string_view bytes) {
  std::string out;
  std::size_t i = 0;
  while (i < bytes.size()) {
    std::size_t j = i + 1;
    while (j < bytes.size() && bytes[j] == bytes[i]) ++j;
    out += std::to_string(static_cast<std::uint8_t>(bytes[i]));
    out += ',';
    out += std::to_string(j - i);
    out += ';';
    i = j;
  }
  return out;
}

DecodedRuns DecodeRuns(std::string_view line, std::uint8_t fallback, std::size_t max_length) {
  DecodedRuns result;
  for (;;) {
    const auto semicolon = line.find(';');
    if (semicolon == std::string_view::npos) break;
    const std::string_view piece = line.substr(0, semicolon);
    line.remove_prefix(semicolon + 1);
    const auto comma = piece.find(',');
    if (comma == std::string_view::npos) break;
    unsigned value = 0;
    std::size_t count = 0;
    char byte = static_cast<char>(fallback);
    if (ParseNumber(piece.substr(0, comma), value) && value <= 255 &&
        ParseNumber(piece.substr(comma + 1), count)) {
      byte = static_cast<char>(value);
    } else {
      result.corrected = true;
      count = kFallbackRun;
    }
    if (count > max_length - result.bytes.size()) {
      result.too_long = true;
      break;
    }
    result.bytes.append(count, byte);
  }
  return result;
}

}  // namespace telvane::formats
