#include "runorder/quillbox.h"

#include "store/code_pages.h"

namespace telvane::runorder {

namespace {

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::optional<std::string> QuillboxText(std::string_view record, int code_page) {
  if (record.size() != kQuillboxRecordSize) return std::nullopt;
  const auto unit = [&](std::size_t i) {
    return static_cast<char16_t>(static_cast<unsigned char>(record[2 * i]) |
                                 static_cast<unsigned char>(record[2 * i + 1]) << 8);
  };
  std::string utf8;
  const std::size_t units = kQuillboxRecordSize / 2;
  for (std::size_t i = 0; i < units; ++i) {
    const char16_t u = unit(i);
    if (u == 0) break;
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units && unit(i + 1) >= 0xDC00 &&
        unit(i + 1) <= 0xDFFF) {
      AppendUtf8(utf8, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) +
                           (static_cast<char32_t>(unit(i + 1)) - 0xDC00));
      ++i;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      utf8 += '?';
    } else {
      AppendUtf8(utf8, u);
    }
  }
  return store::Utf8ToCodePage(utf8, code_page);
}

}  // namespace telvane::runorder
