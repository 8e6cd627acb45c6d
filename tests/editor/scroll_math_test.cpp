#include "editor/scroll_math.h"

#include <gtest/gtest.h>

namespace telvane::editor {
namespace {

TEST(ScrollMathTest, VerticalPositionsUseWideArithmetic) {
  EXPECT_EQ(ScrollPositionOf(0, 1, 100), 0);
  EXPECT_EQ(ScrollPositionOf(5, 10, 0), 0);
  EXPECT_EQ(ScrollPositionOf(9, 10, 90), 90);
  // 49,999 * 2,000,000 does not fit 32 bits.
  EXPECT_EQ(ScrollPositionOf(49'999, 50'000, 2'000'000), 2'000'000);
  EXPECT_EQ(ScrollPositionOf(25'000, 50'001, 2'000'000), 1'000'000);
  EXPECT_EQ(IndexAtScrollPosition(2'000'000, 2'000'000, 50'000), 49'999);
  EXPECT_EQ(IndexAtScrollPosition(1'000'000, 2'000'000, 50'000), 25'000);
  EXPECT_EQ(IndexAtScrollPosition(10, 0, 50), 0);
  EXPECT_EQ(IndexAtScrollPosition(-5, 10, 50), 0);
}

TEST(ScrollMathTest, HorizontalOffsetMovesByHalfWidths) {
  struct Case {
    int caret_x, offset, width, expected;
  };
  const Case cases[] = {
      {50, 0, 100, 0},      {100, 0, 100, 50}, {260, 0, 100, 200}, {10, 200, 100, 0},
      {160, 200, 100, 150}, {500, 0, 1, 0},    {500, 7, 0, 7},     {500, 0, -3, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HorizontalOffsetFor(c.caret_x, c.offset, c.width), c.expected)
        << c.caret_x << " " << c.offset << " " << c.width;
  }
}

}  // namespace
}  // namespace telvane::editor
