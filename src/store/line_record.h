#pragma once

// The records of the script: one line record per prompt line pair (segments A and B) and one
// run-order entry per story. Plain data; the store links, allocates and frees them.

#include <cstdint>
#include <string>

namespace telvane::store {

struct r_object;

// Bits of e_object::flags, the line flags word.
namespace line_flag {
inline constexpr std::uint32_t kStatusMask = 0x7;
inline constexpr std::uint32_t kHardReturn = 0x8;
inline constexpr std::uint32_t kSlugLine = 0x10;
inline constexpr std::uint32_t kRightToLeft = 0x20;
inline constexpr std::uint32_t kCloaked = 0x40;
inline constexpr std::uint32_t kReadMark = 0x80;
inline constexpr std::uint32_t kBookmark = 0x100;
inline constexpr std::uint32_t kPackage = 0x200;
inline constexpr std::uint32_t kPresenterInstruction = 0x400;
inline constexpr std::uint32_t kPageBreak = 0x800;
inline constexpr std::uint32_t kHardBlank = 0x1000;
inline constexpr std::uint32_t kTimingCloaked = 0x2000;
inline constexpr std::uint32_t kSnapshot = 0x4000;
inline constexpr std::uint32_t kStudioMark = 0x8000;
inline constexpr int kEmptyStyleShift = 16;
inline constexpr std::uint32_t kEmptyStyleMask = 0xF0000;
inline constexpr int kPresenterShift = 20;
inline constexpr std::uint32_t kPresenterMask = 0xF00000;
inline constexpr int kCharsetShift = 24;
inline constexpr std::uint32_t kCharsetMask = 0xFF000000;
}  // namespace line_flag

// Bits of e_object::flags2, the line state word.
namespace line_state {
inline constexpr std::uint32_t kTimingLine = 0x1;
inline constexpr std::uint32_t kStorySaved = 0x2;
inline constexpr std::uint32_t kFitMark = 0x8;
inline constexpr std::uint32_t kMosEvent = 0x10;
inline constexpr std::uint32_t kDropMark = 0x20;
inline constexpr std::uint32_t kClickMark = 0x80;
inline constexpr std::uint32_t kOutOfTotals = 0x1000;
inline constexpr std::uint32_t kOnAir = 0x2000;
inline constexpr std::uint32_t kHeadMargin = 0x4000;
inline constexpr std::uint32_t kTailMargin = 0x8000;
}  // namespace line_state

// Style byte: the four style bits and the font number.
namespace style_bit {
inline constexpr std::uint8_t kBold = 0x1;
inline constexpr std::uint8_t kItalic = 0x2;
inline constexpr std::uint8_t kUnderline = 0x4;
inline constexpr std::uint8_t kInverse = 0x8;
inline constexpr std::uint8_t kStyleMask = 0xF;
inline constexpr int kFontShift = 4;
inline constexpr std::uint8_t kFontMask = 0x70;
}  // namespace style_bit

// Colour byte: text colour, background colour and the studio mark.
namespace colour_bit {
inline constexpr std::uint8_t kTextMask = 0x07;
inline constexpr int kBackgroundShift = 3;
inline constexpr std::uint8_t kBackgroundMask = 0x38;
inline constexpr std::uint8_t kStudioMark = 0x80;
// Text colour 0 on background 7.
inline constexpr char kDefault = '8';
}  // namespace colour_bit

inline constexpr std::uint8_t kNoLineColour = 7;
inline constexpr int kDefaultCharset = 1;
inline constexpr int kDefaultHeight = 64;

enum class Segment { kA, kB };

struct e_object {
  e_object* next = nullptr;
  e_object* prev = nullptr;
  r_object* story = nullptr;
  std::uint32_t flags = static_cast<std::uint32_t>(kDefaultCharset) << line_flag::kCharsetShift;
  std::uint32_t flags2 = 0;
  std::int32_t sel_start = 0;
  std::int32_t sel_end = 0;
  std::int32_t height_a = kDefaultHeight;
  std::int32_t height_b = kDefaultHeight;
  std::string bookmark_name;
  std::string text_a;
  std::string text_b;
  std::string style_a;
  std::string style_b;
  std::string colour_a;
  std::string colour_b;
  std::uint8_t line_colour = kNoLineColour;
  std::int32_t keyboard_layout = 0;
  std::string studio_text;
  std::int32_t presenter = 0;
  std::string mos_cue_a;
  std::string mos_cue_b;
};

struct r_object {
  r_object* next = nullptr;
  r_object* prev = nullptr;
  e_object* line = nullptr;
  std::string story_id = "0";
  std::string second_id;
  std::string load_id;
  std::string remote_key;
  std::string ncs_id;
  std::uint32_t length = 0;
  std::uint32_t file_time = 0;
  std::uint8_t newsroom_mark = 0;
  std::uint8_t sync_mark = 0;
  std::uint8_t state_c = 0;
  std::uint8_t state_d = 0;
  std::string modify_date;
  std::string air_date;
  std::int32_t story_presenter = 0;
  std::int32_t program = -1;
};

inline bool IsMargin(const e_object& line) {
  return line.flags2 >= line_state::kHeadMargin;
}
inline bool IsHeadMargin(const e_object& line) {
  return (line.flags2 & line_state::kHeadMargin) != 0;
}
inline bool IsTailMargin(const e_object& line) {
  return (line.flags2 & line_state::kTailMargin) != 0;
}
inline bool IsSlugLine(const e_object& line) {
  return (line.flags & line_flag::kSlugLine) != 0;
}
inline bool HasFlag(const e_object& line, std::uint32_t bit) {
  return (line.flags & bit) != 0;
}
inline int CharsetOf(const e_object& line) {
  return static_cast<int>(line.flags >> line_flag::kCharsetShift);
}
// Empties both text parts with their style and colour strings, keeping them parallel.
inline void ClearLineText(e_object& line) {
  line.text_a.clear();
  line.text_b.clear();
  line.style_a.clear();
  line.style_b.clear();
  line.colour_a.clear();
  line.colour_b.clear();
}
inline bool IsEmptyLine(const e_object& line) {
  return line.text_a.empty() && line.text_b.empty();
}
inline std::size_t TextLength(const e_object& line) {
  return line.text_a.size() + line.text_b.size();
}
inline int FontOfStyle(char style) {
  return (static_cast<std::uint8_t>(style) & style_bit::kFontMask) >> style_bit::kFontShift;
}

}  // namespace telvane::store
