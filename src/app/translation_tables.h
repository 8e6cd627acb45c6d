#pragma once

// The 256-entry character translation tables of the host line, captions and imports.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace telvane::app {

using TranslationTable = std::array<std::uint8_t, 256>;

// Entries that a file does not reach stay line feeds, so an untranslated character breaks
// the line instead of passing through as garbage.
constexpr std::uint8_t kUnfilledEntry = 10;

// The first line is a heading; line k after it describes entry k: the two characters after
// its first ":" are a hexadecimal byte. A line without ":" or a short or non-hex entry leaves
// that entry unchanged.
TranslationTable ParseTranslationTable(std::string_view bytes);
Result<TranslationTable> LoadTranslationTable(const std::string& path);
TranslationTable IdentityTable();

struct TranslationTables {
  TranslationTable host;     // "telvn32.hst"
  TranslationTable caption;  // "telvn32.cap"
  TranslationTable dwp;      // "telvn32.dwp"
  TranslationTable mac;      // "telvn32.mac"
  TranslationTable dos;      // "telvn32.asc"
};

}  // namespace telvane::app
