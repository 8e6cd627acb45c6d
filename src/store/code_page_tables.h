#pragma once

// The single-byte code pages the script text is kept in. Internal to code_pages.cpp.

#include <array>
#include <cstdint>

namespace telvane::store {

struct CodePageTable {
  int code_page;
  // Unicode of bytes 0x80..0xFF; the lower half is ASCII in every table.
  std::array<char16_t, 128> high;
  std::array<std::uint8_t, 128> upper;
  std::array<std::uint8_t, 128> lower;
};

// The table of a code page, or null when the code page is not one of ours.
const CodePageTable* FindCodePageTable(int code_page);

}  // namespace telvane::store
