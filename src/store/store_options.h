#pragma once

// What the store needs from outside: the settings it obeys (filled by the caller from the
// configuration), the measuring of prompt text, and the operator-facing notices.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace telvane::store {

struct StoreOptions {
  bool inverse_slug = true;
  bool truncate_slugline = false;
  bool limit_slugline = false;
  bool script_as_prompt = false;
  bool line_break_on_hyphen = true;
  bool slash_cloak = false;
  bool studio_instructions = false;
  bool view_si = true;
  bool continuous_prompt_mode = false;
  bool non_prompted_inverse_italics = true;
  bool cloak_all_sluglines = false;
  bool presenter_mode = false;
  bool auto_attribute = false;
  bool pan_european = false;
  // Pixels of the prompt raster's width that text may not use (left plus right blank plus
  // twice the width adjustment).
  int prompt_blank = 18;
  char slug_open_bracket = '[';
  char slug_close_bracket = ']';
};

inline constexpr int kPromptWidth = 668;
inline constexpr std::size_t kSegmentCharacterLimit = 63;

struct PromptFit {
  bool overflow = false;
  // With overflow, the number of characters that fit.
  std::size_t count = 0;
};

// Prompt-size measuring, as the prompt font table gives it.
class SegmentMeasure {
 public:
  virtual ~SegmentMeasure() = default;
  virtual PromptFit MeasurePromptFit(std::string_view text, std::string_view style, int charset,
                                     int max_width) const = 0;
  // Prompt rows of one line of text in font 0..7.
  virtual int RowHeight(int font) const = 0;
};

// Message numbers of the catalogue that the store's commands show.
namespace message {
inline constexpr int kOutOfMemory = 18;
inline constexpr int kNothingSelected = 20;
inline constexpr int kScriptChanged = 22;
inline constexpr int kRemoveSlugLine = 495;
inline constexpr int kEditingDisabled = 725;
}  // namespace message

// The window side of the store: boxes by catalogue number and redraw requests. The defaults
// show nothing and refuse every confirmation.
class StoreNotices {
 public:
  virtual ~StoreNotices() = default;
  virtual void Information(int /*message*/) {}
  virtual void Error(int /*message*/) {}
  // An OK and Cancel question; true for OK.
  virtual bool Confirm(int /*message*/) { return false; }
  // The changed panel shows message 22 while changed.
  virtual void ChangedPanel(bool /*changed*/) {}
  // The editor and prompt preview should redraw.
  virtual void Redraw() {}
  // Bookmarks, snapshots or timing lines changed; their windows refresh when shown.
  virtual void MarkersChanged() {}
  // The run order gained or lost an entry.
  virtual void RunOrderChanged() {}
  // The slug dialogue opens to make the current line a slug line.
  virtual void OpenSlugDialog() {}
};

}  // namespace telvane::store
