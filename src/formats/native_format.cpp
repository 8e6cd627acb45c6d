#include "formats/native_format.h"

#include <charconv>
#include <limits>

#include "formats/number_text.h"
#include "formats/run_length.h"
#include "store/code_pages.h"

namespace telvane::formats {

namespace {

constexpr char kPresenterEnd = 127;
constexpr std::string_view kLineEnd = "\r\n";

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

int InRange(std::string_view text, int low, int high, int fallback) {
  const auto n = NumberOf<int>(Trim(text));
  return n && *n >= low && *n <= high ? *n : fallback;
}

// A field never carries a line end: the file would no longer split into its records.
std::string Field(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

// Takes the text up to the next "," and moves past it; nothing when there is no ",".
std::optional<std::string_view> TakeField(std::string_view& rest) {
  const auto comma = rest.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  const std::string_view field = rest.substr(0, comma);
  rest.remove_prefix(comma + 1);
  return field;
}

// Versions before 5 kept the blank between the two parts at the end of the first.
void NormaliseBlanks(store::e_object& line) {
  const auto append_blank = [](std::string& text, std::string& style, std::string& colour) {
    if (text.empty() || style.empty() || colour.empty() || text.back() == ' ') return;
    text += ' ';
    style += style.back();
    colour += colour.back();
  };
  append_blank(line.text_a, line.style_a, line.colour_a);
  append_blank(line.text_b, line.style_b, line.colour_b);
  if (!line.text_b.empty() && !line.style_b.empty() && !line.colour_b.empty() &&
      line.text_b.front() == ' ') {
    line.text_b.erase(0, 1);
    line.style_b.erase(0, 1);
    line.colour_b.erase(0, 1);
  }
}

}  // namespace

std::string_view LineCursor::Next() {
  if (pos_ >= data_.size()) return {};
  const auto cr = data_.find('\r', pos_);
  const std::size_t end = cr == std::string_view::npos ? data_.size() : cr;
  const std::string_view line = data_.substr(pos_, end - pos_);
  pos_ = cr == std::string_view::npos ? data_.size() : std::min(data_.size(), cr + 2);
  return line;
}

int NativeVersionOfMagic(std::string_view magic) {
  if (magic.size() != 4 || magic.substr(0, 3) != "QMR") return 0;
  return magic[3] >= '1' && magic[3] <= '5' ? magic[3] - '0' : 0;
}

std::string WriteFontHeader(int version, const FontTable& table) {
  std::string out = "QMR" + std::to_string(version) + "\r\n11\r\n";
  out += "Font Selection:" + std::to_string(table.selected) + "\r\n";
  for (std::size_t i = 0; i < table.fonts.size(); ++i) {
    const FontEntry& f = table.fonts[i];
    out += "Font" + std::to_string(i + 1) + ":" + Field(f.name) + "/" +
           std::to_string(f.prompt_size) + "/" + std::to_string(f.edit_size) + "\r\n";
  }
  out += "Ilsp:";
  for (std::size_t i = 0; i < table.fonts.size(); ++i) {
    if (i > 0) out += '/';
    out += std::to_string(table.fonts[i].spacing);
  }
  out += "\r\nColor:YES\r\n";
  return out;
}

Result<FontHeader> ReadFontHeader(LineCursor& cursor, const FontTable& current) {
  const std::string_view count_line = cursor.Next();
  if (count_line.empty() || count_line.size() > 3 ||
      count_line.find_first_not_of("0123456789") != std::string_view::npos) {
    return Error{"bad header count"};
  }
  const int count = *NumberOf<int>(count_line);
  FontHeader header{current, false};
  for (int i = 0; i < count && !cursor.AtEnd(); ++i) {
    const std::string_view line = cursor.Next();
    const auto colon = line.find(':');
    if (colon == std::string_view::npos) continue;
    const std::string_view key = line.substr(0, colon + 1);
    const std::string_view value = line.substr(colon + 1);
    if (key == "Font Selection:") {
      header.table.selected = InRange(value, 0, 7, 0);
    } else if (key.size() == 6 && key.substr(0, 4) == "Font" && key[4] >= '1' && key[4] <= '8') {
      FontEntry& f = header.table.fonts[static_cast<std::size_t>(key[4] - '1')];
      const auto slash = value.find('/');
      std::string_view prompt;
      std::string_view edit;
      if (slash != std::string_view::npos) {
        const std::string_view rest = value.substr(slash + 1);
        const auto second = rest.find('/');
        if (second != std::string_view::npos) {
          prompt = rest.substr(0, second);
          edit = rest.substr(second + 1);
        }
      }
      f.name = std::string(Trim(value.substr(0, slash)));
      f.prompt_size = InRange(prompt, 16, 200, 64);
      f.edit_size = InRange(edit, 8, 40, 12);
    } else if (key == "Ilsp:") {
      std::string_view rest = value;
      for (FontEntry& f : header.table.fonts) {
        const auto slash = rest.find('/');
        f.spacing = InRange(rest.substr(0, slash), -1000, 1000, 0);
        if (slash == std::string_view::npos) break;
        rest.remove_prefix(slash + 1);
      }
    } else if (key == "Color:") {
      header.colour_section = value == "YES";
    }
  }
  return header;
}

bool SameFonts(const FontTable& a, const FontTable& b) {
  for (std::size_t i = 0; i < 7; ++i) {
    if (!(a.fonts[i] == b.fonts[i])) return false;
  }
  return true;
}

std::string WriteLineRecord(const store::e_object& line, const StoryFields* story,
                            const WriteOptions& options) {
  std::string out = std::to_string(static_cast<std::int32_t>(line.flags)) + ",";
  if (options.version >= 3) out += std::to_string(line.keyboard_layout) + ",";
  if (store::HasFlag(line, store::line_flag::kBookmark)) out += Field(line.bookmark_name) + ",";
  if (store::IsSlugLine(line)) {
    const StoryFields none;
    const StoryFields& s = story != nullptr ? *story : none;
    out += Field(s.id) + "," + Field(s.second_id) + "," + std::to_string(s.length) + ",";
    if (options.presenter_enabled) out += std::to_string(s.presenter) + kPresenterEnd;
  }
  out += Field(line.text_a);
  out += kLineEnd;
  out += Field(line.text_b);
  out += kLineEnd;
  out += EncodeRuns(line.style_a);
  out += kLineEnd;
  out += EncodeRuns(line.style_b);
  out += kLineEnd;
  out += std::to_string(line.line_colour > 7 ? 7 : line.line_colour);
  out += kLineEnd;
  out += EncodeRuns(line.colour_a);
  out += kLineEnd;
  out += EncodeRuns(line.colour_b);
  out += kLineEnd;
  if (options.version >= 4) {
    out += Field(line.studio_text);
    out += kLineEnd;
  }
  return out;
}

bool ParseHeadLine(std::string_view rest, const ReadOptions& options, ParsedRecord& r) {
  store::e_object& line = r.line;

  const auto flags_text = TakeField(rest);
  if (!flags_text) {
    r.abort = true;
    return false;
  }
  if (*flags_text == "-2147483648") {
    line.flags = 0x80000000u;
  } else if (const auto flags = NumberOf<std::int32_t>(*flags_text)) {
    line.flags = static_cast<std::uint32_t>(*flags);
  } else {
    line.flags = 0;
    r.corrected = true;
  }
  line.sel_start = 0;
  line.sel_end = 0;

  line.keyboard_layout = options.default_keyboard_layout;
  if (options.version >= 3) {
    const auto layout = TakeField(rest);
    if (!layout) {
      r.abort = true;
      return false;
    }
    if (const auto n = NumberOf<std::int32_t>(*layout)) {
      line.keyboard_layout = *n;
    } else {
      r.corrected = true;
    }
  }
  if (store::HasFlag(line, store::line_flag::kBookmark)) {
    const auto name = TakeField(rest);
    if (!name) {
      r.abort = true;
      return false;
    }
    line.bookmark_name = std::string(*name);
  }
  if (store::IsSlugLine(line)) {
    const auto id = TakeField(rest);
    const auto second_id = id ? TakeField(rest) : std::nullopt;
    const auto length = second_id ? TakeField(rest) : std::nullopt;
    if (!length) {
      r.abort = true;
      return false;
    }
    StoryFields story;
    story.id = std::string(*id);
    for (char c : *second_id) {
      story.second_id += static_cast<char>(
          store::ToUpperByte(static_cast<std::uint8_t>(c), store::kDefaultCodePage));
    }
    if (!length->empty()) {
      if (const auto n = NumberOf<std::uint32_t>(*length)) {
        story.length = *n;
      } else {
        r.corrected = true;
      }
    }
    // The presenter number ends in DEL; a DEL further into the text is text.
    const auto del = rest.find(kPresenterEnd);
    if (del != std::string_view::npos && del >= 1 && del <= 2) {
      story.presenter = NumberOf<int>(rest.substr(0, del)).value_or(0);
      rest.remove_prefix(del + 1);
    }
    r.story = std::move(story);
  }
  line.text_a = std::string(rest);
  return true;
}

ParsedRecord ReadLineRecord(LineCursor& cursor, const ReadOptions& options) {
  ParsedRecord r;
  store::e_object& line = r.line;
  const std::string_view head = cursor.Next();
  const std::string_view second = cursor.Next();
  if (!ParseHeadLine(head, options, r)) return r;

  line.text_b = std::string(second);

  const auto decode = [&](std::string_view runs, std::uint8_t fallback, std::size_t length,
                          std::string& into) {
    DecodedRuns d = DecodeRuns(runs, fallback, length);
    r.corrected |= d.corrected;
    into = std::move(d.bytes);
    return !d.too_long && into.size() == length;
  };
  const std::string_view style_a = cursor.Next();
  const std::string_view style_b = cursor.Next();
  if (!decode(style_a, 0, line.text_a.size(), line.style_a) |
      !decode(style_b, 0, line.text_b.size(), line.style_b)) {
    store::ClearLineText(line);
    r.abort = true;
    return r;
  }
  if (options.colour_section) {
    const auto colour = NumberOf<int>(cursor.Next());
    if (!colour) r.corrected = true;
    line.line_colour =
        static_cast<std::uint8_t>(colour && *colour >= 0 && *colour <= 7 ? *colour : 7);
    const std::string_view colour_a = cursor.Next();
    const std::string_view colour_b = cursor.Next();
    const auto fallback = static_cast<std::uint8_t>(store::colour_bit::kDefault);
    if (!decode(colour_a, fallback, line.text_a.size(), line.colour_a) |
        !decode(colour_b, fallback, line.text_b.size(), line.colour_b)) {
      store::ClearLineText(line);
      r.abort = true;
      return r;
    }
  } else {
    line.colour_a.assign(line.text_a.size(), options.default_colour);
    line.colour_b.assign(line.text_b.size(), options.default_colour);
  }
  if (options.version < 5) NormaliseBlanks(line);
  if (options.version >= 4) line.studio_text = std::string(cursor.Next());
  return r;
}

}  // namespace telvane::formats
