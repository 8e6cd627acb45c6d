#pragma once

// The read-only native variants: version 1 records and the UTF-16 variants 4 to 6, and the
// choice of code page for a UTF-16 character.

#include <cstdint>
#include <string_view>
#include <vector>

#include "formats/native_format.h"

namespace telvane::formats {

struct CharsetChoice {
  int code_page = 1252;
  std::int32_t keyboard_layout = 0;
  int charset = 1;
};

// The script of a UTF-16 code unit: Greek, Cyrillic, Hebrew, Arabic, Thai, else Western.
CharsetChoice MapUnicodeChar(char16_t unit, std::int32_t default_keyboard_layout);

// Version 1: flags, bookmark, story fields and the first part on the head line, the second
// part on the next; raw attribute lines follow only when flag 0x80 is set.
ParsedRecord ReadLineRecordV1(LineCursor& cursor, const ReadOptions& options);

// Lines of a UTF-16 little-endian file, split as the 8-bit readers split theirs.
class Utf16LineCursor {
 public:
  explicit Utf16LineCursor(std::string_view bytes) : bytes_(bytes) {}
  bool AtEnd() const { return pos_ + 1 >= bytes_.size(); }
  std::u16string Next();

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

// The header of a UTF-16 file, after its magic line, as 8-bit lines.
std::string Utf16HeaderAsText(Utf16LineCursor& cursor, int key_lines_limit);

struct UnicodeRecord {
  ParsedRecord record;
  // A character outside code page 1252 chose this character set for the line (0: none).
  int charset = 0;
};

// variant: 4, 5 or 6 (5 and 6 carry four or five more lines that are skipped).
UnicodeRecord ReadUnicodeRecord(Utf16LineCursor& cursor, int variant, const ReadOptions& options);

}  // namespace telvane::formats
