#include "formats/native_file.h"

#include <gtest/gtest.h>

#include "store/line_fit.h"
#include "support/fixed_measure.h"

namespace telvane::formats {
namespace {

using store::e_object;
namespace lf = store::line_flag;

// Ten pixels a character: enough to lay out lines without fonts.
using testing::FixedMeasure;

class NativeFileTest : public ::testing::Test {
 protected:
  NativeFileTest() { store.NewScript(); }

  // Appends a line with uniform attributes after the last line.
  e_object* Add(std::string a, std::string b, std::uint32_t flags = 0) {
    e_object* line = first_used_ ? store.InsertLine(store.last_line(), true) : store.first_line();
    first_used_ = true;
    line->flags |= flags;
    line->text_a = std::move(a);
    line->text_b = std::move(b);
    line->style_a.assign(line->text_a.size(), '\x10');
    line->style_b.assign(line->text_b.size(), '\x01');
    line->colour_a.assign(line->text_a.size(), '8');
    line->colour_b.assign(line->text_b.size(), '\x0B');
    if (store::IsSlugLine(*line)) {
      const auto open = line->text_a.find('[');
      store.CreateStoryEntry(line)->story_id =
          line->text_a.substr(open + 1, line->text_a.find(']') - open - 1);
    }
    return line;
  }

  // Reads text into a fresh store the way an Open does: after one empty line.
  NativeReadResult ReadInto(store::ScriptStore& target, const std::string& text, int version) {
    FontTable fonts;
    NativeReadSetup setup;
    setup.fonts = &fonts;
    setup.script_was_empty = true;
    return ReadNativeFile(text, version, false, target, target.first_line(), setup);
  }

  FixedMeasure measure;
  store::StoreNotices notices;
  store::ScriptStore store{measure, notices};
  bool first_used_ = false;
};

TEST_F(NativeFileTest, ScriptRoundTripsThroughTheStore) {
  e_object* slug = Add("[12] FIRE ", "DOWNTOWN", lf::kSlugLine);
  slug->story->second_id = "LIVE";
  slug->story->length = 88;
  e_object* body = Add("Crews are at ", "the scene.", lf::kBookmark | lf::kHardReturn);
  body->bookmark_name = "top";
  body->studio_text = "CAM 1";
  body->keyboard_layout = 1049;
  Add("hidden", "", lf::kCloaked);
  Add("[13] WEATHER", "", lf::kSlugLine);

  const std::string text = WriteNativeFile(store, store.first_line(), FontTable{}, {});
  store::ScriptStore read{measure, notices};
  read.NewScript();
  const NativeReadResult r = ReadInto(read, text, 5);
  ASSERT_EQ(r.error, NativeReadError::kNone);
  EXPECT_FALSE(r.corrected);
  EXPECT_EQ(r.records, 4);
  EXPECT_EQ(r.open_story_id, "13");
  EXPECT_EQ(read.CheckScriptLinks().code, 0);
  EXPECT_EQ(WriteNativeFile(read, read.first_line(), FontTable{}, {}), text);
  const e_object* first = read.first_line();
  ASSERT_NE(first->story, nullptr);
  EXPECT_EQ(first->story->story_id, "12");
  EXPECT_EQ(first->story->load_id, "12");
  EXPECT_EQ(first->story->second_id, "LIVE");
  EXPECT_EQ(first->next->studio_text, "CAM 1");
  EXPECT_EQ(first->next->keyboard_layout, 1049);
}

TEST_F(NativeFileTest, CloakedLinesAndStoryOnlySaves) {
  Add("[1] ONE", "", lf::kSlugLine);
  Add("hidden", "", lf::kCloaked);
  Add("[2] TWO", "", lf::kSlugLine);
  Add("two text", "");
  const std::string without =
      WriteNativeFile(store, store.first_line(), FontTable{}, {5, false, false, false});
  EXPECT_EQ(without.find("hidden"), std::string::npos);
  const e_object* second_story = store.first_line()->next->next;
  const std::string story =
      WriteNativeFile(store, second_story, FontTable{}, {5, true, true, false});
  EXPECT_EQ(story.find("ONE"), std::string::npos);
  EXPECT_NE(story.find("two text"), std::string::npos);
}

TEST_F(NativeFileTest, HeaderOnlyFileAddsNothing) {
  const std::string header = WriteFontHeader(5, FontTable{});
  const NativeReadResult r = ReadInto(store, header, 5);
  EXPECT_EQ(r.error, NativeReadError::kNone);
  EXPECT_EQ(r.records, 0);
  EXPECT_TRUE(store.IsOnlyLine(store.first_line()));
}

TEST_F(NativeFileTest, FaultsLeaveAConsistentStore) {
  const std::string good = WriteFontHeader(5, FontTable{}) +
                           "16,0,7,,0,[7] OK\r\n\r\n0,6;\r\n\r\n7\r\n56,6;\r\n\r\n\r\n";
  struct Case {
    std::string text;
    int version;
    NativeReadError error;
  };
  const Case cases[] = {
      {"QMR4\r\n11\r\n", 5, NativeReadError::kBadHeader},
      {"QMR5\r\n1234\r\n", 5, NativeReadError::kBadHeader},
      {good + "16,0,8,,0,[8] BAD\r\n\r\n0,99;\r\n\r\n7\r\n\r\n\r\n\r\n", 5,
       NativeReadError::kBadRecord},
      {good + "16,0,9,\r\n", 5, NativeReadError::kBadRecord},
  };
  for (const Case& c : cases) {
    store::ScriptStore s{measure, notices};
    s.NewScript();
    const NativeReadResult r = ReadInto(s, c.text, c.version);
    EXPECT_EQ(r.error, c.error) << c.text;
    EXPECT_EQ(s.CheckScriptLinks().code, 0) << c.text;
  }
}

TEST_F(NativeFileTest, DifferentFontsAskUnlessTheScriptWasEmpty) {
  FontTable file_fonts;
  file_fonts.fonts[0].name = "Liberation Serif";
  const std::string text = WriteFontHeader(5, file_fonts);
  FontTable current;
  int asked = 0;
  NativeReadSetup setup;
  setup.fonts = &current;
  setup.keep_fonts_and_continue = [&] {
    ++asked;
    return false;
  };
  setup.script_was_empty = false;
  EXPECT_EQ(ReadNativeFile(text, 5, false, store, store.first_line(), setup).error,
            NativeReadError::kAborted);
  EXPECT_EQ(current.fonts[0].name, "Arial");
  setup.script_was_empty = true;
  const NativeReadResult r = ReadNativeFile(text, 5, false, store, store.first_line(), setup);
  EXPECT_EQ(r.error, NativeReadError::kNone);
  EXPECT_TRUE(r.fonts_differed);
  EXPECT_EQ(current.fonts[0].name, "Liberation Serif");
  EXPECT_EQ(asked, 1);
}

}  // namespace
}  // namespace telvane::formats
