#include "store/code_pages.h"

#include <array>
#include <utility>

#include "store/code_page_tables.h"

namespace telvane::store {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

const CodePageTable& TableOf(int code_page) {
  const CodePageTable* table = FindCodePageTable(code_page);
  return table != nullptr ? *table : *FindCodePageTable(kDefaultCodePage);
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes one character at the front of s and consumes it; a malformed sequence yields
// U+FFFD and consumes one byte.
char32_t TakeUtf8(std::string_view& s) {
  const auto lead = static_cast<std::uint8_t>(s[0]);
  int extra = 0;
  char32_t cp = 0;
  char32_t least = 0;
  if (lead < 0x80) {
    s.remove_prefix(1);
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    cp = lead & 0x1F;
    least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    cp = lead & 0x0F;
    least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    cp = lead & 0x07;
    least = 0x10000;
  } else {
    s.remove_prefix(1);
    return kReplacement;
  }
  if (s.size() <= static_cast<std::size_t>(extra)) {
    s.remove_prefix(1);
    return kReplacement;
  }
  for (int i = 1; i <= extra; ++i) {
    const auto b = static_cast<std::uint8_t>(s[i]);
    if ((b & 0xC0) != 0x80) {
      s.remove_prefix(1);
      return kReplacement;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  s.remove_prefix(extra + 1);
  if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    return kReplacement;
  }
  return cp;
}

}  // namespace

int CodePageOfCharset(int charset) {
  static constexpr std::array<std::pair<int, int>, 10> kMap{{{0, 1252},
                                                             {1, 1252},
                                                             {161, 1253},
                                                             {162, 1254},
                                                             {177, 1255},
                                                             {178, 1256},
                                                             {186, 1257},
                                                             {204, 1251},
                                                             {222, 874},
                                                             {238, 1250}}};
  for (const auto& [set, page] : kMap) {
    if (set == charset) {
      return page;
    }
  }
  return kDefaultCodePage;
}

bool IsKnownCodePage(int code_page) {
  return FindCodePageTable(code_page) != nullptr;
}

char32_t ByteToUnicode(std::uint8_t byte, int code_page) {
  return byte < 0x80 ? byte : TableOf(code_page).high[byte - 0x80];
}

std::optional<std::uint8_t> UnicodeToByte(char32_t unicode, int code_page) {
  if (unicode < 0x80) {
    return static_cast<std::uint8_t>(unicode);
  }
  if (unicode == kReplacement) {
    return std::nullopt;
  }
  const CodePageTable& table = TableOf(code_page);
  for (std::size_t i = 0; i < table.high.size(); ++i) {
    if (table.high[i] == unicode) {
      return static_cast<std::uint8_t>(0x80 + i);
    }
  }
  return std::nullopt;
}

std::string CodePageToUtf8(std::string_view bytes, int code_page) {
  const CodePageTable& table = TableOf(code_page);
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) {
    const auto b = static_cast<std::uint8_t>(c);
    AppendUtf8(out, b < 0x80 ? b : table.high[b - 0x80]);
  }
  return out;
}

std::string Utf8ToCodePage(std::string_view utf8, int code_page) {
  std::string out;
  out.reserve(utf8.size());
  while (!utf8.empty()) {
    const std::optional<std::uint8_t> byte = UnicodeToByte(TakeUtf8(utf8), code_page);
    out += byte ? static_cast<char>(*byte) : '?';
  }
  return out;
}

std::uint8_t ToUpperByte(std::uint8_t byte, int code_page) {
  if (byte < 0x80) {
    return byte >= 'a' && byte <= 'z' ? byte - ('a' - 'A') : byte;
  }
  return TableOf(code_page).upper[byte - 0x80];
}

std::uint8_t ToLowerByte(std::uint8_t byte, int code_page) {
  if (byte < 0x80) {
    return byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte;
  }
  return TableOf(code_page).lower[byte - 0x80];
}

}  // namespace telvane::store
