// The scroll engine's feed: where prompting starts, the pages and fills that go to the card,
// the on-air story and preview that follow them, and the re-send after an edit.

#include <algorithm>

#include "prompt/prompt_page.h"
#include "prompt/scroll_engine.h"
#include "runorder/story_ids.h"

namespace telvane::prompt {

using devices::CardCommand;
using store::e_object;
using store::r_object;

namespace {

// Feed to on-air line, feed to the top of the preview, and a page.
constexpr int kOnAirRows = 384;
constexpr int kPreviewRows = 768;
constexpr int kBackwardStepRows = 1024;
constexpr int kBackwardNextRows = 256;

// The start line stands this many rows down the first page: below the cue marker.
constexpr int kStartRows625 = 70;
constexpr int kStartRows525 = 60;
constexpr int kRowsPerStartSegment = 64;

bool EndsParagraph(const e_object& line, const e_object* below, bool inverse_slug) {
  if (store::HasFlag(line, store::line_flag::kHardReturn)) return true;
  if (inverse_slug && store::IsSlugLine(line)) return true;
  if (line.text_a.empty() && line.text_b.empty()) return true;
  return below != nullptr && store::HasFlag(line, store::line_flag::kRightToLeft) !=
                                 store::HasFlag(*below, store::line_flag::kRightToLeft);
}

}  // namespace

PromptPosition ScrollEngine::Stepped(PromptPosition position, int rows) const {
  return StepRows(store_, position, rows, renderer_.options());
}

bool ScrollEngine::InitiatePrompt(e_object* line, bool /*top*/, bool deferred) {
  try {
    // 2. Held-back stories are not prompted.
    if (IsStoryHeldBack(*line)) return false;
    e_object* start = line;
    if (!IsPrompted(store_, *start, renderer_.options())) {
      start = NextPrompted(store_, start, renderer_.options());
      if (start == nullptr) return false;
    }
    if (!deferred) forward_ = true;
    PromptPosition position{start, store::Segment::kA, 0};
    // 3.
    PromptPosition top = position;
    for (int i = 0; i < options_.start_offset_segments; ++i) {
      if (!StepBack(store_, top, renderer_.options())) break;
    }
    Set(deferred ? jump_preview_ : preview_top_, top);
    // 4.
    last_hooked_line_ = nullptr;
    slug_paused_at_ = nullptr;
    timer_line_ = nullptr;
    if (options_.prompt_track_active) view_.ShowLineInEditor(start);
    // 5.
    const int offset_rows = options_.start_offset_segments * kRowsPerStartSegment +
                            (options_.lines_625 ? kStartRows625 : kStartRows525);
    Set(deferred ? jump_feed_ : feed_, StartPosition(renderer_, start, offset_rows));
    jump_pending_ = deferred;
    return true;
  } catch (...) {
    ReportError("Error in Initiate Prompt");
    return false;
  }
}

void ScrollEngine::RunHooks(const PromptPosition& position, bool caption_fill) {
  if (position.line == last_hooked_line_ && position.segment == last_hooked_segment_) return;
  last_hooked_line_ = position.line;
  last_hooked_segment_ = position.segment;
  for (LineHooks* hooks : line_hooks_) hooks->SegmentFed(position, caption_fill);
}

bool ScrollEngine::SendRows(int rows, bool hooks, bool caption_fill) {
  PromptPosition position = feed();
  words_.clear();
  int height = renderer_.RenderSegment(position, raster_);
  if (hooks) RunHooks(position, caption_fill);
  int left = rows;
  while (left > 0) {
    const int from = position.row();
    const int take = std::min(left, height - from);
    for (int row = from; row < from + take; ++row) {
      EncodeRow(std::span<const std::uint8_t>(raster_.Row(row), LineRaster::kWidth), colour_map_,
                words_);
    }
    left -= take;
    if (from + take < height) {
      position.offset = (from + take) * kRowBytes;
      continue;
    }
    if (!StepForward(store_, position, renderer_.options())) {
      // The end of the script: its last segment repeats.
      position.offset = 0;
      continue;
    }
    if (left > 0) {
      height = renderer_.RenderSegment(position, raster_);
      if (hooks) RunHooks(position, caption_fill);
    }
  }
  Set(feed_, position);
  return card_.SendData(words_);
}

bool ScrollEngine::CopyPage(int kind) {
  try {
    // 1.
    MarkBusy();
    const bool new_page = kind == 1 || blanked_page_;
    Send(new_page ? CardCommand::kNewPage : CardCommand::kRefreshPage, SpeedArgument());
    // 2. and 3.
    if (new_page) {
      for (LineHooks* hooks : line_hooks_) hooks->PageStarted();
      last_hooked_line_ = nullptr;
    }
    // A refresh covers rows already fed: the hooks (remote clients) saw them.
    SendRows(kPageRows, new_page, false);
    ++counters_.pages;
    // 4.
    view_.PromptLineChanged(feed().line, true);
    on_air_line_ = forward_ ? Stepped(feed(), -kOnAirRows).line : feed().line;
    // 5.
    if (!blanked_) {
      view_.PreviewChanged();
      blanked_page_ = false;
    } else {
      ClearBusy();
    }
    // 6. The feed is recorded for the next edit, without arming a re-send.
    update_pending_ = false;
    update_due_ = false;
    Set(remembered_feed_, forward_ ? Stepped(feed(), -kPreviewRows) : feed());
    Set(remembered_top_, preview_top());
    remembered_valid_ = true;
    return true;
  } catch (...) {
    ReportError(kind == 0 ? "Error in Update Edit Page To Prompter"
                          : "Error in Copy Edit Page To Prompter");
    return false;
  }
}

bool ScrollEngine::FillRows(int kind) {
  const bool forward = kind == 0;
  Send(forward ? CardCommand::kRowsBelow : CardCommand::kRowsAbove, SpeedArgument());
  const bool sent = SendRows(kFillRows, forward, forward);
  ++counters_.fills;
  return sent;
}

void ScrollEngine::HandleRowRequest(char code) {
  // A request is not an answer: it leaves the busy flag to what the card still owes.
  if (stop_requested_ || !prompting_) return;
  MarkBusy();
  if (paused_) {
    paused_ = false;
    if (panel_ != nullptr) panel_->PauseChanged(false);
  }
  switch (code) {
    case devices::CardEvent::kBackward:
      forward_ = false;
      Set(feed_, Stepped(feed(), -kBackwardStepRows));
      FillRows(1);
      on_air_line_ = feed().line;
      break;
    case devices::CardEvent::kForward:
      forward_ = true;
      Set(feed_, Stepped(feed(), kPreviewRows));
      FillRows(0);
      on_air_line_ = Stepped(feed(), -kOnAirRows).line;
      break;
    default:
      if (forward_) {
        FillRows(0);
        on_air_line_ = Stepped(feed(), -kOnAirRows).line;
      } else {
        Set(feed_, Stepped(feed(), -kBackwardNextRows));
        FillRows(1);
        on_air_line_ = feed().line;
      }
      break;
  }
  // The remembered place is 128 rows below the top of what the card holds, in either
  // direction; it moves with the card, so a re-send after this fill lands where the card is
  // and not a fill behind.
  if (update_pending_ && remembered_valid_) {
    const bool down =
        code != devices::CardEvent::kBackward && (code == devices::CardEvent::kForward || forward_);
    Set(remembered_feed_, Stepped(Get(remembered_feed_), down ? kFillRows : -kFillRows));
  }
  SetOnAirStory();
  RefreshPreview();
}

void ScrollEngine::RefreshPreview() {
  try {
    Set(preview_top_, forward_ ? Stepped(feed(), -kPreviewRows) : Stepped(feed(), kFillRows));
    if (!blanked_) view_.PreviewChanged();
    CheckSlugPause();
  } catch (...) {
    ReportError("Error in Update VDU Prompt Display");
  }
}

void ScrollEngine::CheckSlugPause() {
  if (!forward_) return;
  const e_object* top = preview_top().line;
  if (options_.timer_auto_trigger && top != timer_line_ &&
      (top->flags2 & store::line_state::kTimingLine) != 0) {
    timer_line_ = top;
    view_.TimingLineReached(*top);
  }
  if (!options_.pause_on_slugline) return;
  const e_object* slug = store::IsSlugLine(*top) ? top : nullptr;
  if (slug == nullptr && top->next != nullptr && store::IsSlugLine(*top->next)) slug = top->next;
  if (slug == nullptr || slug == slug_paused_at_) return;
  slug_paused_at_ = slug;
  if (options_.function_button == function_button::kPause) {
    SetPaused(!paused_);
    if (panel_ != nullptr) panel_->PauseChanged(paused_);
  } else {
    Send(CardCommand::kHold, CardCommand::kSlugPause);
  }
}

void ScrollEngine::SetOnAirStory() {
  try {
    e_object* line = forward_ ? Stepped(feed(), -kPreviewRows).line : feed().line;
    r_object* entry = nullptr;
    if ((line->flags2 & store::line_state::kHeadMargin) != 0) {
      entry = run_order_.empty() ? nullptr : run_order_.first_story();
    } else if ((line->flags2 & store::line_state::kTailMargin) != 0) {
      entry = run_order_.empty() ? nullptr : run_order_.run_end()->prev;
    } else {
      for (int step = 0; step < options_.on_air_update_offset; ++step) {
        e_object* next = NextPrompted(store_, line, renderer_.options());
        if (next == nullptr || store::IsMargin(*next)) break;
        line = next;
      }
      for (int step = 0; step < -options_.on_air_update_offset; ++step) {
        e_object* prev = PreviousPrompted(store_, line, renderer_.options());
        if (prev == nullptr || store::IsMargin(*prev)) break;
        line = prev;
      }
      entry = run_order_.StoryOfLine(line);
    }
    if (entry != nullptr && entry != run_order_.air_story()) run_order_.SetAirStory(entry);
  } catch (...) {
    ReportError("Error in Set Run Order On Air");
  }
}

// --- Edits while prompting ---

bool ScrollEngine::UpdateNeeded(const e_object* edited) const {
  if (!prompting_ || edited == nullptr) return false;
  PromptPosition from = feed();
  if (!forward_) from = Stepped(from, kPreviewRows);
  const e_object* top = preview_top().line;
  bool passed_top = false;
  const e_object* below = nullptr;
  const e_object* line = from.line->next != nullptr ? from.line->next : from.line;
  for (int steps = store_.line_count() + 2 * store::kMarginLines + 4; steps > 0 && line != nullptr;
       --steps) {
    if (line == edited) return true;
    if ((line->flags2 & store::line_state::kHeadMargin) != 0) return false;
    if (passed_top && EndsParagraph(*line, below, options_.inverse_slug)) return false;
    if (line == top) passed_top = true;
    below = line;
    line = line->prev;
  }
  return false;
}

void ScrollEngine::RememberFeed() {
  if (!prompting_) return;
  if (!update_pending_ && !update_due_) {
    Set(remembered_feed_, forward_ ? Stepped(feed(), -kPreviewRows) : feed());
    Set(remembered_top_, preview_top());
    remembered_valid_ = true;
    remembered_story_.clear();
    if (options_.live_on_air_update) {
      if (const r_object* story = run_order_.StoryOfLine(remembered_feed_.line.get())) {
        remembered_story_ = story->story_id;
      }
    }
    update_pending_ = true;
  }
  RestartUpdateTimer();
}

void ScrollEngine::EditDone() {
  if (prompting_ && update_pending_) RestartUpdateTimer();
}

void ScrollEngine::RestartUpdateTimer() {
  update_timer_->Stop();
  update_timer_->Start(kUpdateMs);
}

void ScrollEngine::ResyncFeed() {
  if (!prompting_ || !update_pending_) return;
  try {
    PromptPosition remembered = remembered_valid_ && remembered_feed_.line
                                    ? Get(remembered_feed_)
                                    : PromptPosition{store_.last_line(), store::Segment::kA, 0};
    if (options_.live_on_air_update && !remembered_story_.empty()) {
      const r_object* story = run_order_.StoryOfLine(remembered.line);
      if (story == nullptr || story->story_id != remembered_story_) {
        r_object* moved = runorder::FindStory(store_, remembered_story_, "", false);
        if (moved != nullptr && moved != run_order_.run_end() && moved->line != nullptr) {
          remembered = {moved->line, store::Segment::kA, 0};
        }
      }
    }
    ++counters_.resends;
    if (IsStoryHeldBack(*remembered.line) && IsStoryHeldBack(*feed().line)) {
      // The story on the card was dropped: the prompt goes on with the next story that is
      // prompted, through a hold like any story jump.
      update_pending_ = false;
      e_object* top = Get(remembered_top_).line;
      if (IsStoryHeldBack(*top)) top = StoryStartAfter(top);
      if (top != nullptr && InitiatePrompt(top, false, true)) {
        RequestHeldOperation(HeldOp::kJumpResetCaptions);
      }
      return;
    }
    Set(feed_, Stepped(remembered, -kFillRows));
    const bool forward = forward_;
    CopyPage(0);
    if (!forward) {
      Set(feed_, Stepped(feed(), -kPreviewRows));
      on_air_line_ = feed().line;
    }
    SetOnAirStory();
  } catch (...) {
    ReportError("Error in Resend VDU Prompt Display");
  }
}

}  // namespace telvane::prompt
