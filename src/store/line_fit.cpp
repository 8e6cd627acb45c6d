#include "store/line_fit.h"

#include <algorithm>
#include <utility>

namespace telvane::store {

namespace {

bool TruncatedSlug(const StoreOptions& o, const e_object& line) {
  return IsSlugLine(line) && o.inverse_slug && (o.truncate_slugline || o.limit_slugline);
}

// Whether both segments may be used: always, unless every line is one prompt row.
bool MayUseSegmentB(const StoreOptions& o, const e_object& line) {
  return !o.script_as_prompt || (IsSlugLine(line) && o.inverse_slug);
}

void SetSegment(e_object& line, Segment segment, StyledText part) {
  if (segment == Segment::kA) {
    line.text_a = std::move(part.text);
    line.style_a = std::move(part.style);
    line.colour_a = std::move(part.colour);
  } else {
    line.text_b = std::move(part.text);
    line.style_b = std::move(part.style);
    line.colour_b = std::move(part.colour);
  }
}

bool IsBreakHyphen(const std::string& t, std::size_t i) {
  return t[i] == '-' && (i == 0 || t[i - 1] != '-') && (i + 1 >= t.size() || t[i + 1] != '-');
}

// Number of characters of t to place when it overflows after k characters.
std::size_t BreakAt(const StoreOptions& o, const std::string& t, std::size_t k, Segment segment) {
  if (t[k - 1] == ' ') {
    return k;
  }
  std::size_t at = 0;
  for (std::size_t i = k; i-- > 0;) {
    if (t[i] == ' ' || (o.line_break_on_hyphen && IsBreakHyphen(t, i))) {
      at = i + 1;
      break;
    }
  }
  if (at < 2 || (at == 2 && segment == Segment::kB)) {
    at = k - 1;
  }
  return std::max<std::size_t>(at, 1);
}


// Flags a continuation line shares with the line it continues, so that the two join again.
constexpr std::uint32_t kParagraphFlags = line_flag::kRightToLeft | line_flag::kCloaked |
                                          line_flag::kPackage | line_flag::kPresenterInstruction |
                                          line_flag::kTimingCloaked | line_flag::kEmptyStyleMask |
                                          line_flag::kPresenterMask | line_flag::kCharsetMask;
// Markers that end a paragraph and stay on its last line.
constexpr std::uint32_t kEndFlags = line_flag::kHardReturn | line_flag::kPageBreak;

e_object* AddContinuation(ScriptStore& store, e_object* line) {
  e_object* next = store.InsertLine(line, true);
  if (next == nullptr) {
    return nullptr;
  }
  next->flags = (line->flags & (kParagraphFlags | kEndFlags)) |
                (next->flags & ~(kParagraphFlags | kEndFlags));
  line->flags &= ~kEndFlags;
  next->line_colour = line->line_colour;
  next->keyboard_layout = line->keyboard_layout;
  return next;
}

}  // namespace

void UpdateTimingBit(const ScriptStore& store, e_object& line) {
  const std::string& si = line.studio_text;
  const bool timed = (IsTimingLine(store, line) && (line.text_a.find(' ') != std::string::npos ||
                                                    line.text_b.find(' ') != std::string::npos)) ||
                     (store.options().studio_instructions && si.size() > 4 &&
                      si.starts_with("//") && si[2] != '/' && si.find(' ') != std::string::npos);
  line.flags2 =
      timed ? line.flags2 | line_state::kTimingLine : line.flags2 & ~line_state::kTimingLine;
}

void FitSegment(ScriptStore& store, e_object& line, StyledText& remainder, Segment segment,
                int width_reduction) {
  const StoreOptions& o = store.options();
  const bool may_use = MayUseSegmentB(o, line);
  Segment filled = segment;
  if (segment == Segment::kB && TruncatedSlug(o, line)) {
    SetSegment(line, Segment::kB, std::exchange(remainder, {}));
  } else if (segment == Segment::kB && !may_use) {
    SetSegment(line, Segment::kB, {});
  } else {
    if (!may_use) {
      filled = Segment::kA;
    }
    if (remainder.empty()) {
      SetSegment(line, filled, {});
      if (!may_use) {
        SetSegment(line, Segment::kB, {});
      }
    } else {
      const int width = kPromptWidth - o.prompt_blank - width_reduction;
      PromptFit fit =
          store.measure().MeasurePromptFit(remainder.text, remainder.style, CharsetOf(line), width);
      if (remainder.size() > kSegmentCharacterLimit &&
          (!fit.overflow || fit.count > kSegmentCharacterLimit)) {
        fit = {true, kSegmentCharacterLimit};
      }
      std::size_t placed = remainder.size();
      if (fit.overflow) {
        const std::size_t k = std::clamp<std::size_t>(fit.count, 1, remainder.size());
        placed = BreakAt(o, remainder.text, k, segment);
      }
      SetSegment(line, filled, remainder.take_front(placed));
      if (!may_use) {
        SetSegment(line, Segment::kB, {});
      }
    }
    // Spaces at a row break belong to neither row; a segment never starts with one.
    TrimLeadingSpaces(remainder);
  }
  line.flags2 &= ~line_state::kFitMark;
  LineHeightFor(store, line, filled, true);
  if (filled != segment) {
    LineHeightFor(store, line, segment, true);
  }
  UpdateTimingBit(store, line);
}

bool CanJoinNext(const ScriptStore& store, const e_object& line, bool test_indentation) {
  using namespace line_flag;
  const StoreOptions& o = store.options();
  const e_object* next = line.next;
  if (next == nullptr || HasFlag(line, kHardReturn | kPageBreak) || TruncatedSlug(o, line)) {
    return false;
  }
  if (next->text_a.starts_with("///")) {
    return false;
  }
  if (HasFlag(line, kStudioMark | kHardBlank) || HasFlag(*next, kStudioMark | kHardBlank) ||
      IsTailMargin(*next) || IsSlugLine(*next)) {
    return false;
  }
  if (((line.flags ^ next->flags) & (kCloaked | kPackage)) != 0 ||
      HasFlag(line, kPresenterInstruction) || HasFlag(*next, kPresenterInstruction) ||
      (line.flags2 & line_state::kMosEvent) != 0 || line.line_colour != next->line_colour ||
      line.text_a.empty() || next->text_a.empty()) {
    return false;
  }
  if (test_indentation && next->text_a.front() == ' ') {
    return false;
  }
  return ((line.flags ^ next->flags) & kRightToLeft) == 0 && !IsTimingLine(store, line) &&
         !IsTimingLine(store, *next);
}

void LineHeightFor(const ScriptStore& store, e_object& line, Segment segment, bool look_back) {
  const std::string* style = segment == Segment::kA ? &line.style_a : &line.style_b;
  if (style->empty() && look_back) {
    const e_object* at = &line;
    Segment seg = segment;
    const bool one_row = store.options().script_as_prompt;
    while (style->empty()) {
      if (seg == Segment::kB) {
        seg = Segment::kA;
      } else {
        at = at->prev;
        if (at == nullptr || IsMargin(*at)) {
          break;
        }
        seg = one_row ? Segment::kA : Segment::kB;
      }
      style = seg == Segment::kA ? &at->style_a : &at->style_b;
    }
  }
  int height = store.measure().RowHeight(0);
  if (!style->empty()) {
    height = 0;
    unsigned used = 0;
    for (const char s : *style) {
      used |= 1u << FontOfStyle(s);
    }
    for (int font = 0; font < 8; ++font) {
      if ((used & (1u << font)) != 0) {
        height = std::max(height, store.measure().RowHeight(font));
      }
    }
  }
  (segment == Segment::kA ? line.height_a : line.height_b) = height;
}

bool IsTimingLine(const ScriptStore& store, const e_object& line) {
  std::string text = line.text_a + line.text_b;
  TrimLeadingSpaces(text);
  if (text.starts_with("///")) {
    return false;
  }
  if (store.options().slash_cloak && !IsMargin(line) && !IsSlugLine(line) && !line.text_a.empty() &&
      text == "/") {
    return true;
  }
  return text.starts_with("//");
}

e_object* LayOutText(ScriptStore& store, e_object* line, StyledText text, int width_reduction) {
  for (;;) {
    FitSegment(store, *line, text, Segment::kA, width_reduction);
    FitSegment(store, *line, text, Segment::kB, width_reduction);
    if (text.empty()) {
      return line;
    }
    e_object* next = AddContinuation(store, line);
    if (next == nullptr) {
      return line;
    }
    line = next;
  }
}

e_object* RefitLine(ScriptStore& store, e_object* line) {
  return LayOutText(store, line, store.GetLineText(line), 0);
}

e_object* RewrapParagraph(ScriptStore& store, e_object* first) {
  e_object* last = first;
  StyledText text = store.GetLineText(first);
  while (CanJoinNext(store, *last, true)) {
    last = last->next;
    text.append(store.GetLineText(last));
  }
  e_object* after = last->next;
  const std::uint32_t end_flags = last->flags & kEndFlags;
  e_object* line = first;
  for (;;) {
    FitSegment(store, *line, text, Segment::kA, 0);
    FitSegment(store, *line, text, Segment::kB, 0);
    if (text.empty()) {
      break;
    }
    if (line == last) {
      e_object* next = AddContinuation(store, line);
      if (next == nullptr) {
        break;
      }
      last = next;
    }
    line = line->next;
  }
  while (line->next != after) {
    store.DeleteLine(line->next);
  }
  line->flags |= end_flags;
  return after;
}

}  // namespace telvane::store
