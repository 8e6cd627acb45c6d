#include "formats/native_unicode.h"

#include <gtest/gtest.h>

namespace telvane::formats {
namespace {

std::string Utf16(std::u16string_view text) {
  std::string bytes;
  for (char16_t u : text) {
    bytes += static_cast<char>(u & 0xFF);
    bytes += static_cast<char>(u >> 8);
  }
  return bytes;
}

TEST(MapUnicodeChar, ScriptRanges) {
  struct Case {
    char16_t unit;
    int code_page;
    int layout;
    int charset;
  };
  for (const Case& c :
       {Case{u'A', 1252, 2057, 1}, Case{879, 1252, 2057, 1}, Case{880, 1253, 1032, 161},
        Case{0x416, 1251, 1049, 204}, Case{1424, 1255, 1037, 177}, Case{1791, 1256, 1025, 178},
        Case{3584, 874, 1054, 222}, Case{3712, 1252, 2057, 1}}) {
    const CharsetChoice choice = MapUnicodeChar(c.unit, 2057);
    EXPECT_EQ(choice.code_page, c.code_page) << int(c.unit);
    EXPECT_EQ(choice.keyboard_layout, c.layout) << int(c.unit);
    EXPECT_EQ(choice.charset, c.charset) << int(c.unit);
  }
}

TEST(UnicodeRecord, ReadsTextRunsAndCharset) {
  // Flags with bits above the low 20 (dropped), a story line with Cyrillic text.
  const std::u16string record =
      u"1048592,1049,7,live,12,\u0416A\r\n"
      u"x\n\r\n"
      u"14354,1;16,1;\r\n"
      u"0,1;\r\n"
      u"5\r\n"
      u"CAM\r\n"
      u"skip1\r\nskip2\r\nskip3\r\nskip4\r\n";
  const std::string bytes = Utf16(record);
  Utf16LineCursor cursor(bytes);
  const UnicodeRecord u = ReadUnicodeRecord(cursor, 5, {5, true, 2057, '8'});
  EXPECT_TRUE(cursor.AtEnd());
  ASSERT_FALSE(u.record.abort);
  const auto& line = u.record.line;
  EXPECT_EQ(line.flags & 0xFFFFFu, 0x10u);
  EXPECT_EQ(line.flags >> 24, 204u);
  EXPECT_EQ(line.keyboard_layout, 1049);
  EXPECT_EQ(line.text_a,
            "\xC6"
            "A");               // U+0416 in code page 1251
  EXPECT_EQ(line.text_b, "x");  // line feed dropped
  EXPECT_EQ(line.style_a, std::string("\x12\x10", 2));
  EXPECT_EQ(line.colour_a, std::string("\x38\x00", 2));
  EXPECT_EQ(line.line_colour, 5);
  EXPECT_EQ(line.studio_text, "CAM");
  EXPECT_EQ(u.record.story->second_id, "LIVE");
  EXPECT_EQ(u.record.story->length, 12u);
}

TEST(UnicodeRecord, MalformedRunsAreFaults) {
  const std::string bytes = Utf16(u"0,0,AB\r\n\r\nzz;\r\n\r\n7\r\n\r\n");
  Utf16LineCursor cursor(bytes);
  EXPECT_TRUE(ReadUnicodeRecord(cursor, 4, {5, true, 0, '8'}).record.abort);
}

TEST(Version1Record, RawAttributesAndTheOldSlugLetter) {
  const std::string text =
      "144,12,,30,[S12] STORM\r\nnext\r\n"
      "\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\r\n\x82\x82\x82\x82\r\n";
  LineCursor cursor(text);
  const ParsedRecord r = ReadLineRecordV1(cursor, {1, false, 2057, '8'});
  ASSERT_FALSE(r.abort);
  EXPECT_EQ(r.line.flags, 0x10u);  // the raw-attribute flag is cleared
  EXPECT_EQ(r.line.text_a, "[12] STORM");
  EXPECT_EQ(r.line.style_a, std::string(10, '\x01'));
  EXPECT_EQ(r.line.style_b, std::string(4, '\x02'));
  EXPECT_EQ(r.line.colour_b, "8888");
  EXPECT_EQ(r.line.keyboard_layout, 2057);
  EXPECT_EQ(r.story->id, "12");
  EXPECT_EQ(r.story->length, 30u);
}

}  // namespace
}  // namespace telvane::formats
