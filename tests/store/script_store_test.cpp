#include "store/script_store.h"

#include <gtest/gtest.h>

#include "store_fixture.h"

namespace telvane::store::testing {
namespace {

using ScriptStoreTest = StoreTest;

TEST_F(ScriptStoreTest, NewScriptBuildsTheMarginsAroundOneEmptyLine) {
  int head = 0;
  e_object* l = store.chain_first();
  EXPECT_EQ(l->prev, nullptr);
  for (; l != store.first_line(); l = l->next) {
    ++head;
    EXPECT_TRUE(IsHeadMargin(*l));
    EXPECT_EQ(l->text_a, "...");
    EXPECT_EQ(l->colour_a, "888");
    EXPECT_EQ(l->text_b, l == store.edit_head() ? "" : "...");
  }
  EXPECT_EQ(head, 10);
  EXPECT_TRUE(IsEmptyLine(*l));
  EXPECT_EQ(l->next, store.edit_tail());
  int tail = 0;
  for (l = store.edit_tail(); l != store.chain_last(); l = l->next) {
    ++tail;
    EXPECT_TRUE(IsTailMargin(*l));
  }
  EXPECT_EQ(tail, 10);
  EXPECT_EQ(store.chain_last()->next, store.chain_last());
  EXPECT_EQ(store.edit_tail()->text_b, "");
  EXPECT_EQ(store.line_count(), 1);
  EXPECT_EQ(store.current_line().get(), store.first_line());
  EXPECT_EQ(store.run_head()->next, store.run_end());
  EXPECT_EQ(store.run_end()->story_id, "0");
  EXPECT_EQ(store.run_end()->program, -1);
  EXPECT_EQ(LinkReportText(store.CheckScriptLinks()), "Diagnostic Test : Pass");
}

TEST_F(ScriptStoreTest, InsertLineTakesTheCharsetTypingModesAndLineColour) {
  e_object* first = store.first_line();
  first->flags = (204u << line_flag::kCharsetShift) | line_flag::kHardReturn;
  first->line_colour = 3;
  first->presenter = 4;
  store.typing().package = true;
  store.typing().cloaked = true;
  e_object* added = store.InsertLine(first, true);
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->flags,
            (204u << line_flag::kCharsetShift) | line_flag::kPackage | line_flag::kCloaked);
  EXPECT_EQ(added->line_colour, 3);
  EXPECT_EQ(added->presenter, 4);
  EXPECT_EQ(added->height_a, measure.heights[0]);
  EXPECT_EQ(store.line_count(), 2);
  store.typing().lbg_sel = 5;
  e_object* before = store.InsertLine(first, false);
  EXPECT_EQ(before->line_colour, 5);
  EXPECT_EQ(store.first_line(), before);
}

TEST_F(ScriptStoreTest, DeletingTheOnlyLineEmptiesIt) {
  e_object* only = AddLine("text", line_flag::kHardReturn | line_flag::kCloaked);
  EXPECT_EQ(store.DeleteLine(only), only);
  EXPECT_TRUE(IsEmptyLine(*only));
  EXPECT_EQ(only->flags, store.typing().default_line_flags);
  EXPECT_EQ(store.line_count(), 1);
}

TEST_F(ScriptStoreTest, DeleteMovesEveryKindOfReference) {
  e_object* a = AddLine("a");
  e_object* b = AddLine("//cloaked instruction");
  e_object* c = AddLine("c");
  e_object* d = AddLine("d");
  store.refs().SetPromptedTest([](const e_object& l) { return !l.text_a.starts_with("//"); });
  LineRef follow(store.refs(), OnDelete::kFollow, OnNewScript::kFirstLine, a);
  LineRef previous(store.refs(), OnDelete::kPrevious, OnNewScript::kClear, a);
  LineRef prompted(store.refs(), OnDelete::kPrompted, OnNewScript::kFirstLine, a);
  LineRef cleared(store.refs(), OnDelete::kClear, OnNewScript::kClear, a);
  store.current_line() = a;
  EXPECT_EQ(store.DeleteLine(a), b);
  EXPECT_EQ(follow.get(), b);
  EXPECT_EQ(previous.get(), store.edit_head());
  EXPECT_EQ(prompted.get(), c);  // not prompting, still moved past the instruction line
  EXPECT_EQ(cleared.get(), nullptr);
  EXPECT_EQ(store.current_line().get(), b);

  // The last line hands its references backwards, never to EditTail.
  LineRef last_prompted(store.refs(), OnDelete::kPrompted, OnNewScript::kFirstLine, d);
  store.current_line() = d;
  EXPECT_EQ(store.DeleteLine(d), c);
  EXPECT_EQ(store.current_line().get(), c);
  EXPECT_EQ(last_prompted.get(), c);
  EXPECT_EQ(store.line_count(), 2);

  store.NewScript();
  EXPECT_EQ(follow.get(), store.first_line());
  EXPECT_EQ(previous.get(), nullptr);
}

TEST_F(ScriptStoreTest, DeletingASlugLineRemovesItsEntry) {
  AddLine("intro");
  e_object* slug = AddLine("12,ab first", line_flag::kSlugLine);
  r_object* entry = store.CreateStoryEntry(slug);
  EXPECT_EQ(entry->story_id, "12");
  EXPECT_EQ(entry->second_id, "AB");
  e_object* slug2 = AddLine("13 second", line_flag::kSlugLine);
  EXPECT_EQ(store.CreateStoryEntry(slug2)->prev, entry);
  store.DeleteLine(slug);
  EXPECT_EQ(store.run_head()->next, slug2->story);
  EXPECT_EQ(store.CheckScriptLinks().code, 0);
}

TEST_F(ScriptStoreTest, CheckScriptLinksNamesTheFault) {
  e_object* a = AddLine("alpha");
  e_object* slug = AddLine("7 story", line_flag::kSlugLine);
  store.CreateStoryEntry(slug);

  a->style_a.pop_back();
  LinkReport r = store.CheckScriptLinks();
  EXPECT_EQ(r.code, 16);
  EXPECT_EQ(r.line, a);
  EXPECT_EQ(LinkReportText(r), "Data to Attribute Mismatch :alpha");
  a->style_a += '\0';

  r_object* entry = slug->story;
  slug->story = nullptr;  // a slug line without an entry is reported, not followed
  r = store.CheckScriptLinks();
  EXPECT_EQ(r.code, 2 | 8);
  EXPECT_EQ(LinkReportText(r), "Multiple Link Errors: 10");
  slug->story = entry;

  entry->line = nullptr;
  slug->story = store.run_end();
  r = store.CheckScriptLinks();
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(LinkReportText(r), "Edit Cross Link Error :7 story");
  slug->story = entry;
  entry->line = slug;

  e_object* saved = a->next->prev;
  a->next->prev = store.edit_head();
  EXPECT_EQ(LinkReportText(store.CheckScriptLinks()), "Edit Link Error :alpha");
  a->next->prev = saved;

  r_object* entry_next = entry->next;
  entry->next->prev = store.run_head();
  EXPECT_EQ(LinkReportText(store.CheckScriptLinks()), "Runorder Link Error :7 story");
  entry_next->prev = entry;
  EXPECT_EQ(store.CheckScriptLinks().code, 0);
}

TEST_F(ScriptStoreTest, ContinuousRingAndLinePositions) {
  e_object* a = AddLine("a");
  e_object* b = AddLine("b");
  EXPECT_EQ(store.LineIndexOf(a), 10);
  EXPECT_EQ(store.LineAtIndex(11), b);
  EXPECT_EQ(store.LineAtIndex(-5), store.chain_first());
  EXPECT_EQ(store.LineAtIndex(1LL << 40), store.chain_last());

  store.options().continuous_prompt_mode = true;
  store.set_prompting(true);
  store.SetContinuousLinks();
  EXPECT_EQ(store.edit_tail()->next, store.edit_head());
  EXPECT_EQ(store.LineIndexOf(a), 1);
  EXPECT_EQ(store.LineIndexOf(store.chain_first()->next), 0);
  EXPECT_EQ(store.LineAtIndex(2), b);
  // Four records in the ring: a position many times round comes back into it at once.
  EXPECT_EQ(store.LineAtIndex(4LL * 1000000000 + 1), a);
  EXPECT_EQ(store.CheckScriptLinks().code, 0);

  store.set_prompting(false);
  store.SetContinuousLinks();
  EXPECT_TRUE(IsTailMargin(*store.edit_tail()->next));
}

TEST_F(ScriptStoreTest, SelectedRangeAndStoryStart) {
  e_object* a = AddLine("a");
  e_object* slug = AddLine("1 s", line_flag::kSlugLine);
  e_object* c = AddLine("c");
  e_object* d = AddLine("d");
  EXPECT_FALSE(store.SelectedRange());
  slug->sel_end = 3;
  c->sel_end = 1;
  const auto sel = store.SelectedRange();
  ASSERT_TRUE(sel);
  EXPECT_EQ(sel->first, slug);
  EXPECT_EQ(sel->last, c);
  EXPECT_EQ(store.StoryStartOf(d), slug);
  EXPECT_EQ(store.StoryStartOf(a), a);
  EXPECT_EQ(store.StoryStartOf(store.edit_head()), a);
  EXPECT_EQ(store.StoryStartOf(store.edit_tail()), store.edit_tail());
  EXPECT_EQ(store.StoryStartOf(nullptr), nullptr);
}

TEST(TrimParallel, DeletesTheSamePositionsInAllThreeStrings) {
  struct Case {
    void (*trim)(StyledText&);
    std::string in;
    std::string out;
  };
  const Case cases[] = {
      {TrimTrailingSpaces, "ab  ", "ab"},
      {RemoveAllSpaces, " a b ", "ab"},
      {CollapseDoubleSpaces, "a    b  c", "a b c"},
      {TrimLeadingSpaces, "  ab", "ab"},
      {TrimLeadingZeros, "0007", "7"},
      {TrimLeadingZeros, "000", "0"},
  };
  for (const auto& c : cases) {
    StyledText t{c.in, c.in, c.in};
    c.trim(t);
    EXPECT_EQ(t.text, c.out);
    EXPECT_EQ(t.style, c.out);
    EXPECT_EQ(t.colour, c.out);
  }
  std::string s = "12ab";
  TrimTrailingNonDigits(s);
  EXPECT_EQ(s, "12");
}

}  // namespace
}  // namespace telvane::store::testing
