#pragma once

// The slug dialogue's logic: it proposes the next story number and makes the current line
// the slug line of a new story with the identifier the operator typed.

#include <optional>
#include <string>
#include <string_view>

#include "editor/edit_hooks.h"
#include "store/script_store.h"

namespace telvane::editor {

namespace slug_message {
inline constexpr int kDuplicate = 153;
inline constexpr int kTooLongBefore = 738;
inline constexpr int kTooLongAfter = 739;
}  // namespace slug_message

inline constexpr std::size_t kSlugIdentifierLimit = 8;

// The editor's caption with a presenter's name in front ("name:: caption"); an earlier name
// is replaced, and an empty name leaves the caption without one.
std::string PresenterCaption(std::string_view caption, std::string_view name);

class SlugDialog {
 public:
  SlugDialog(store::ScriptStore& store, RunOrderEdits& run_order)
      : store_(store), run_order_(run_order) {}

  // The proposal for the field; nothing while the dialogue is already open.
  std::optional<std::string> Open();
  void Cancel();
  // OK with the field's text; true when the dialogue closes.
  bool Ok(const std::string& field);

  // "Enabled" of the presenters: a new story takes the current presenter.
  void SetPresenterMode(bool on) { presenter_mode_ = on; }
  // With presenters enabled, the presenter (0 for none) of the story the last OK made.
  std::optional<int> made_presenter() const { return made_presenter_; }

  bool is_open() const { return open_; }
  int last_slug_number() const { return last_slug_number_; }

 private:
  bool IsDuplicate(const std::string& identifier) const;
  void MakeSlugLine(const std::string& identifier);

  store::ScriptStore& store_;
  RunOrderEdits& run_order_;
  int last_slug_number_ = 0;
  bool open_ = false;
  bool presenter_mode_ = false;
  std::optional<int> made_presenter_;
};

}  // namespace telvane::editor
