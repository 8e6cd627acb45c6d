#include "prompt/render_tool.h"

#include <gtest/gtest.h>

#include <sstream>

#include "png_reader.h"
#include "support/temp_dir.h"

namespace telvane::prompt {
namespace {

const std::string kDemo = TELVANE_SOURCE_DIR "/examples/demo.tvl";

int Render(const std::vector<std::string>& args, std::string* out = nullptr) {
  std::ostringstream o;
  std::ostringstream e;
  const int status = RunRenderCommand(args, o, e);
  if (out != nullptr) *out = o.str();
  return status;
}

TEST(RenderTool, WritesThePageAndThePreview) {
  const telvane::testing::TempDir dir;
  ASSERT_EQ(Render({kDemo, "--out", dir.File("page.png")}), 0);
  const auto page = testing::DecodePalettePng(testing::ReadFile(dir.File("page.png")));
  ASSERT_TRUE(page.has_value());
  EXPECT_EQ(page->width, 668);
  EXPECT_EQ(page->height, 896);
  // Text, slug bands and black background are all there.
  const auto count = [&](std::uint8_t c) {
    return std::count(page->pixels.begin(), page->pixels.end(), c);
  };
  EXPECT_GT(count(0), 0);
  EXPECT_GT(count(7), 0);

  ASSERT_EQ(Render({kDemo, "--preview", "--out", dir.File("preview.png")}), 0);
  const auto preview = testing::DecodePalettePng(testing::ReadFile(dir.File("preview.png")));
  ASSERT_TRUE(preview.has_value());
  EXPECT_EQ(preview->width, 222);
}

TEST(RenderTool, EncodeCountsTheRunWordsOfEachRow) {
  std::string out;
  ASSERT_EQ(Render({kDemo, "--encode"}, &out), 0);
  std::istringstream lines(out);
  std::string line;
  long sum = 0;
  int rows = 0;
  while (std::getline(lines, line) && line.starts_with("row ")) {
    sum += std::stol(line.substr(line.find(':') + 1));
    ++rows;
  }
  EXPECT_EQ(rows, 896);
  EXPECT_EQ(line, "total: " + std::to_string(sum));
  EXPECT_GE(sum, 3 * 896);
}

TEST(RenderTool, Failures) {
  EXPECT_EQ(Render({}), 2);
  EXPECT_EQ(Render({kDemo}), 2);
  EXPECT_EQ(Render({kDemo, "--encode", "--out", "x.png"}), 2);
  EXPECT_EQ(Render({kDemo, "--story"}), 2);
  EXPECT_EQ(Render({kDemo, "--story", "no such story", "--encode"}), 1);
  EXPECT_EQ(Render({"/nonexistent/script.tvl", "--encode"}), 1);
}

}  // namespace
}  // namespace telvane::prompt
