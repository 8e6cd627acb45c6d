#include "prompt/row_encoding.h"

#include <gtest/gtest.h>

#include <vector>

namespace telvane::prompt {
namespace {

constexpr int kRow = 668;

std::uint32_t Word(int colour, int length, int mark) {
  return static_cast<std::uint32_t>(colour | length << 8 | mark << 16);
}

TEST(EncodeRow, RowsBecomeRunWords) {
  const CardColourMap map = BuildCardColourMap();
  struct Case {
    const char* name;
    std::vector<std::uint8_t> row;
    std::vector<std::uint32_t> words;
  };
  std::vector<std::uint8_t> split(kRow, 0);
  std::fill(split.begin() + 300, split.end(), 7);
  const std::vector<Case> cases = {
      {"one colour",
       std::vector<std::uint8_t>(kRow, 3),
       {Word(3, 255, 5), Word(3, 255, 6), Word(3, 158, 6)}},
      {"two runs, the first split",
       split,
       {Word(0, 255, 5), Word(0, 45, 6), Word(7, 255, 6), Word(7, 113, 6)}},
      {"a value outside the eight colours",
       std::vector<std::uint8_t>(kRow, 200),
       {Word(0, 255, 5), Word(0, 255, 6), Word(0, 158, 6)}},
  };
  for (const Case& c : cases) {
    std::vector<std::uint32_t> words{0xDEADBEEF};
    EXPECT_EQ(EncodeRow(c.row, map, words), static_cast<int>(c.words.size())) << c.name;
    words.erase(words.begin());
    EXPECT_EQ(words, c.words) << c.name;
  }
}

TEST(EncodeRow, AlternatingColoursGiveOneWordPerPixel) {
  const CardColourMap map = BuildCardColourMap();
  std::vector<std::uint8_t> row(kRow);
  for (int x = 0; x < kRow; ++x) row[x] = static_cast<std::uint8_t>(x % 8);
  std::vector<std::uint32_t> words;
  ASSERT_EQ(EncodeRow(row, map, words), kRow);
  EXPECT_EQ(words[0], Word(0, 1, 5));
  for (int x = 1; x < kRow; ++x) {
    ASSERT_EQ(words[x], Word(x % 8, 1, 6)) << x;
  }
}

TEST(EncodeRow, BlackPageIsThreeWordsARow) {
  const CardColourMap map = BuildCardColourMap();
  const std::vector<std::uint8_t> page(static_cast<std::size_t>(kRow) * 896, 0);
  std::vector<std::uint32_t> words;
  for (int r = 0; r < 896; ++r) {
    EncodeRow(std::span(page).subspan(static_cast<std::size_t>(r) * kRow, kRow), map, words);
  }
  EXPECT_EQ(words.size(), 2688u);
}

}  // namespace
}  // namespace telvane::prompt
