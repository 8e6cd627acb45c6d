#include "store/code_pages.h"

#include <gtest/gtest.h>

#include <string>

namespace telvane::store {
namespace {

struct RoundTrip {
  int code_page;
  std::string bytes;
  std::string utf8;
};

TEST(CodePages, ConvertsBothWays) {
  const RoundTrip cases[] = {
      {1252, "caf\xE9 \x80 \x93quote\x94", "café € “quote”"},
      {1250,
       "\x8A\x9A \xB3\xF3"
       "d\xBF",
       "Šš łódż"},
      {1251, "\xCF\xF0\xE8\xE2\xE5\xF2", "Привет"},
      {1253, "\xC1\xE8\xDE\xED\xE1", "Αθήνα"},
      {1254, "\xDDstanbul \xFE", "İstanbul ş"},
      {1255, "\xF9\xEC\xE5\xED", "שלום"},
      {1256, "\xE3\xD1\xCD\xC8\xC7", "مرحبا"},
      {1257, "\xD0\xE2", "Šā"},
      {874, "\xCA\xC7\xD1\xCA\xB4\xD5", "สวัสดี"},
      {437, "\xC9\xCD\xBB \x9C", "╔═╗ £"},
      // 0x81 is unassigned in 1252 and must still survive the trip.
      {1252, "a\x81z", "a\xC2\x81z"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code_page);
    EXPECT_EQ(CodePageToUtf8(c.bytes, c.code_page), c.utf8);
    EXPECT_EQ(Utf8ToCodePage(c.utf8, c.code_page), c.bytes);
  }
}

TEST(CodePages, EveryAssignedByteSurvivesARoundTrip) {
  for (const int page : {437, 874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257}) {
    for (int b = 0; b < 256; ++b) {
      const char32_t u = ByteToUnicode(static_cast<std::uint8_t>(b), page);
      if (u != 0xFFFD) {
        EXPECT_EQ(UnicodeToByte(u, page), b) << page << " " << b;
      }
    }
  }
}

TEST(CodePages, UnmappableAndMalformedInputBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCodePage("Привет", 1252), "??????");
  // A lone continuation byte, a truncated sequence, an overlong '/', and a surrogate.
  EXPECT_EQ(Utf8ToCodePage("a\x80z", 1252), "a?z");
  EXPECT_EQ(Utf8ToCodePage("a\xE2\x82", 1252), "a??");
  EXPECT_EQ(Utf8ToCodePage("\xC0\xAF", 1252), "?");
  EXPECT_EQ(Utf8ToCodePage("\xED\xA0\x80", 1252), "?");
  EXPECT_EQ(Utf8ToCodePage("\xF0\x9F\x98\x80", 1252), "?");
}

TEST(CodePages, CharsetNumbersMapToCodePages) {
  const std::pair<int, int> cases[] = {{0, 1252},   {1, 1252},   {161, 1253}, {162, 1254},
                                       {177, 1255}, {178, 1256}, {186, 1257}, {204, 1251},
                                       {222, 874},  {238, 1250}, {77, 1252}};
  for (const auto& [charset, page] : cases) {
    EXPECT_EQ(CodePageOfCharset(charset), page) << charset;
  }
  EXPECT_EQ(CodePageToUtf8("\xE9", 9999), "é");
}

TEST(CodePages, CaseConversionFollowsTheCodePage) {
  struct Case {
    int code_page;
    std::uint8_t lower;
    std::uint8_t upper;
  };
  const Case pairs[] = {{1252, 0xE9, 0xC9}, {1252, 0xFF, 0x9F}, {1252, 0x9A, 0x8A},
                        {1251, 0xE0, 0xC0}, {1253, 0xE1, 0xC1}, {1250, 0xB3, 0xA3},
                        {437, 0x82, 0x90},  {1252, 'q', 'Q'}};
  for (const auto& c : pairs) {
    EXPECT_EQ(ToUpperByte(c.lower, c.code_page), c.upper) << c.code_page << " " << int(c.lower);
    EXPECT_EQ(ToLowerByte(c.upper, c.code_page), c.lower) << c.code_page << " " << int(c.upper);
  }
  // No single upper-case byte: sharp s stays, and so does a Hebrew letter.
  EXPECT_EQ(ToUpperByte(0xDF, 1252), 0xDF);
  EXPECT_EQ(ToUpperByte(0xF9, 1255), 0xF9);
}

}  // namespace
}  // namespace telvane::store
