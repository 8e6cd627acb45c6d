#pragma once

// Script text is bytes in the code page of the line's character set. These convert at the
// edges (drawing, measuring, Unicode files, the clipboard, the newsroom links) and give the
// case conversion of bytes above 127.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace telvane::store {

inline constexpr int kDefaultCodePage = 1252;
// The DOS text code page.
inline constexpr int kDosCodePage = 437;

// The code page of a Windows character-set number; 1252 for one we do not know.
int CodePageOfCharset(int charset);
// Whether we hold a table for the code page.
bool IsKnownCodePage(int code_page);

// A code page we do not know is read as 1252.
char32_t ByteToUnicode(std::uint8_t byte, int code_page);
std::optional<std::uint8_t> UnicodeToByte(char32_t unicode, int code_page);

std::string CodePageToUtf8(std::string_view bytes, int code_page);
// A character the code page lacks, and a malformed UTF-8 sequence, become '?'.
std::string Utf8ToCodePage(std::string_view utf8, int code_page);

std::uint8_t ToUpperByte(std::uint8_t byte, int code_page);
std::uint8_t ToLowerByte(std::uint8_t byte, int code_page);

}  // namespace telvane::store
