#pragma once

// The editor's story edits carried out by the run order model, so that new slug lines are
// parsed and rewritten as the run order parses them and the grid, the AIR story and the
// selection follow every entry that comes or goes.

#include "editor/edit_hooks.h"
#include "runorder/run_order.h"

namespace telvane::editor {

class RunOrderEditsAdapter : public RunOrderEdits {
 public:
  explicit RunOrderEditsAdapter(runorder::RunOrder& run_order) : run_(run_order) {}

  store::r_object* CreateStory(store::e_object& slug_line) override;
  void RemoveStory(store::r_object& entry) override;
  void MoveStory(store::r_object& entry, store::e_object& to) override;
  void StoryNumberEdited(store::r_object& entry) override;

 private:
  runorder::RunOrder& run_;
};

}  // namespace telvane::editor
