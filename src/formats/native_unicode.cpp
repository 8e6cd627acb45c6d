#include "formats/native_unicode.h"

#include <charconv>

#include "formats/number_text.h"
#include "formats/run_length.h"
#include "store/code_pages.h"

namespace telvane::formats {

namespace {

constexpr std::uint32_t kLow20Bits = 0xFFFFF;
constexpr std::size_t kFallbackRun = 50;

// The digits and separators of number fields; anything else becomes a character that no
// number contains, so the field fails to convert.
std::string Narrow(std::u16string_view units) {
  std::string out;
  out.reserve(units.size());
  for (char16_t u : units) out += u < 128 ? static_cast<char>(u) : '\x01';
  return out;
}

// Converts text to bytes of the line's code pages; a line feed is dropped, a character the
// code page lacks becomes "?".
std::string ToBytes(std::u16string_view units, std::int32_t default_layout, UnicodeRecord& r) {
  std::string out;
  for (char16_t u : units) {
    if (u == u'\n') continue;
    const CharsetChoice choice = MapUnicodeChar(u, default_layout);
    if (choice.code_page != store::kDefaultCodePage) {
      r.charset = choice.charset;
      r.record.line.keyboard_layout = choice.keyboard_layout;
    }
    const auto byte = store::UnicodeToByte(u, choice.code_page);
    out += byte ? static_cast<char>(*byte) : '?';
  }
  return out;
}

// Runs of 16-bit values: the high byte is the colour, the low byte the style of a character.
bool DecodeWideRuns(std::u16string_view line, std::size_t length, std::string& style,
                    std::string& colour, bool& corrected) {
  std::string_view rest;
  const std::string narrow = Narrow(line);
  rest = narrow;
  for (;;) {
    const auto semicolon = rest.find(';');
    if (semicolon == std::string_view::npos) break;
    const std::string_view piece = rest.substr(0, semicolon);
    rest.remove_prefix(semicolon + 1);
    const auto comma = piece.find(',');
    if (comma == std::string_view::npos) break;
    auto value = NumberOf<unsigned>(piece.substr(0, comma));
    auto count = NumberOf<std::size_t>(piece.substr(comma + 1));
    if (!value || *value > 0xFFFF || !count) {
      corrected = true;
      value = 0;
      count = kFallbackRun;
    }
    if (*count > length - style.size()) return false;
    style.append(*count, static_cast<char>(*value & 0xFF));
    colour.append(*count, static_cast<char>(*value >> 8));
  }
  return style.size() == length;
}

}  // namespace

CharsetChoice MapUnicodeChar(char16_t unit, std::int32_t default_keyboard_layout) {
  if (unit >= 880 && unit <= 1023) return {1253, 1032, 161};
  if (unit >= 1024 && unit <= 1279) return {1251, 1049, 204};
  if (unit >= 1424 && unit <= 1535) return {1255, 1037, 177};
  if (unit >= 1536 && unit <= 1791) return {1256, 1025, 178};
  if (unit >= 3584 && unit <= 3711) return {874, 1054, 222};
  return {1252, default_keyboard_layout, 1};
}

ParsedRecord ReadLineRecordV1(LineCursor& cursor, const ReadOptions& options) {
  ParsedRecord r;
  store::e_object& line = r.line;
  std::string_view rest = cursor.Next();
  const std::string_view second = cursor.Next();
  const auto comma = rest.find(',');
  if (comma == std::string_view::npos) {
    r.abort = true;
    return r;
  }
  line.flags =
      static_cast<std::uint32_t>(NumberOf<std::int32_t>(rest.substr(0, comma)).value_or(0));
  rest.remove_prefix(comma + 1);
  line.keyboard_layout = options.default_keyboard_layout;
  const auto take = [&](std::string& into) {
    const auto c = rest.find(',');
    if (c == std::string_view::npos) return false;
    into = std::string(rest.substr(0, c));
    rest.remove_prefix(c + 1);
    return true;
  };
  if (store::HasFlag(line, store::line_flag::kBookmark) && !take(line.bookmark_name)) {
    r.abort = true;
    return r;
  }
  if (store::IsSlugLine(line)) {
    StoryFields story;
    std::string length;
    if (!take(story.id) || !take(story.second_id) || !take(length)) {
      r.abort = true;
      return r;
    }
    story.length = NumberOf<std::uint32_t>(length).value_or(0);
    r.story = std::move(story);
  }
  line.text_a = std::string(rest);
  line.text_b = std::string(second);
  if (store::HasFlag(line, store::line_flag::kReadMark)) {
    // Raw attribute characters with their top bit cleared.
    const auto raw = [](std::string_view chars, std::size_t length) {
      std::string out(chars.substr(0, length));
      out.resize(length, '\0');
      for (char& c : out) c = static_cast<char>(static_cast<std::uint8_t>(c) & 0x7F);
      return out;
    };
    line.style_a = raw(cursor.Next(), line.text_a.size());
    line.style_b = raw(cursor.Next(), line.text_b.size());
    line.flags &= ~store::line_flag::kReadMark;
  } else {
    line.style_a.assign(line.text_a.size(), '\0');
    line.style_b.assign(line.text_b.size(), '\0');
  }
  line.colour_a.assign(line.text_a.size(), options.default_colour);
  line.colour_b.assign(line.text_b.size(), options.default_colour);
  if (store::IsSlugLine(line)) {
    // Old slugs carried an "S" before the identifier: "[S12]" is story 12.
    for (std::size_t i = 0; i + 1 < line.text_a.size(); ++i) {
      if (line.text_a[i] == '[' && (line.text_a[i + 1] == 'S' || line.text_a[i + 1] == 's')) {
        line.text_a.erase(i + 1, 1);
        line.style_a.erase(i + 1, 1);
        line.colour_a.erase(i + 1, 1);
        break;
      }
    }
  }
  return r;
}

std::u16string Utf16LineCursor::Next() {
  std::u16string line;
  while (pos_ + 1 < bytes_.size()) {
    const auto unit = static_cast<char16_t>(static_cast<std::uint8_t>(bytes_[pos_]) |
                                            (static_cast<std::uint8_t>(bytes_[pos_ + 1]) << 8));
    pos_ += 2;
    if (unit == u'\r') {
      pos_ += 2;  // the line feed after it, unchecked
      break;
    }
    line += unit;
  }
  return line;
}

std::string Utf16HeaderAsText(Utf16LineCursor& cursor, int key_lines_limit) {
  const std::u16string count = cursor.Next();
  std::string text = Narrow(count) + "\r\n";
  const auto n = NumberOf<int>(Narrow(count));
  const int lines = n ? std::min(*n, key_lines_limit) : 0;
  for (int i = 0; i < lines && !cursor.AtEnd(); ++i) {
    for (char16_t u : cursor.Next()) {
      const auto byte = store::UnicodeToByte(u, store::kDefaultCodePage);
      text += byte ? static_cast<char>(*byte) : '?';
    }
    text += "\r\n";
  }
  return text;
}

UnicodeRecord ReadUnicodeRecord(Utf16LineCursor& cursor, int variant, const ReadOptions& options) {
  UnicodeRecord u;
  ParsedRecord& r = u.record;
  store::e_object& line = r.line;
  const std::u16string head = cursor.Next();
  const std::u16string second = cursor.Next();
  const std::u16string runs_a = cursor.Next();
  const std::u16string runs_b = cursor.Next();
  const std::u16string colour = options.colour_section ? cursor.Next() : std::u16string();
  const std::u16string studio = cursor.Next();
  for (int extra = variant == 5 ? 4 : variant == 6 ? 5 : 0; extra > 0; --extra) cursor.Next();

  // The head line's fields are digits, commas and text: read them as the 8-bit records are.
  if (!ParseHeadLine(ToBytes(head, options.default_keyboard_layout, u), options, r)) return u;
  line.flags &= kLow20Bits;
  line.text_b = ToBytes(second, options.default_keyboard_layout, u);
  if (!DecodeWideRuns(runs_a, line.text_a.size(), line.style_a, line.colour_a, r.corrected) ||
      !DecodeWideRuns(runs_b, line.text_b.size(), line.style_b, line.colour_b, r.corrected)) {
    store::ClearLineText(line);
    r.abort = true;
    return u;
  }
  if (options.colour_section) {
    const auto c = NumberOf<int>(Narrow(colour));
    if (!c) r.corrected = true;
    line.line_colour = static_cast<std::uint8_t>(c && *c >= 0 && *c <= 7 ? *c : 7);
  }
  line.studio_text = ToBytes(studio, options.default_keyboard_layout, u);
  if (u.charset != 0) {
    line.flags = (line.flags & ~store::line_flag::kCharsetMask) |
                 (static_cast<std::uint32_t>(u.charset) << store::line_flag::kCharsetShift);
  }
  return u;
}

}  // namespace telvane::formats
