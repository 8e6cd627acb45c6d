// Profile files: any bytes parse, and what is written reads back the same, also after a value
// is set.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "config/profile_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using telvane::config::ProfileFile;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  ProfileFile file = ProfileFile::Parse(bytes);
  const std::string once = file.Serialize();
  if (ProfileFile::Parse(once).Serialize() != once) {
    std::abort();
  }

  // The input's first line is also a value, with whatever blanks and quotes it holds.
  std::string value(bytes.substr(0, bytes.find('\n')));
  for (char& c : value) {
    if (c == '\r') {
      c = ' ';
    }
  }
  file.Set("Main", "Fuzz", value);
  if (file.Get("Main", "Fuzz") != value ||
      ProfileFile::Parse(file.Serialize()).Get("Main", "Fuzz") != value) {
    std::abort();
  }
  return 0;
}
