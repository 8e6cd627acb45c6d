#pragma once

// Attribute strings in native files: runs of equal bytes as "value,count;".

#include <cstdint>
#include <string>
#include <string_view>

namespace telvane::formats {

std::string EncodeRuns(std::string_view bytes);

struct DecodedRuns {
  std::string bytes;
  // A run whose value or count did not convert was replaced by 50 fallback bytes.
  bool corrected = false;
  // The runs describe more bytes than the text they belong to can have.
  bool too_long = false;
};

// Reads runs up to the first piece without ";" or ",". Never produces more than max_length
// bytes: a count beyond it marks the result too long instead of allocating it.
DecodedRuns DecodeRuns(std::string_view line, std::uint8_t fallback, std::size_t max_length);

}  // namespace telvane::formats
