#include "formats/run_length.h"

#include <gtest/gtest.h>

namespace telvane::formats {
namespace {

TEST(RunLength, EncodesMaximalRuns) {
  EXPECT_EQ(EncodeRuns(std::string(5, '\0') + "\x10\x10"), "0,5;16,2;");
  EXPECT_EQ(EncodeRuns("\x10"), "16,1;");
  EXPECT_EQ(EncodeRuns(""), "");
  EXPECT_EQ(EncodeRuns("\xFF\x01\xFF"), "255,1;1,1;255,1;");
}

TEST(RunLength, DecodeTable) {
  struct Case {
    const char* line;
    std::size_t max;
    std::string bytes;
    bool corrected;
    bool too_long;
  };
  const Case cases[] = {
      {"0,5;16,2;", 7, std::string(5, '\0') + "\x10\x10", false, false},
      {"", 0, "", false, false},
      {"16,1;garbage", 1, "\x10", false, false},  // stops at a piece without ";"
      {"16,1;7;8,1;", 3, "\x10", false, false},   // stops at a piece without ","
      {"x,2;", 60, std::string(50, '\0'), true, false},
      {"300,2;", 60, std::string(50, '\0'), true, false},
      {"1,99999999999;", 10, "", false, true},  // never allocated
      {"1,18446744073709551616;", 10, std::string(), true, true},
      {"1,4;2,4;", 6, "\x01\x01\x01\x01", false, true},
  };
  for (const Case& c : cases) {
    const DecodedRuns d = DecodeRuns(c.line, 0, c.max);
    EXPECT_EQ(d.bytes, c.bytes) << c.line;
    EXPECT_EQ(d.corrected, c.corrected) << c.line;
    EXPECT_EQ(d.too_long, c.too_long) << c.line;
  }
}

}  // namespace
}  // namespace telvane::formats
