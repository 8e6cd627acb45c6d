#include "store/line_fit.h"

#include <gtest/gtest.h>

#include "store_fixture.h"

namespace telvane::store::testing {
namespace {

using LineFitTest = StoreTest;

// 10 pixels a character; the reduction leaves `width` pixels of the raster.
int Reduction(const ScriptStore& store, int width) {
  return kPromptWidth - store.options().prompt_blank - width;
}

TEST_F(LineFitTest, FitSegmentBreaks) {
  struct Case {
    const char* name;
    std::string text;
    int width;
    std::string a;
    std::string b;
    std::string rest;
    void (*setup)(StoreOptions&) = nullptr;
    std::uint32_t flags = 0;
  };
  const Case cases[] = {
      {"at a space", "hello world again and more", 100, "hello ", "world ", "again and more"},
      {"space at the break", "abcdefghi jklm", 100, "abcdefghi ", "jklm", ""},
      {"after a lone hyphen", "well-known facts", 100, "well-", "known ", "facts"},
      {"not inside --", "aaaa--bbbbbbbb", 100, "aaaa--bbb", "bbbbb", ""},
      {"no hyphen breaks when off", "well-known facts", 100, "well-know", "n facts", "",
       [](StoreOptions& o) { o.line_break_on_hyphen = false; }},
      {"word wider than the width", "abcdefghijklmnopqrst", 100, "abcdefghi", "jklmnopqr", "st"},
      {"zero width", "abc", 0, "a", "b", "c"},
      {"negative width", "abc", -40, "a", "b", "c"},
      {"hard space is no break",
       "abc\xA0"
       "defghijklm",
       100,
       "abc\xA0"
       "defgh",
       "ijklm", ""},
      {"segment B does not start with spaces", "abcdefghi    jk", 100, "abcdefghi ", "jk", ""},
      {"break at 2 cuts in segment B", "abcdefghi a bcdefghijkl", 100, "abcdefghi ", "a bcdefgh",
       "ijkl"},
      {"script as prompt", "hello world again", 100, "hello ", "", "world again",
       [](StoreOptions& o) { o.script_as_prompt = true; }},
      {"truncated slug takes the rest", "hello world again and more", 100, "hello ",
       "world again and more", "", [](StoreOptions& o) { o.truncate_slugline = true; },
       line_flag::kSlugLine},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    store.options() = StoreOptions{};
    if (c.setup != nullptr) {
      c.setup(store.options());
    }
    e_object& line = *store.first_line();
    line.flags = c.flags;
    StyledText rest = Plain(c.text);
    FitSegment(store, line, rest, Segment::kA, Reduction(store, c.width));
    FitSegment(store, line, rest, Segment::kB, Reduction(store, c.width));
    EXPECT_EQ(line.text_a, c.a);
    EXPECT_EQ(line.text_b, c.b);
    EXPECT_EQ(rest.text, c.rest);
    EXPECT_EQ(line.style_a.size(), line.text_a.size());
    EXPECT_EQ(line.colour_b.size(), line.text_b.size());
    EXPECT_TRUE(rest.aligned());
  }
}

TEST_F(LineFitTest, TheCharacterCapHoldsAtAnyWidth) {
  std::string words;
  while (words.size() < 200) {
    words += "abcdefghi ";
  }
  e_object* last = LayOutText(store, store.first_line(), Plain(words), Reduction(store, 5000));
  std::string joined;
  for (e_object* l = store.first_line();; l = l->next) {
    for (const std::string* seg : {&l->text_a, &l->text_b}) {
      EXPECT_LE(seg->size(), kSegmentCharacterLimit);
      EXPECT_FALSE(seg->starts_with(' ')) << *seg;
      joined += *seg;
    }
    if (l == last) {
      break;
    }
  }
  EXPECT_EQ(joined, words);
  EXPECT_GT(store.line_count(), 1);
  EXPECT_EQ(store.CheckScriptLinks().code, 0);
}

TEST_F(LineFitTest, SegmentHeightIsTheTallestFontUsed) {
  e_object& line = *store.first_line();
  StyledText t = Plain("ab");
  t.style[1] = 0x30;  // font 3
  FitSegment(store, line, t, Segment::kA, 0);
  FitSegment(store, line, t, Segment::kB, 0);
  EXPECT_EQ(line.height_a, 98);
  // An empty segment B looks back to segment A.
  EXPECT_EQ(line.height_b, 98);
  e_object* next = store.InsertLine(&line, true);
  next->style_a.clear();
  line.style_b = std::string(1, '\x70');
  LineHeightFor(store, *next, Segment::kA, true);
  EXPECT_EQ(next->height_a, 120);
  LineHeightFor(store, *next, Segment::kA, false);
  EXPECT_EQ(next->height_a, 98);
}

TEST_F(LineFitTest, TimingLines) {
  struct Case {
    std::string text;
    bool slash_cloak;
    bool timing;
    bool timed_bit;
  };
  const Case cases[] = {
      {"//VT 0:30", false, true, true}, {"  //note", false, true, true},
      {"//note", false, true, false},   {"///not", false, false, false},
      {"/", true, true, false},         {"/", false, false, false},
      {"a // b", false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    store.options().slash_cloak = c.slash_cloak;
    e_object& line = *store.first_line();
    StyledText t = Plain(c.text);
    FitSegment(store, line, t, Segment::kA, 0);
    EXPECT_EQ(IsTimingLine(store, line), c.timing);
    EXPECT_EQ((line.flags2 & line_state::kTimingLine) != 0, c.timed_bit);
  }
  store.options().slash_cloak = true;
  e_object& slug = *store.first_line();
  slug.flags |= line_flag::kSlugLine;
  EXPECT_FALSE(IsTimingLine(store, slug));
}

TEST_F(LineFitTest, CanJoinNext) {
  struct Case {
    const char* name;
    std::uint32_t upper_flags;
    std::string lower_text;
    std::uint32_t lower_flags;
    bool joins;
  };
  const Case cases[] = {
      {"plain", 0, "more", 0, true},
      {"hard return", line_flag::kHardReturn, "more", 0, false},
      {"page break", line_flag::kPageBreak, "more", 0, false},
      {"///", 0, "///x", 0, false},
      {"studio mark", 0, "more", line_flag::kStudioMark, false},
      {"slug line below", 0, "more", line_flag::kSlugLine, false},
      {"cloaking differs", line_flag::kCloaked, "more", 0, false},
      {"presenter instruction", line_flag::kPresenterInstruction, "more",
       line_flag::kPresenterInstruction, false},
      {"empty line", 0, "", 0, false},
      {"indented", 0, " more", 0, false},
      {"direction differs", 0, "more", line_flag::kRightToLeft, false},
      {"instruction line", 0, "//more", 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    store.NewScript();
    e_object* upper = store.first_line();
    upper->text_a = upper->style_a = upper->colour_a = "text";
    upper->flags |= c.upper_flags;
    e_object* lower = store.InsertLine(upper, true);
    lower->text_a = lower->style_a = lower->colour_a = c.lower_text;
    lower->flags |= c.lower_flags;
    EXPECT_EQ(CanJoinNext(store, *upper, true), c.joins);
  }
  e_object* upper = store.first_line();
  upper->next->text_a = " indented";
  EXPECT_TRUE(CanJoinNext(store, *upper, false));
  upper->next->line_colour = 2;
  EXPECT_FALSE(CanJoinNext(store, *upper, false));
}

TEST_F(LineFitTest, RewrapKeepsTheTextAndTheParagraphEnd) {
  store.options().prompt_blank = kPromptWidth - 100;
  e_object* first = AddLine("one two three four five six seven eight nine ten ");
  AddLine("eleven twelve", line_flag::kHardReturn);
  e_object* next_paragraph = AddLine("next");
  LineRef ref(store.refs(), OnDelete::kFollow, OnNewScript::kFirstLine, first->next);

  EXPECT_EQ(RewrapParagraph(store, first), next_paragraph);
  const std::vector<std::string> narrow = Texts();
  ASSERT_EQ(narrow.size(), 5u);
  EXPECT_EQ(narrow[0], "one two three ");
  EXPECT_TRUE(HasFlag(*next_paragraph->prev, line_flag::kHardReturn));

  store.options().prompt_blank = 18;
  EXPECT_EQ(RewrapParagraph(store, first), next_paragraph);
  EXPECT_EQ(Texts(),
            (std::vector<std::string>{
                "one two three four five six seven eight nine ten eleven twelve", "next"}));
  EXPECT_TRUE(HasFlag(*first, line_flag::kHardReturn));
  EXPECT_EQ(ref.get(), next_paragraph);
  EXPECT_EQ(store.CheckScriptLinks().code, 0);
}

}  // namespace
}  // namespace telvane::store::testing
