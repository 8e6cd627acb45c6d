#include "prompt/prompt_position.h"

#include <algorithm>

#include "store/line_fit.h"

namespace telvane::prompt {

namespace {

using store::e_object;
using store::Segment;

constexpr std::uint32_t kPendingNew = 2;
constexpr std::uint32_t kDropped = 4;
constexpr std::uint32_t kTemporary = 5;
// Head and tail margin lines beyond the real lines, both ends together.
constexpr int kMarginLines = 22;

bool IsBlank(const e_object& line, const RenderOptions& options) {
  if (store::IsEmptyLine(line)) {
    return true;
  }
  const auto only_blanks = [](const std::string& t) {
    return std::all_of(t.begin(), t.end(), [](char c) { return c == ' '; });
  };
  return options.blank_lines_all_spaces && only_blanks(line.text_a) && only_blanks(line.text_b);
}

// No walk over the chain takes more steps than it has lines.
int WalkLimit(const store::ScriptStore& store) {
  return store.line_count() + kMarginLines + 1;
}

}  // namespace

const e_object* SlugLineOf(const e_object& line) {
  const e_object* at = &line;
  while (at != nullptr && !store::IsMargin(*at)) {
    if (store::IsSlugLine(*at)) {
      return at;
    }
    at = at->prev;
  }
  return nullptr;
}

bool IsStoryHeldBack(const e_object& line) {
  if ((line.flags2 & store::line_state::kOutOfTotals) != 0) {
    return true;
  }
  const e_object* slug = SlugLineOf(line);
  if (slug == nullptr) {
    return false;
  }
  const std::uint32_t status = slug->flags & store::line_flag::kStatusMask;
  return status == kPendingNew || status == kDropped || status == kTemporary;
}

bool IsPrompted(const store::ScriptStore& store, const e_object& line,
                const RenderOptions& options) {
  if (options.remove_blank_lines && IsBlank(line, options) &&
      !store::HasFlag(line, store::line_flag::kHardBlank)) {
    return false;
  }
  const bool timing_line = (line.flags2 & store::line_state::kTimingLine) != 0;
  if ((store::IsTimingLine(store, line) && !timing_line) ||
      (options.remove_sluglines && store::IsSlugLine(line)) ||
      (options.disable_timing_lines && timing_line)) {
    return false;
  }
  if (store::HasFlag(line, store::line_flag::kCloaked) ||
      (!options.prompt_caption && store::HasFlag(line, store::line_flag::kPackage))) {
    return false;
  }
  return !IsStoryHeldBack(line);
}

bool ShowsSegmentB(const e_object& line, const RenderOptions& options) {
  return !line.text_b.empty() && !(store::IsSlugLine(line) && options.limit_slugline);
}

int SegmentRows(const store::ScriptStore& store, const e_object& line, Segment segment) {
  const int height = store::IsMargin(line)    ? store.measure().RowHeight(0)
                     : segment == Segment::kA ? line.height_a
                                              : line.height_b;
  return std::clamp(height, 1, kMaxSegmentRows);
}

e_object* NextPrompted(const store::ScriptStore& store, e_object* line,
                       const RenderOptions& options) {
  e_object* at = line;
  for (int steps = WalkLimit(store); steps > 0; --steps) {
    e_object* next = at->next;
    if (next == nullptr || next == at || next == line) {
      return nullptr;
    }
    if (IsPrompted(store, *next, options)) {
      return next;
    }
    at = next;
  }
  return nullptr;
}

e_object* PreviousPrompted(const store::ScriptStore& store, e_object* line,
                           const RenderOptions& options) {
  e_object* at = line;
  for (int steps = WalkLimit(store); steps > 0; --steps) {
    e_object* prev = at->prev;
    if (prev == nullptr || prev == line) {
      return nullptr;
    }
    if (IsPrompted(store, *prev, options)) {
      return prev;
    }
    at = prev;
  }
  return nullptr;
}

bool StepForward(const store::ScriptStore& store, PromptPosition& position,
                 const RenderOptions& options) {
  if (position.segment == Segment::kA && ShowsSegmentB(*position.line, options)) {
    position = {position.line, Segment::kB, 0};
    return true;
  }
  e_object* next = NextPrompted(store, position.line, options);
  if (next == nullptr) {
    return false;
  }
  position = {next, Segment::kA, 0};
  return true;
}

bool StepBack(const store::ScriptStore& store, PromptPosition& position,
              const RenderOptions& options) {
  if (position.segment == Segment::kB) {
    position = {position.line, Segment::kA, 0};
    return true;
  }
  e_object* prev = PreviousPrompted(store, position.line, options);
  if (prev == nullptr) {
    return false;
  }
  position = {prev, ShowsSegmentB(*prev, options) ? Segment::kB : Segment::kA, 0};
  return true;
}

void ClampPosition(const store::ScriptStore& store, PromptPosition& position,
                   const RenderOptions& options) {
  if (position.segment == Segment::kB && !ShowsSegmentB(*position.line, options)) {
    position.segment = Segment::kA;
  }
  const int rows = SegmentRows(store, *position.line, position.segment);
  position.offset = std::clamp(position.offset / kRowBytes, 0, rows - 1) * kRowBytes;
}

PromptPosition StepRows(const store::ScriptStore& store, PromptPosition position, int rows,
                        const RenderOptions& options) {
  ClampPosition(store, position, options);
  if (rows >= 0) {
    int left = rows;
    while (true) {
      const int height = SegmentRows(store, *position.line, position.segment);
      const int room = height - position.row();
      if (left < room) {
        position.offset += left * kRowBytes;
        return position;
      }
      left -= room;
      if (!StepForward(store, position, options)) {
        position.offset = (height - 1) * kRowBytes;
        return position;
      }
    }
  }
  int left = -rows;
  while (true) {
    if (left <= position.row()) {
      position.offset -= left * kRowBytes;
      return position;
    }
    left -= position.row() + 1;
    if (!StepBack(store, position, options)) {
      position.offset = 0;
      return position;
    }
    position.offset = (SegmentRows(store, *position.line, position.segment) - 1) * kRowBytes;
  }
}

}  // namespace telvane::prompt
