#pragma once

// An editor model over a store whose characters are 10 * (font + 1) pixels wide at prompt
// size (63 characters of font 0 fill a segment), with notices and prompting hooks that record
// what happened.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/edit_hooks.h"
#include "editor/editor_model.h"
#include "store/line_fit.h"
#include "store/store_fixture.h"

namespace telvane::editor::testing {

using store::e_object;
using store::testing::Plain;

class RecordingPrompt : public PromptEditHooks {
 public:
  const store::r_object* OnAirStory() const override { return on_air; }
  void RememberFeed() override { ++remembered; }
  void FeedChanged() override { ++changed; }
  const store::r_object* on_air = nullptr;
  int remembered = 0;
  int changed = 0;
};

class EditorTest : public store::testing::StoreTest {
 protected:
  // A line laid out as one paragraph from text (continuation lines as needed).
  e_object* AddParagraph(const std::string& text, std::uint32_t flags = 0) {
    e_object* line = AddLine("", flags);
    return store::LayOutText(store, line, Plain(text), 0);
  }
  e_object* AddSlug(const std::string& text) {
    e_object* line = AddLine(text, store::line_flag::kSlugLine);
    store.CreateStoryEntry(line);
    return line;
  }
  void Caret(e_object* line, int column) {
    store.current_line() = line;
    store.caret_column = column;
  }
  void Type(const std::string& text) {
    for (const char c : text) model.KeyPress(static_cast<std::uint8_t>(c));
  }
  void Press(Key key, bool ctrl = false, bool shift = false) { model.KeyDown({key, ctrl, shift}); }
  std::string TextOf(const e_object* line) const { return line->text_a + line->text_b; }
  int StoryCount() const {
    int n = 0;
    for (auto* r = store.run_head()->next; r != store.run_end(); r = r->next) ++n;
    return n;
  }
  bool IsReal(const e_object* line) const {
    return line != nullptr && !store::IsMargin(*line) && line != store.edit_head() &&
           line != store.edit_tail();
  }
  void TearDown() override { EXPECT_EQ(store.CheckScriptLinks().code, 0); }

  StoreRunOrderEdits run_order{store};
  RecordingPrompt prompt;
  EditorModel model{store, run_order, prompt};
};

}  // namespace telvane::editor::testing
