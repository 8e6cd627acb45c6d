#pragma once

// A script of stories built from identifiers, the run order over it, and an observer and
// dialogues that record what they were told and answer as scripted.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runorder/run_order.h"
#include "store/store_fixture.h"

namespace telvane::runorder::testing {

using store::e_object;
using store::r_object;

struct Told {
  std::string what;
  const r_object* entry = nullptr;
  friend bool operator==(const Told&, const Told&) = default;
};

class RecordingObserver : public RunOrderObserver {
 public:
  void FreezePrompt() override { ++frozen; }
  void ReleasePrompt() override { --frozen; }
  void AirStoryChanged(r_object* entry, bool /*changed*/) override {
    log.push_back({"air", entry});
  }
  void BackgroundMessage(const std::string& text) override { background = text; }
  void PromptJumpTo(r_object* entry) override { log.push_back({"jump", entry}); }
  void PromptResumeOn(e_object* line) override { log.push_back({"resume", line->story}); }
  void PromptRestartOn(r_object* entry) override { log.push_back({"restart", entry}); }
  void PromptRebuild() override { log.push_back({"rebuild", nullptr}); }
  void PromptStopRequested() override { log.push_back({"stop", nullptr}); }
  void EntryRemoved(const r_object& entry) override { removed.push_back(&entry); }
  void ScrollRowToTop(int row) override { top_row = row; }
  bool Told(const std::string& what) const {
    for (const auto& t : log) {
      if (t.what == what) return true;
    }
    return false;
  }
  std::vector<testing::Told> log;
  std::vector<const r_object*> removed;
  std::string background;
  int frozen = 0;
  int top_row = 0;
};

class ScriptedDialogs : public RunOrderDialogs {
 public:
  void Information(const MessagePieces& text) override { shown.push_back(text); }
  bool Confirm(const MessagePieces& text, Buttons /*buttons*/) override {
    shown.push_back(text);
    return answer;
  }
  void StatusMessage(const MessagePieces& text) override { status.push_back(text); }
  // The catalogue number each box began with.
  std::vector<int> Numbers() const {
    std::vector<int> out;
    for (const auto& t : shown) out.push_back(std::get<int>(t.front()));
    return out;
  }
  std::vector<MessagePieces> shown;
  std::vector<MessagePieces> status;
  bool answer = true;
};

class RunOrderTest : public store::testing::StoreTest {
 protected:
  // One story per identifier: a slug line "[id] SLUG id" and a body line "body id". An
  // identifier with a suffix "/n" has status n.
  void Build(const std::vector<std::string>& ids) {
    for (const std::string& story : ids) AddStory(story);
  }
  // Fills the empty only line of a fresh script, else appends a line.
  e_object* Append(const std::string& text, std::uint32_t flags = 0) {
    e_object* first = store.first_line();
    e_object* line =
        store.IsOnlyLine(first) && store::IsEmptyLine(*first) && !store::IsSlugLine(*first)
            ? first
            : store.InsertLine(store.last_line(), true);
    const store::StyledText t = store::testing::Plain(text);
    line->text_a = t.text;
    line->style_a = t.style;
    line->colour_a = t.colour;
    line->flags |= flags;
    return line;
  }
  void ResetLines() {}
  r_object* AddStory(const std::string& story, const std::string& second = "") {
    const auto slash = story.find('/');
    const std::string id = story.substr(0, slash);
    std::string slug = "[" + id + (second.empty() ? "" : "," + second) + "] SLUG " + id;
    e_object* line = Append(slug, store::line_flag::kSlugLine);
    r_object* entry = run.CreateStoryEntry(line);
    Append("body " + id);
    if (slash != std::string::npos) {
      SetStoryStatus(store, line, static_cast<StoryStatus>(std::stoi(story.substr(slash + 1))));
    }
    return entry;
  }
  r_object* Story(const std::string& id) { return FindStory(store, id, "", false); }

  // The identifiers in run order, a status suffix for all but none ("5/4" is DROP).
  std::vector<std::string> Order() const {
    std::vector<std::string> out;
    for (r_object* e : run.Stories()) {
      const auto s = static_cast<int>(StatusOf(*e));
      out.push_back(e->story_id + (s == 0 ? "" : "/" + std::to_string(s)));
    }
    return out;
  }
  // Fails unless the links hold and the entries stand in the order of their slug lines, each
  // story's body line directly after its slug.
  void ExpectConsistent() const {
    EXPECT_EQ(store.CheckScriptLinks().code, 0);
    std::vector<const r_object*> by_lines;
    for (e_object* l = store.first_line(); l != store.edit_tail(); l = l->next) {
      if (store::IsSlugLine(*l)) {
        by_lines.push_back(l->story);
        ASSERT_NE(l->next, store.edit_tail());
        EXPECT_EQ(l->next->text_a, "body " + l->story->story_id);
      }
    }
    std::vector<const r_object*> by_list;
    for (r_object* e : run.Stories()) by_list.push_back(e);
    EXPECT_EQ(by_lines, by_list);
    EXPECT_EQ(store.run_end()->next, store.run_tail());
    EXPECT_EQ(store.run_end()->line, nullptr);
  }

  RecordingObserver observer;
  ScriptedDialogs dialogs;
  RunOrder run{store, observer, dialogs};
};

}  // namespace telvane::runorder::testing
