// telvane-tool's script commands on files written by another program to the native layout.

#include "formats/script_tool.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/files.h"
#include "support/temp_dir.h"

namespace telvane::formats {
namespace {

const std::string kDemo = std::string(TELVANE_SOURCE_DIR) + "/examples/demo.tvl";

TEST(ScriptTool, DumpPrintsEveryLineAsJson) {
  std::ostringstream out;
  std::ostringstream err;
  ASSERT_EQ(RunDumpCommand({"--json", kDemo}, out, err), 0) << err.str();
  const std::string json = out.str();
  EXPECT_EQ(json.rfind("{\"lines\":[\n{\"flags\":24,", 0), 0u);
  EXPECT_NE(json.find("\"text_a\":\"[2,LIVE] FLOOD\""), std::string::npos);
  EXPECT_NE(json.find("\"story\":{\"story_id\":\"2\",\"second_id\":\"LIVE\",\"load_id\":\"2\""),
            std::string::npos);
  EXPECT_NE(json.find("\"studio_text\":\"VT 1\""), std::string::npos);
  EXPECT_EQ(json.substr(json.size() - 4), "\n]}\n");
}

TEST(ScriptTool, CheckAndConvertRoundTrip) {
  testing::TempDir dir;
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(RunCheckCommand({kDemo}, out, err), 0);
  EXPECT_EQ(out.str(), "Diagnostic Test : Pass\n");
  ASSERT_EQ(RunConvertCommand({kDemo, dir.File("copy.tvl")}, out, err), 0) << err.str();
  EXPECT_EQ(*platform::ReadWholeFile(dir.File("copy.tvl")), *platform::ReadWholeFile(kDemo));
  EXPECT_EQ(RunConvertCommand({kDemo, dir.File("copy.rtf")}, out, err), 1);
}

TEST(ScriptTool, ReaderErrorsGoToStandardError) {
  testing::TempDir dir;
  dir.Write("bad.tvl", "QMR5\r\n1234\r\n");
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(RunDumpCommand({"--json", dir.File("bad.tvl")}, out, err), 1);
  EXPECT_EQ(out.str(), "");
  EXPECT_NE(err.str().find("header"), std::string::npos);
  EXPECT_EQ(RunDumpCommand({dir.File("bad.tvl")}, out, err), 2);
}

}  // namespace
}  // namespace telvane::formats
