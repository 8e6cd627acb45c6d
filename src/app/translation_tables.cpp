#include "app/translation_tables.h"

#include "app/text_lines.h"
#include "platform/files.h"

namespace telvane::app {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

TranslationTable ParseTranslationTable(std::string_view bytes) {
  TranslationTable table;
  table.fill(kUnfilledEntry);
  int line_number = -1;  // the heading
  ForEachLine(bytes, [&](std::string_view line) {
    const int entry = line_number++;
    if (entry < 0 || entry >= static_cast<int>(table.size())) return;
    const auto colon = line.find(':');
    if (colon == std::string_view::npos || line.size() < colon + 3) return;
    const int hi = HexDigit(line[colon + 1]);
    const int lo = HexDigit(line[colon + 2]);
    if (hi < 0 || lo < 0) return;
    table[static_cast<std::size_t>(entry)] = static_cast<std::uint8_t>(hi * 16 + lo);
  });
  return table;
}

Result<TranslationTable> LoadTranslationTable(const std::string& path) {
  auto bytes = platform::ReadWholeFile(path, std::uintmax_t{1} << 20);
  if (!bytes) return bytes.error();
  return ParseTranslationTable(*bytes);
}

TranslationTable IdentityTable() {
  TranslationTable table;
  for (std::size_t i = 0; i < table.size(); ++i) table[i] = static_cast<std::uint8_t>(i);
  return table;
}

}  // namespace telvane::app
