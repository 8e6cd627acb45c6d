#include "formats/native_format.h"

#include <gtest/gtest.h>

namespace telvane::formats {
namespace {

using store::e_object;
namespace lf = store::line_flag;

e_object RichLine() {
  e_object line;
  line.flags = lf::kSlugLine | lf::kBookmark | lf::kCloaked | lf::kPackage | lf::kHardReturn |
               (204u << lf::kCharsetShift) | (3u << lf::kPresenterShift);
  line.keyboard_layout = 1049;
  line.bookmark_name = "open";
  line.text_a = "[12] FIRE DOWNTOWN ";
  line.text_b = "latest";
  line.style_a = std::string(10, '\x01') + std::string(9, '\x19');
  line.style_b = std::string(6, '\x08');
  line.colour_a = std::string(19, '8');
  line.colour_b = std::string(3, '8') + std::string(3, '\x83');
  line.line_colour = 3;
  line.studio_text = "CAM 2";
  return line;
}

TEST(NativeRecord, RoundTripsEveryFieldInEveryWrittenVersion) {
  const StoryFields story{"12", "LIVE", 173, 4};
  for (int version = 2; version <= 5; ++version) {
    SCOPED_TRACE(version);
    const e_object line = RichLine();
    const std::string text = WriteLineRecord(line, &story, {version, true});
    LineCursor cursor(text);
    const ParsedRecord r = ReadLineRecord(cursor, {version, true, 2057, '8'});
    EXPECT_TRUE(cursor.AtEnd());
    ASSERT_FALSE(r.abort);
    EXPECT_FALSE(r.corrected);
    EXPECT_EQ(r.line.flags, line.flags);
    EXPECT_EQ(r.line.keyboard_layout, version >= 3 ? 1049 : 2057);
    EXPECT_EQ(r.line.bookmark_name, "open");
    EXPECT_EQ(r.line.text_a, line.text_a);
    // Before version 5 the blank between the parts moved to the end of the first part.
    EXPECT_EQ(r.line.text_b, version == 5 ? "latest" : "latest ");
    EXPECT_EQ(r.line.style_a, line.style_a);
    EXPECT_EQ(r.line.colour_b.substr(0, 6), line.colour_b);
    EXPECT_EQ(r.line.line_colour, 3);
    EXPECT_EQ(r.line.studio_text, version >= 4 ? "CAM 2" : "");
    ASSERT_TRUE(r.story.has_value());
    EXPECT_EQ(r.story->id, "12");
    EXPECT_EQ(r.story->second_id, "LIVE");
    EXPECT_EQ(r.story->length, 173u);
    EXPECT_EQ(r.story->presenter, 4);
  }
}

TEST(NativeRecord, ExactBytesOfARecord) {
  e_object line;
  line.flags = 0x80000001u;
  line.keyboard_layout = 2057;
  line.text_a = "A";
  line.style_a = "\x10";
  line.colour_a = "8";
  EXPECT_EQ(WriteLineRecord(line, nullptr, {5, false}),
            "-2147483647,2057,A\r\n\r\n16,1;\r\n\r\n7\r\n56,1;\r\n\r\n\r\n");
}

TEST(NativeRecord, LineEndsNeverEnterTheFile) {
  e_object line = RichLine();
  line.studio_text = "CAM\r\n2";
  line.bookmark_name = "a\nb";
  const std::string text = WriteLineRecord(line, nullptr, {5, false});
  LineCursor cursor(text);
  const ParsedRecord r = ReadLineRecord(cursor, {5, true, 0, '8'});
  EXPECT_TRUE(cursor.AtEnd());
  EXPECT_EQ(r.line.studio_text, "CAM  2");
  EXPECT_EQ(r.line.bookmark_name, "a b");
}

TEST(NativeRecord, FaultsAndCorrections) {
  struct Case {
    const char* record;
    bool abort;
    bool corrected;
  };
  const Case cases[] = {
      {"no comma\r\n\r\n\r\n\r\n7\r\n\r\n\r\n\r\n", true, false},
      {"x,0,AB\r\n\r\n0,2;\r\n\r\n7\r\n56,2;\r\n\r\n\r\n", false, true},         // flags
      {"0,kb,AB\r\n\r\n0,2;\r\n\r\n7\r\n56,2;\r\n\r\n\r\n", false, true},        // layout
      {"0,0,AB\r\n\r\n0,3;\r\n\r\n7\r\n56,2;\r\n\r\n\r\n", true, false},         // length
      {"0,0,AB\r\n\r\n0,2;\r\n\r\nx\r\n56,2;\r\n\r\n\r\n", false, true},         // colour
      {"16,0,12,,AB\r\n\r\n0,2;\r\n\r\n7\r\n56,2;\r\n\r\n\r\n", true, false},    // story
      {"16,0,12,,x,AB\r\n\r\n0,2;\r\n\r\n7\r\n56,2;\r\n\r\n\r\n", false, true},  // count
      {"256,0,AB\r\n\r\n0,2;\r\n\r\n7\r\n56,2;\r\n\r\n\r\n", true, false},       // bookmark
      {"0,0,AB\r\n\r\n0,99999999;\r\n\r\n7\r\n56,2;\r\n\r\n\r\n", true, false},  // absurd run
  };
  for (const Case& c : cases) {
    LineCursor cursor(c.record);
    const ParsedRecord r = ReadLineRecord(cursor, {5, true, 0, '8'});
    EXPECT_EQ(r.abort, c.abort) << c.record;
    EXPECT_EQ(r.corrected, c.corrected) << c.record;
    if (r.abort) {
      EXPECT_EQ(r.line.text_a.size(), r.line.style_a.size()) << c.record;
    }
  }
}

TEST(NativeRecord, PresenterNumberNeedsOneOrTwoDigitsBeforeDel) {
  const auto head = [](const std::string& tail) {
    const std::string text = "16,0,7,,0," + tail + "\r\n\r\n\r\n\r\n7\r\n\r\n\r\n\r\n";
    LineCursor cursor(text);
    return ReadLineRecord(cursor, {5, true, 0, '8'});
  };
  EXPECT_EQ(head("12\x7f").story->presenter, 12);
  EXPECT_EQ(head("12\x7f").line.text_a, "");
  const ParsedRecord r = head("TEXT\x7f");
  EXPECT_EQ(r.story->presenter, 0);
  EXPECT_TRUE(r.abort);  // the DEL stayed in the text, so its attribute string is too short
}

TEST(NativeRecord, MinInt32FlagsWord) {
  e_object line;
  line.flags = 0x80000000u;
  const std::string text = WriteLineRecord(line, nullptr, {5, false});
  EXPECT_EQ(text.substr(0, 12), "-2147483648,");
  LineCursor cursor(text);
  EXPECT_EQ(ReadLineRecord(cursor, {5, true, 0, '8'}).line.flags, 0x80000000u);
}

TEST(FontHeader, WritesAndReadsTheTable) {
  FontTable table;
  table.selected = 3;
  table.fonts[2] = {"Liberation Serif", 90, 20, 4};
  const std::string text = WriteFontHeader(5, table);
  EXPECT_EQ(text.rfind("QMR5\r\n11\r\nFont Selection:3\r\nFont1:Arial/64/12\r\n", 0), 0u);
  EXPECT_NE(text.find("Font3:Liberation Serif/90/20\r\n"), std::string::npos);
  EXPECT_NE(text.find("Ilsp:0/0/4/0/0/0/0/0\r\nColor:YES\r\n"), std::string::npos);
  LineCursor cursor(text);
  EXPECT_EQ(NativeVersionOfMagic(cursor.Next()), 5);
  auto header = ReadFontHeader(cursor, FontTable{});
  ASSERT_TRUE(header.ok());
  EXPECT_TRUE(header->colour_section);
  EXPECT_EQ(header->table.selected, 3);
  EXPECT_EQ(header->table.fonts[2], table.fonts[2]);
  EXPECT_TRUE(cursor.AtEnd());
}

TEST(FontHeader, CountLineAndValueRules) {
  for (const char* bad : {"1234\r\n", "\r\n", "1a\r\n", "-1\r\n"}) {
    LineCursor cursor(bad);
    EXPECT_FALSE(ReadFontHeader(cursor, FontTable{}).ok()) << bad;
  }
  LineCursor none("0\r\n");
  auto h = ReadFontHeader(none, FontTable{});
  ASSERT_TRUE(h.ok());
  EXPECT_FALSE(h->colour_section);
  LineCursor odd(
      "6\r\nFont Selection:9\r\nFont1: Times /x/99\r\nFont2:OnlyName\r\nFont3:A/70\r\n"
      "Color:yes\r\nIlsp:1/2\r\n");
  h = ReadFontHeader(odd, FontTable{});
  ASSERT_TRUE(h.ok());
  EXPECT_EQ(h->table.selected, 0);
  EXPECT_EQ(h->table.fonts[0], (FontEntry{"Times", 64, 12, 1}));
  EXPECT_EQ(h->table.fonts[1], (FontEntry{"OnlyName", 64, 12, 2}));
  EXPECT_EQ(h->table.fonts[2].prompt_size, 64);
  EXPECT_FALSE(h->colour_section);
}

TEST(FontHeader, FontsMatchOnEntriesOneToSeven) {
  FontTable a;
  FontTable b;
  b.fonts[7].name = "Other";
  EXPECT_TRUE(SameFonts(a, b));
  b.fonts[6].spacing = 1;
  EXPECT_FALSE(SameFonts(a, b));
}

}  // namespace
}  // namespace telvane::formats
