#pragma once

// The native script file: a 13-line font header, then one record of 7 to 9 file lines per
// script line. Pure text in and out; the reader that fills the store is native_reader.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/result.h"
#include "store/line_record.h"

namespace telvane::formats {

inline constexpr int kOldestWritableVersion = 2;
inline constexpr int kNewestVersion = 5;

struct FontEntry {
  std::string name = "Arial";
  int prompt_size = 64;  // 16 to 200
  int edit_size = 12;    // 8 to 40
  int spacing = 0;       // interline spacing
  friend bool operator==(const FontEntry&, const FontEntry&) = default;
};

struct FontTable {
  std::array<FontEntry, 8> fonts;
  int selected = 0;  // 0 to 7
};

// Splits at each carriage return and skips the one character after it, as every reader of
// these files has; a last line without an end is a line too.
class LineCursor {
 public:
  explicit LineCursor(std::string_view data) : data_(data) {}
  bool AtEnd() const { return pos_ >= data_.size(); }
  std::string_view Next();

 private:
  std::string_view data_;
  std::size_t pos_ = 0;
};

std::string WriteFontHeader(int version, const FontTable& table);

struct FontHeader {
  FontTable table;
  bool colour_section = false;
};

// Reads the count line and the key lines after the magic. Fails on a count that is not 1 to 3
// digits. Sizes and the selection are range-checked with the configuration's fallbacks.
Result<FontHeader> ReadFontHeader(LineCursor& cursor, const FontTable& current);

// Entries 1 to 7 decide whether a file was made with the same fonts.
bool SameFonts(const FontTable& a, const FontTable& b);

struct StoryFields {
  std::string id;
  std::string second_id;
  std::uint32_t length = 0;
  int presenter = 0;
};

struct WriteOptions {
  int version = kNewestVersion;
  bool presenter_enabled = false;
};

// One record. Line ends inside fields are replaced by blanks so the file stays readable.
std::string WriteLineRecord(const store::e_object& line, const StoryFields* story,
                            const WriteOptions& options);

struct ReadOptions {
  int version = kNewestVersion;
  bool colour_section = true;
  std::int32_t default_keyboard_layout = 0;
  char default_colour = store::colour_bit::kDefault;
};

struct ParsedRecord {
  store::e_object line;  // text, attributes, flags and the per-line fields; no links
  std::optional<StoryFields> story;
  bool corrected = false;  // a field did not convert and took its fallback
  bool abort = false;      // a structural fault: the record is cleared
};

ParsedRecord ReadLineRecord(LineCursor& cursor, const ReadOptions& options);

// The head line of a record: flags, keyboard layout, bookmark, story fields and the first
// text part. False (and r.abort) when a field's "," is missing.
bool ParseHeadLine(std::string_view head, const ReadOptions& options, ParsedRecord& r);

// "QMR1".."QMR5" -> 1..5, else 0.
int NativeVersionOfMagic(std::string_view magic);

}  // namespace telvane::formats
