#include "prompt/prompt_position.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "prompt_script.h"

namespace telvane::prompt {
namespace {

using store::e_object;
using store::Segment;
namespace flag = store::line_flag;
namespace state = store::line_state;

TEST(IsPrompted, Rules) {
  struct Case {
    const char* name;
    std::function<void(RenderOptions&)> options;
    std::function<void(e_object&)> line;
    bool prompted;
  };
  const auto none = [](RenderOptions&) {};
  const auto remove_blanks = [](RenderOptions& o) { o.remove_blank_lines = true; };
  const auto text = [](const std::string& t) { return [t](e_object& l) { l.text_a = t; }; };
  const std::vector<Case> cases = {
      {"text", none, text("Text"), true},
      {"blank line kept", none, text(""), true},
      {"blank line removed", remove_blanks, text(""), false},
      {"line of blanks removed", remove_blanks, text("   "), false},
      {"line of blanks kept without all spaces",
       [](RenderOptions& o) {
         o.remove_blank_lines = true;
         o.blank_lines_all_spaces = false;
       },
       text("   "), true},
      {"hard blank line stays", remove_blanks, [](e_object& l) { l.flags |= flag::kHardBlank; },
       true},
      {"instruction line", none, text("// roll VT"), false},
      {"timing line", none,
       [](e_object& l) {
         l.text_a = "// 0:30 VT";
         l.flags2 |= state::kTimingLine;
       },
       true},
      {"timing line with timing lines disabled",
       [](RenderOptions& o) { o.disable_timing_lines = true; },
       [](e_object& l) {
         l.text_a = "// 0:30 VT";
         l.flags2 |= state::kTimingLine;
       },
       false},
      {"three slashes are text", none, text("/// not an instruction"), true},
      {"cloaked", none, [](e_object& l) { l.flags |= flag::kCloaked; }, false},
      {"package text", none, [](e_object& l) { l.flags |= flag::kPackage; }, false},
      {"package text with Prompt Caption", [](RenderOptions& o) { o.prompt_caption = true; },
       [](e_object& l) { l.flags |= flag::kPackage; }, true},
      {"story out of totals", none, [](e_object& l) { l.flags2 |= state::kOutOfTotals; }, false},
  };
  for (const Case& c : cases) {
    testing::PromptScript script;
    e_object* line = script.Add("Text");
    c.line(*line);
    RenderOptions o;
    c.options(o);
    EXPECT_EQ(IsPrompted(script.store(), *line, o), c.prompted) << c.name;
  }
}

TEST(IsPrompted, StoryStatusesAndSlugLines) {
  struct Case {
    std::uint32_t status;
    bool prompted;
  };
  for (const Case c : {Case{0, true}, Case{1, true}, Case{2, false}, Case{3, true}, Case{4, false},
                       Case{5, false}}) {
    testing::PromptScript script;
    e_object* slug = script.AddSlug("[1] Story", c.status);
    e_object* text = script.Add("Text");
    EXPECT_EQ(IsPrompted(script.store(), *slug, {}), c.prompted) << c.status;
    EXPECT_EQ(IsPrompted(script.store(), *text, {}), c.prompted) << c.status;
  }
  testing::PromptScript script;
  e_object* slug = script.AddSlug("[1] Story");
  RenderOptions o;
  o.remove_sluglines = true;
  EXPECT_FALSE(IsPrompted(script.store(), *slug, o));
  EXPECT_TRUE(IsPrompted(script.store(), *script.store().edit_head(), o));
}

TEST(PromptPosition, SteppingWithLimitSlugline) {
  testing::PromptScript script;
  e_object* slug = script.AddSlug("[1] Story", 0);
  script.Set(*slug, "[1] Story", "slug rest");
  e_object* cloaked = script.Add("Hidden", "", flag::kCloaked);
  e_object* text = script.Add("First", "Second");
  ASSERT_NE(cloaked, nullptr);
  for (const bool limit : {false, true}) {
    RenderOptions o;
    o.limit_slugline = limit;
    std::vector<PromptPosition> expected = {{slug, Segment::kA, 0}};
    if (!limit) expected.push_back({slug, Segment::kB, 0});
    expected.push_back({text, Segment::kA, 0});
    expected.push_back({text, Segment::kB, 0});
    expected.push_back({script.store().edit_tail(), Segment::kA, 0});

    PromptPosition p{slug, Segment::kA, 668};
    for (std::size_t i = 1; i < expected.size(); ++i) {
      ASSERT_TRUE(StepForward(script.store(), p, o));
      EXPECT_EQ(p, expected[i]) << limit << " forward " << i;
    }
    for (std::size_t i = expected.size() - 1; i > 0; --i) {
      ASSERT_TRUE(StepBack(script.store(), p, o));
      EXPECT_EQ(p, expected[i - 1]) << limit << " back " << i;
    }
  }
}

TEST(PromptPosition, SteppingStopsAtTheChainEnds) {
  testing::PromptScript script;
  script.Add("Only");
  PromptPosition first{script.store().chain_first(), Segment::kA, 0};
  EXPECT_FALSE(StepBack(script.store(), first, {}));
  EXPECT_EQ(first.line, script.store().chain_first());
  PromptPosition last{script.store().chain_last(), Segment::kB, 0};
  EXPECT_FALSE(StepForward(script.store(), last, {}));
  EXPECT_EQ(last, (PromptPosition{script.store().chain_last(), Segment::kB, 0}));
}

TEST(PromptPosition, SearchInTheContinuousRingIsBounded) {
  testing::PromptScript script;
  script.Add("One");
  script.Add("Two");
  script.store().options().continuous_prompt_mode = true;
  script.store().set_prompting(true);
  script.store().SetContinuousLinks();
  // With every line of the ring cloaked, margin lines included, no search may run for ever.
  for (e_object* l = script.store().edit_head();; l = l->next) {
    l->flags |= flag::kCloaked;
    if (l == script.store().edit_tail()) break;
  }
  EXPECT_EQ(NextPrompted(script.store(), script.store().first_line(), {}), nullptr);
  EXPECT_EQ(PreviousPrompted(script.store(), script.store().first_line(), {}), nullptr);
  // From outside the ring the search enters it and never comes back to where it began.
  for (e_object* l = script.store().chain_first()->next; l != script.store().edit_head();
       l = l->next) {
    l->flags |= flag::kCloaked;
  }
  EXPECT_EQ(NextPrompted(script.store(), script.store().chain_first(), {}), nullptr);
  script.store().set_prompting(false);
  script.store().SetContinuousLinks();
}

TEST(PromptPosition, ClampAfterAnEdit) {
  testing::PromptScript script;
  e_object* line = script.Add("First", "Second");
  const int rows = line->height_a;
  PromptPosition p{line, Segment::kB, 5 * 668};
  line->text_b.clear();
  line->style_b.clear();
  line->colour_b.clear();
  ClampPosition(script.store(), p, {});
  EXPECT_EQ(p, (PromptPosition{line, Segment::kA, 5 * 668}));
  p.offset = (rows + 40) * 668 + 17;
  ClampPosition(script.store(), p, {});
  EXPECT_EQ(p.offset, (rows - 1) * 668);
  line->height_a = 0;
  ClampPosition(script.store(), p, {});
  EXPECT_EQ(p.offset, 0);
  EXPECT_EQ(SegmentRows(script.store(), *line, Segment::kA), 1);
}

}  // namespace
}  // namespace telvane::prompt
