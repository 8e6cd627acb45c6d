#include "formats/run_length.h"

#include "formats/number_text.h"

namespace telvane::formats {

namespace {

constexpr std::size_t kFallbackRun = 50;

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
    const auto value = NumberOf<unsigned>(piece.substr(0, comma));
    const auto run = NumberOf<std::size_t>(piece.substr(comma + 1));
    char byte = static_cast<char>(fallback);
    std::size_t count = kFallbackRun;
    if (value && *value <= 255 && run) {
      byte = static_cast<char>(*value);
      count = *run;
    } else {
      result.corrected = true;
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
