#pragma once

// What the editor asks of the run order and of the scroll engine. The defaults keep the
// store's run-order list in step by themselves and know nothing of prompting.

#include "store/script_store.h"

namespace telvane::editor {

class RunOrderEdits {
 public:
  virtual ~RunOrderEdits() = default;
  // line becomes the slug line of a new story; null when the entry could not be made.
  virtual store::r_object* CreateStory(store::e_object& slug_line) = 0;
  // The story ends: its entry goes, its slug line becomes ordinary.
  virtual void RemoveStory(store::r_object& entry) = 0;
  // The story's slug line is now to.
  virtual void MoveStory(store::r_object& entry, store::e_object& to) = 0;
  // The operator is editing the story's bracketed identifier in its slug line.
  virtual void StoryNumberEdited(store::r_object& /*entry*/) {}
};

class StoreRunOrderEdits : public RunOrderEdits {
 public:
  explicit StoreRunOrderEdits(store::ScriptStore& store) : store_(store) {}
  store::r_object* CreateStory(store::e_object& slug_line) override;
  void RemoveStory(store::r_object& entry) override;
  void MoveStory(store::r_object& entry, store::e_object& to) override;
  void StoryNumberEdited(store::r_object& entry) override;

 private:
  store::ScriptStore& store_;
};

class PromptEditHooks {
 public:
  virtual ~PromptEditHooks() = default;
  // The story on air while prompting, or null.
  virtual const store::r_object* OnAirStory() const { return nullptr; }
  // Before an edit while prompting: the feed position is remembered.
  virtual void RememberFeed() {}
  // After it: the card's page is sent again from the remembered position.
  virtual void FeedChanged() {}
};

}  // namespace telvane::editor
