#include "editor/set_line_text.h"

#include <algorithm>
#include <utility>

#include "store/line_fit.h"

namespace telvane::editor {

namespace {

using store::e_object;
using store::Segment;
using store::StyledText;
namespace lf = store::line_flag;

constexpr std::uint32_t kParagraphFlags =
    lf::kRightToLeft | lf::kCloaked | lf::kPackage | lf::kPresenterInstruction |
    lf::kTimingCloaked | lf::kEmptyStyleMask | lf::kPresenterMask | lf::kCharsetMask;
constexpr std::uint32_t kEndFlags = lf::kHardReturn | lf::kPageBreak;

bool TruncatedSlug(const store::ScriptStore& store, const e_object& line) {
  const store::StoreOptions& o = store.options();
  return IsSlugLine(line) && o.inverse_slug && (o.truncate_slugline || o.limit_slugline);
}

}  // namespace

e_object* InsertContinuation(store::ScriptStore& store, e_object* line) {
  e_object* next = store.InsertLine(line, true);
  if (next == nullptr) return nullptr;
  next->flags = (line->flags & (kParagraphFlags | kEndFlags)) |
                (next->flags & ~(kParagraphFlags | kEndFlags | lf::kSlugLine));
  line->flags &= ~kEndFlags;
  next->line_colour = line->line_colour;
  next->keyboard_layout = line->keyboard_layout;
  return next;
}

namespace {

// How one line took its share of the paragraph: characters placed and consumed (placed plus
// the spaces dropped at the row break) per segment.
struct Share {
  std::size_t start = 0;
  std::size_t placed_a = 0, consumed_a = 0;
  std::size_t placed_b = 0, consumed_b = 0;
};

Share Fit(store::ScriptStore& store, e_object& line, StyledText& rest, std::size_t start) {
  Share s;
  s.start = start;
  std::size_t before = rest.size();
  store::FitSegment(store, line, rest, Segment::kA, 0);
  s.placed_a = line.text_a.size();
  s.consumed_a = before - rest.size();
  before = rest.size();
  store::FitSegment(store, line, rest, Segment::kB, 0);
  s.placed_b = line.text_b.size();
  s.consumed_b = before - rest.size();
  return s;
}

}  // namespace

CaretPlace SetLineText(store::ScriptStore& store, e_object* line, StyledText text, int caret,
                       bool just_typed_break) {
  caret = std::clamp(caret, 0, static_cast<int>(text.size()));
  if (TruncatedSlug(store, *line)) {
    store::FitSegment(store, *line, text, Segment::kA, 0);
    store::FitSegment(store, *line, text, Segment::kB, 0);
    return {line, std::min(caret, static_cast<int>(store::TextLength(*line)))};
  }
  if (text.empty()) {
    store::ClearLineText(*line);
    return {line, 0};
  }
  // The paragraph is laid out again from first; line's old text is replaced by text.
  e_object* last = line;
  e_object* prev = line->prev;
  if (just_typed_break && caret > 1 && text.text.front() != ' ' && !IsMargin(*prev) &&
      store::CanJoinNext(store, *prev, false)) {
    StyledText joined = store.GetLineText(prev);
    caret += static_cast<int>(joined.size());
    joined.append(text);
    text = std::move(joined);
    line = prev;
  }
  while (store::CanJoinNext(store, *last, true)) {
    last = last->next;
    text.append(store.GetLineText(last));
  }
  e_object* const after = last->next;
  const std::uint32_t end_flags = last->flags & kEndFlags;

  const auto target = static_cast<std::size_t>(caret);
  CaretPlace place{line, 0};
  bool placed = false;
  bool to_next = false;
  std::size_t consumed = 0;
  e_object* at = line;
  for (;;) {
    const Share s = Fit(store, *at, text, consumed);
    consumed += s.consumed_a + s.consumed_b;
    if (!placed && target <= consumed) {
      const std::size_t off = target - s.start;
      placed = true;
      if (off <= s.consumed_a) {
        place = {at, static_cast<int>(std::min(off, s.placed_a))};
      } else if (off - s.consumed_a <= s.placed_b || text.empty()) {
        place = {at, static_cast<int>(s.placed_a + std::min(off - s.consumed_a, s.placed_b))};
      } else {
        // The caret follows spaces dropped at the row break: it starts the next line.
        to_next = true;
      }
    }
    if (text.empty()) break;
    if (at == last) {
      e_object* next = InsertContinuation(store, at);
      if (next == nullptr) break;
      last = next;
    }
    at = at->next;
    if (to_next) {
      place = {at, 0};
      to_next = false;
    }
  }
  while (at->next != after) {
    if (!at->next->studio_text.empty() && at->studio_text.empty()) {
      at->studio_text = at->next->studio_text;
    }
    store.DeleteLine(at->next);
  }
  at->flags |= end_flags;
  return place;
}

bool TakeBracketedStoryId(store::ScriptStore& store, e_object& slug_line, int column) {
  if (slug_line.story == nullptr || !TruncatedSlug(store, slug_line)) return false;
  const std::string text = slug_line.text_a + slug_line.text_b;
  const std::size_t open = text.find(store.options().slug_open_bracket);
  if (open == std::string::npos) return false;
  const std::size_t close = text.find(store.options().slug_close_bracket, open + 1);
  if (close == std::string::npos) return false;
  constexpr std::size_t kIdLimit = 8;
  slug_line.story->story_id = text.substr(open + 1, std::min(close - open - 1, kIdLimit));
  return column > static_cast<int>(open) && column <= static_cast<int>(close);
}

}  // namespace telvane::editor
