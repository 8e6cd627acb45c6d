#include "prompt/scroll_engine.h"

#include <algorithm>

#include "config/settings_keys.h"
#include "prompt/prompt_page.h"

namespace telvane::prompt {

using config::Key;
using devices::CardCommand;
using devices::CardEvent;
using store::e_object;
using store::r_object;

namespace {

// Message numbers.
constexpr int kNoPromptOutput = 1;
constexpr int kNotFound = 19;
constexpr int kStartNotPrompted = 141;
constexpr int kStoryNotFound = 180;
constexpr int kPciTimeout = 27;
constexpr int kCardTimeout = 204;

r_object* FirstPromptedStory(const runorder::RunOrder& run_order, r_object* from) {
  for (r_object* entry = from; entry != nullptr && entry != run_order.run_end();
       entry = entry->next) {
    if (entry->line != nullptr && !IsStoryHeldBack(*entry->line)) return entry;
  }
  return nullptr;
}

}  // namespace

EngineOptions EngineOptionsFrom(const config::Settings& s) {
  EngineOptions o;
  o.lines_625 = s.Bool(Key::kPcCard625);
  o.start_offset_segments = std::clamp(s.Int(Key::kConstantsPromptStartOffset), 0, 64);
  o.live_on_air_update = s.Bool(Key::kScriptLiveOnAirUpdate);
  o.on_air_update_offset = s.Bool(Key::kTelvaneInternalDoNotEditOnAirUpdateOffset)
                               ? 0
                               : std::clamp(s.Int(Key::kMainOnAirUpdateOffset), -100, 100);
  o.pause_on_slugline = s.Bool(Key::kMainPauseOnSlugline);
  o.cut_to_black_enabled = s.Bool(Key::kMainCutToBlackEnabled);
  o.blank_key = s.Bool(Key::kPromptBlank);
  o.next_enabled = s.Bool(Key::kPromptNext);
  o.previous_enabled = s.Bool(Key::kPromptPrev);
  o.first_enabled = s.Bool(Key::kPromptFirst);
  o.function_enabled = s.Bool(Key::kPromptFunction);
  o.function_button = std::clamp(s.Int(Key::kPcCardFunctionCommand), function_button::kCaptions,
                                 function_button::kNone);
  o.prompt_track_active = s.Bool(Key::kPromptPromptTrackActive);
  o.timer_auto_trigger = s.Bool(Key::kPromptBackgroundTimerAutoTrig);
  o.inverse_slug = s.Bool(Key::kScriptInverseSlug);
  o.idle = IdlePageLookFrom(s);
  return o;
}

ScrollEngine::ScrollEngine(store::ScriptStore& store, runorder::RunOrder& run_order,
                           const PromptRenderer& renderer, devices::PromptCard& card,
                           const platform::Clock& clock, platform::Timers& timers,
                           ScrollEngineView& view)
    : store_(store),
      run_order_(run_order),
      renderer_(renderer),
      card_(card),
      clock_(clock),
      view_(view),
      colour_map_(BuildCardColourMap()),
      feed_(store.refs()),
      preview_top_(store.refs()),
      on_air_line_(store.refs(), store::OnDelete::kPrompted, store::OnNewScript::kClear),
      jump_feed_(store.refs()),
      jump_preview_(store.refs()),
      remembered_feed_(store.refs()),
      remembered_top_(store.refs()),
      start_line_(store.refs(), store::OnDelete::kFollow, store::OnNewScript::kClear) {
  // Positions whose line is freed by an edit move to the nearest line the prompt shows.
  store_.refs().SetPromptedTest(
      [this](const e_object& line) { return IsPrompted(store_, line, renderer_.options()); });
  card_.SetStateBits([this] { return StateBits(); });
  update_timer_ = timers.CreateTimer([this] {
    update_timer_->Stop();
    update_due_ = true;
  });
  prompt_busy_timer_ = timers.CreateTimer([this] { prompt_busy_timer_->Stop(); });
  hold_off_timer_ = timers.CreateTimer([this] { hold_off_timer_->Stop(); });
}

ScrollEngine::~ScrollEngine() {
  store_.refs().SetPromptedTest(nullptr);
  card_.SetStateBits(nullptr);
}

void ScrollEngine::RemoveLineHooks(LineHooks* hooks) {
  std::erase(line_hooks_, hooks);
}

PromptPosition ScrollEngine::Get(const HeldPosition& held) const {
  e_object* line = held.line.get();
  if (line == nullptr) line = store_.first_line();
  PromptPosition position{line, held.segment, held.offset};
  ClampPosition(store_, position, renderer_.options());
  return position;
}

void ScrollEngine::Set(HeldPosition& held, const PromptPosition& position) {
  held.line = position.line;
  held.segment = position.segment;
  held.offset = position.offset;
}

std::uint32_t ScrollEngine::StateBits() const {
  std::uint32_t bits = blanked_ ? CardCommand::kBlankBit : 0;
  const bool lamp =
      (options_.function_button == function_button::kPause && paused_) ||
      (options_.function_button == function_button::kInverse && renderer_.options().inverse_video);
  if (lamp) bits |= CardCommand::kLampBit;
  return bits;
}

bool ScrollEngine::Send(std::uint8_t code, std::uint16_t argument) {
  return card_.SendCommand((std::uint32_t{code} << 16) | argument);
}

void ScrollEngine::SendSpeed() {
  Send(CardCommand::kSpeed, static_cast<std::uint16_t>(std::clamp(speed_, kSpeedMin, kSpeedMax)));
  speed_changed_ = false;
}

std::uint16_t ScrollEngine::SpeedArgument() {
  if (!speed_changed_) return 0;
  speed_changed_ = false;
  const bool jump = speed_jump_variant_;
  speed_jump_variant_ = false;
  if (jump) return 1;
  return static_cast<std::uint16_t>(std::clamp(speed_, kSpeedMin, kSpeedMax));
}

void ScrollEngine::MarkBusy() {
  if (!busy_) busy_since_ = clock_.Now();
  busy_ = true;
}

void ScrollEngine::ClearBusy() {
  busy_ = false;
  busy_since_.reset();
}

// --- The service cycle ---

void ScrollEngine::ServiceCycle() {
  // 1. Events; a due update goes out once the card is free. Events are handled while the
  //    card is busy too: they are what clears the busy flag.
  card_.ReadEvents();
  if (update_due_ && !busy_ && hold_state_ == 0) {
    update_due_ = false;
    ResyncFeed();
  }
  CheckTimeout();
  // 2. One event a tick.
  if (std::optional<CardEvent> event = card_.TakeEvent()) {
    try {
      HandleEvent(*event);
    } catch (...) {
      ReportError("Error in WM Host Event");
    }
    return;
  }
  if (busy_) return;
  // 3. Stop.
  if (hold_state_ == 3 && stop_requested_) {
    StopSteps();
    return;
  }
  // 4. Hold and release words.
  if (prompting_) {
    if (hold_state_ == 1) {
      MarkBusy();
      Send(CardCommand::kHold, CardCommand::kHoldOn);
      hold_state_ = 2;
      return;
    }
    if (hold_state_ == 4) {
      if (panel_ != nullptr && panel_->open() && panel_->has_control()) {
        speed_ = std::clamp(panel_->ScrollerSpeed(), kSpeedMin, kSpeedMax);
        SendSpeed();
      }
      MarkBusy();
      Send(CardCommand::kHold, CardCommand::kRelease);
      hold_state_ = 5;
      return;
    }
  }
  // 5. Start.
  if (start_requested_ && !prompt_busy_timer_->IsActive() && !update_timer_->IsActive() &&
      hold_state_ == 0) {
    StartSteps();
    return;
  }
  if (!prompting_) return;
  // 6. Speed.
  if (speed_changed_) Send(CardCommand::kSpeed, SpeedArgument());
  // 7. Story jumps.
  if (jump_top_) {
    jump_top_ = false;
    DoStoryJump(CardEvent::kTop);
  } else if (jump_previous_) {
    jump_previous_ = false;
    DoStoryJump(CardEvent::kPreviousStory);
  } else if (jump_next_) {
    jump_next_ = false;
    DoStoryJump(CardEvent::kNextStory);
  }
  // 8.
  if (!update_timer_->IsActive()) SetOnAirStory();
}

void ScrollEngine::CheckTimeout() {
  if (!busy_ || !busy_since_ || clock_.Now() - *busy_since_ < kCardTimeoutMs) return;
  ++counters_.timeouts;
  ReportError(Message(card_.kind() == devices::CardKind::kPci ? kPciTimeout : kCardTimeout));
  // A card that does not answer must not keep the operator from stopping or closing.
  ClearBusy();
  if (hold_state_ == 2 || hold_state_ == 5) {
    hold_state_ = stop_requested_ ? 3 : 0;
    if (!stop_requested_) held_op_ = HeldOp::kNone;
  }
  if (stop_requested_ && prompting_) hold_state_ = 3;
}

void ScrollEngine::HandleEvent(const CardEvent& event) {
  switch (event.code) {
    case CardEvent::kBlankKey:
      if (options_.blank_key && options_.cut_to_black_enabled && prompting_) SetBlank(!blanked_);
      break;
    case CardEvent::kFunction:
      if (!options_.function_enabled) break;
      if (options_.function_button == function_button::kPause) {
        SetPaused(!paused_);
        if (panel_ != nullptr) panel_->PauseChanged(paused_);
      } else if (options_.function_button != function_button::kNone) {
        view_.FunctionButton(options_.function_button);
      }
      break;
    case CardEvent::kAck:
      ClearBusy();
      HandleAck();
      break;
    case CardEvent::kBackward:
    case CardEvent::kForward:
    case CardEvent::kNext:
      HandleRowRequest(event.code);
      break;
    case CardEvent::kInitialised:
      MarkBusy();
      card_.SendColourTables();
      card_.SendSetUp(false);
      ClearBusy();
      break;
    case CardEvent::kNextStory:
    case CardEvent::kPreviousStory:
    case CardEvent::kTop:
      DoStoryJump(event.code);
      break;
    case CardEvent::kSkip:
      break;
    case CardEvent::kSpeed: {
      // 0 is a controller that knows no speed yet; other values outside 4..60 are noise.
      const int reported = event.value;
      if (panel_ != nullptr && panel_->open()) panel_->HandSpeedReported(reported);
      if (reported < kSpeedMin || reported > kSpeedMax) break;
      if (reported != last_hand_speed_) {
        last_hand_speed_ = reported;
        speed_ = reported;
      }
      break;
    }
    case CardEvent::kHoldDone:
      ClearBusy();
      HandleHoldDone();
      break;
    default:
      ClearBusy();
      break;
  }
}

void ScrollEngine::HandleAck() {
  const int handshake = handshake_;
  handshake_ = 0;
  switch (handshake) {
    case 1:
    case 3:
      // The release is answered like any other: a jump's hold cannot take its 'Z'.
      if (stop_requested_ || hold_state_ != 0) break;
      MarkBusy();
      Send(CardCommand::kHold, CardCommand::kRelease);
      hold_state_ = 5;
      speed_after_release_ = handshake == 1;
      break;
    case 4:
      card_.SendSetUp(true);
      break;
    default:
      break;
  }
}

void ScrollEngine::HandleHoldDone() {
  switch (hold_state_) {
    case 1:
    case 2: {
      hold_state_ = 3;
      const HeldOp op = held_op_;
      if (op != HeldOp::kStop && op != HeldOp::kStopAndClose) held_op_ = HeldOp::kNone;
      CarryOut(op);
      // An operation asked for while a jump waited is carried out on the same hold.
      if (deferred_op_ != HeldOp::kNone) {
        const HeldOp next = deferred_op_;
        deferred_op_ = HeldOp::kNone;
        if (hold_state_ == 4) hold_state_ = 3;
        CarryOut(next);
      }
      break;
    }
    case 4:
    case 5:
      hold_state_ = 0;
      if (speed_after_release_) {
        speed_after_release_ = false;
        SendSpeed();
        handshake_ = 2;
      }
      // A stop asked for while the release was on its way holds the card now.
      if (stop_requested_ && prompting_) {
        held_op_ = HeldOp::kNone;
        RequestHeldOperation(close_after_stop_ ? HeldOp::kStopAndClose : HeldOp::kStop);
      }
      break;
    default:
      break;
  }
}

void ScrollEngine::CarryOut(HeldOp op) {
  switch (op) {
    case HeldOp::kJump:
    case HeldOp::kJumpResetCaptions:
      if (jump_pending_) {
        jump_pending_ = false;
        Set(feed_, Get(jump_feed_));
        Set(preview_top_, Get(jump_preview_));
        forward_ = true;
      }
      if (unblank_pending_) {
        unblank_pending_ = false;
        handshake_ = 0;
        card_.SendSetUp(false);
      }
      CopyPage(1);
      SetOnAirStory();
      if (op == HeldOp::kJumpResetCaptions) view_.HeldOperation(op);
      if (!blanked_) Release();
      break;
    case HeldOp::kColourTablesAndUpdate:
      card_.SendColourTables();
      card_.SendSetUp(false);
      if (update_pending_) ResyncFeed();
      Release();
      break;
    case HeldOp::kColourTables:
    case HeldOp::kSetUp:
    case HeldOp::kCueAdjustment:
      if (op == HeldOp::kColourTables) card_.SendColourTables();
      card_.SendSetUp(blanked_);
      if (!blanked_) Release();
      break;
    case HeldOp::kMessagePageForward:
      forward_ = true;
      view_.HeldOperation(op);
      break;
    case HeldOp::kMessagePage:
      view_.HeldOperation(op);
      break;
    case HeldOp::kBlank:
      RememberFeed();
      // The page that follows the blank is a page start, so the card scrolls nothing stale.
      blanked_page_ = true;
      Send(CardCommand::kBlack);
      handshake_ = 4;
      view_.PreviewBlack();
      break;
    case HeldOp::kStop:
    case HeldOp::kStopAndClose:
      // The stop itself runs in the service cycle once the card is free.
      break;
    case HeldOp::kSetUpApplyCue:
      card_.SendSetUp(blanked_);
      Send(CardCommand::kApplyCue);
      card_.WaitForEvent(CardEvent::kAck, 1000);
      Release();
      break;
    case HeldOp::kSpeed:
      SendSpeed();
      handshake_ = 2;
      Release();
      break;
    case HeldOp::kNone:
    case HeldOp::kRefreshRunOrder:
    case HeldOp::kEditorRefresh:
    case HeldOp::kQueueRefresh:
    case HeldOp::kNothing:
    case HeldOp::kMainRefresh:
    case HeldOp::kMainRefreshOther:
      view_.HeldOperation(op);
      Release();
      break;
  }
}

void ScrollEngine::Release() {
  if (hold_state_ == 3 && prompting_ && !stop_requested_ && !start_requested_) hold_state_ = 4;
}

void ScrollEngine::RequestHeldOperation(HeldOp op) {
  if (!prompting_) return;
  // A stop that waits for the hold is never replaced by another operation.
  if (held_op_ == HeldOp::kStop || held_op_ == HeldOp::kStopAndClose) return;
  const bool jump_waiting = held_op_ == HeldOp::kJump || held_op_ == HeldOp::kJumpResetCaptions;
  const bool is_jump = op == HeldOp::kJump || op == HeldOp::kJumpResetCaptions;
  const bool is_stop = op == HeldOp::kStop || op == HeldOp::kStopAndClose;
  if (jump_waiting && !is_jump && !is_stop && (hold_state_ == 1 || hold_state_ == 2)) {
    deferred_op_ = op;
    return;
  }
  if (is_stop) {
    jump_pending_ = false;
    deferred_op_ = HeldOp::kNone;
  }
  held_op_ = op;
  // A release on its way is answered first; the hold follows it (see HandleHoldDone).
  if (hold_state_ == 5 && is_stop) return;
  hold_state_ = 1;
}

// --- Start and stop ---

void ScrollEngine::RequestStart(StartKind kind, e_object* line) {
  // A presenter display that is not connected cannot take a page either.
  if (!card_.present() || !card_.transport()->ready()) {
    view_.PromptingChanged(prompting_);
    view_.Information(Message(kNoPromptOutput));
    return;
  }
  start_requested_ = true;
  start_kind_ = kind;
  start_line_ = line;
}

void ScrollEngine::RequestStop(bool close_after) {
  if (!prompting_) {
    start_requested_ = false;
    if (close_after) view_.CloseMainWindow();
    return;
  }
  stop_requested_ = true;
  close_after_stop_ = close_after_stop_ || close_after;
  // A hold already confirmed, or a release not yet sent, goes straight to the stop.
  if (hold_state_ == 3 || hold_state_ == 4) {
    hold_state_ = 3;
    return;
  }
  held_op_ = HeldOp::kNone;
  RequestHeldOperation(close_after ? HeldOp::kStopAndClose : HeldOp::kStop);
}

void ScrollEngine::CardLost() {
  start_requested_ = false;
  if (!prompting_) return;
  stop_requested_ = true;
  held_op_ = HeldOp::kStop;
  hold_state_ = 3;
  ClearBusy();
}

void ScrollEngine::JumpToLine(e_object* line) {
  if (line == nullptr) return;
  if (!prompting_) {
    RequestStart(StartKind::kRestartStory, line);
    return;
  }
  if (stop_requested_ || !InitiatePrompt(line, false, true)) return;
  RequestHeldOperation(HeldOp::kJumpResetCaptions);
  prompt_busy_timer_->Start(kPromptBusyMs);
}

e_object* ScrollEngine::StartLine(StartKind kind, e_object* given) const {
  switch (kind) {
    case StartKind::kChosen: {
      if (given != nullptr) return given;
      const r_object* chosen = run_order_.SelectedStory();
      if (chosen != nullptr && chosen != run_order_.run_end() && chosen->line != nullptr) {
        return chosen->line;
      }
      e_object* current = store_.current_line().get();
      return current != nullptr ? store_.StoryStartOf(current) : store_.first_line();
    }
    case StartKind::kTop:
    case StartKind::kFirstLine:
      return store_.first_line();
    case StartKind::kFirstStory:
      return run_order_.empty() ? store_.first_line() : run_order_.first_story()->line;
    default:
      return given;
  }
}

void ScrollEngine::StartSteps() {
  start_requested_ = false;
  handshake_ = 0;
  e_object* line = StartLine(start_kind_, start_line_.get());
  start_line_ = nullptr;
  // 1. A start line the prompt can begin on.
  if (line == nullptr || !InitiatePrompt(line, start_kind_ == StartKind::kTop, false)) {
    view_.PromptingChanged(false);
    view_.Information(line != nullptr ? Message(kStartNotPrompted)
                                      : Message(kStoryNotFound) + " " + Message(kNotFound));
    return;
  }
  // 2.
  prompting_ = true;
  store_.set_prompting(true);
  paused_ = false;
  const bool panel_open = panel_ != nullptr && panel_->open();
  speed_ = panel_open ? std::clamp(panel_->ScrollerSpeed(), kSpeedMin, kSpeedMax) : kSpeedStop;
  remembered_speed_ = speed_;
  speed_changed_ = false;
  last_hand_speed_ = -1;
  hold_state_ = 0;
  held_op_ = HeldOp::kNone;
  // 3. and 4.
  view_.StatusMessage("");
  view_.PromptingChanged(true);
  if (panel_ != nullptr) panel_->PromptingChanged(true);
  for (LineHooks* hooks : line_hooks_) hooks->PromptStarted();
  // 5.
  MarkBusy();
  card_.SendSetUp(false);
  CopyPage(1);
  SetOnAirStory();
  // 6. Without the panel the card keeps the speed its own controller gives it.
  if (panel_open) {
    handshake_ = 1;
  } else {
    handshake_ = 3;
    speed_ = 0;
    remembered_speed_ = 0;
  }
}

void ScrollEngine::StopSteps() {
  const bool close = close_after_stop_;
  // 1.
  for (LineHooks* hooks : line_hooks_) hooks->PromptStopped();
  // 2.
  prompting_ = false;
  store_.set_prompting(false);
  paused_ = false;
  hold_state_ = 0;
  held_op_ = HeldOp::kNone;
  handshake_ = 0;
  on_air_line_ = nullptr;
  if (blanked_) {
    blanked_ = false;
    view_.BlankChanged(false);
  }
  blanked_page_ = false;
  view_.PromptingChanged(false);
  // 3.
  Send(CardCommand::kNoOp);
  // 4.
  e_object* current = store_.current_line().get();
  if (current != nullptr) view_.ShowLineInEditor(current);
  run_order_.ClearAirStory();
  // 5.
  SendIdlePage();
  view_.PreviewChanged();
  // 6.
  const bool panel_open = panel_ != nullptr && panel_->open();
  if (!panel_open) speed_ = kSpeedStop;
  if (panel_ != nullptr) panel_->PromptingChanged(false);
  view_.PromptLineChanged(nullptr, false);
  stop_requested_ = false;
  close_after_stop_ = false;
  start_requested_ = false;
  jump_pending_ = false;
  unblank_pending_ = false;
  speed_after_release_ = false;
  deferred_op_ = HeldOp::kNone;
  jump_top_ = jump_previous_ = jump_next_ = false;
  update_timer_->Stop();
  update_pending_ = false;
  update_due_ = false;
  ClearBusy();
  card_.SendSetUp(false);
  hold_off_timer_->Start(kHoldOffMs);
  // 7.
  if (close) view_.CloseMainWindow();
}

void ScrollEngine::SendIdlePage() {
  const std::vector<std::uint8_t> page = DrawIdlePage(idle_faces_, options_.idle);
  words_.clear();
  for (int row = 0; row < kPageRows; ++row) {
    EncodeRow(std::span<const std::uint8_t>(page).subspan(static_cast<std::size_t>(row) * kRowBytes,
                                                          kRowBytes),
              colour_map_, words_);
  }
  Send(CardCommand::kNewPage);
  card_.SendData(words_);
}

// --- Blanking, pause, speed and jumps ---

void ScrollEngine::SetBlank(bool on) {
  if (on == blanked_) return;
  if (on && (!prompting_ || !options_.cut_to_black_enabled)) return;
  blanked_ = on;
  view_.BlankChanged(on);
  if (!prompting_) return;
  if (on) {
    RequestHeldOperation(HeldOp::kBlank);
    return;
  }
  // The picture comes back on the line the presenter was reading, as a story jump would
  // bring it, with the cue marker shown again.
  e_object* at = preview_top().line;
  if (!InitiatePrompt(at, false, true)) {
    e_object* next = StoryStartAfter(at);
    if (next == nullptr || !InitiatePrompt(next, false, true)) {
      // Nothing left to show: the cue comes back over what the card holds.
      card_.SendSetUp(false);
      Release();
      return;
    }
  }
  unblank_pending_ = true;
  RequestHeldOperation(HeldOp::kJump);
}

void ScrollEngine::SetSpeed(int speed, bool jump_variant) {
  speed_ = std::clamp(speed, kSpeedMin, kSpeedMax);
  speed_changed_ = true;
  speed_jump_variant_ = jump_variant;
}

void ScrollEngine::SetPaused(bool paused) {
  if (paused == paused_) return;
  if (paused) {
    remembered_speed_ = speed_;
    speed_ = kSpeedStop;
    paused_ = true;
  } else {
    speed_ = remembered_speed_ == 0 ? kSpeedStop : remembered_speed_;
    paused_ = false;
    ReleaseHeld();
  }
  speed_changed_ = true;
  Send(CardCommand::kNoOp);
}

void ScrollEngine::ReleaseHeld() {
  Release();
}

void ScrollEngine::RequestJump(StoryJump jump) {
  switch (jump) {
    case StoryJump::kTop:
      jump_top_ = true;
      break;
    case StoryJump::kPrevious:
      jump_previous_ = true;
      break;
    case StoryJump::kNext:
      jump_next_ = true;
      break;
  }
}

void ScrollEngine::MoveCue(bool up) {
  if (!on_move_cue || !on_move_cue(up)) return;
  if (prompting_) {
    RequestHeldOperation(HeldOp::kSetUp);
  } else {
    card_.SendSetUp(false);
  }
}

void ScrollEngine::DoStoryJump(char code) {
  if (!prompting_) {
    if (!busy_ && !prompt_busy_timer_->IsActive() && !hold_off_timer_->IsActive()) {
      RequestStart(StartKind::kTop);
    }
    return;
  }
  if (blanked_ || hold_state_ != 0 || stop_requested_) return;
  const e_object* top = preview_top().line;
  e_object* target = nullptr;
  HeldOp op = HeldOp::kJump;
  r_object* at = run_order_.StoryOfLine(top);
  if (code == CardEvent::kPreviousStory && (at == nullptr || at == run_order_.first_story())) {
    code = CardEvent::kTop;
  }
  switch (code) {
    case CardEvent::kNextStory:
      if (!options_.next_enabled) return;
      target = StoryStartAfter(top);
      op = HeldOp::kJumpResetCaptions;
      break;
    case CardEvent::kPreviousStory:
      if (!options_.previous_enabled) return;
      target = StoryStartBefore(top);
      break;
    default:
      if (!options_.first_enabled) return;
      target = StoryStartAfter(nullptr);
      break;
  }
  if (target == nullptr || !InitiatePrompt(target, false, true)) return;
  RequestHeldOperation(op);
  prompt_busy_timer_->Start(kPromptBusyMs);
}

e_object* ScrollEngine::StoryStartAfter(const e_object* line) const {
  r_object* at = line != nullptr ? run_order_.StoryOfLine(line) : nullptr;
  r_object* from = at != nullptr ? at->next : run_order_.first_story();
  if (line != nullptr && at == nullptr && store::IsMargin(*line) &&
      (line->flags2 & store::line_state::kTailMargin) != 0) {
    return nullptr;
  }
  r_object* found = FirstPromptedStory(run_order_, from);
  return found != nullptr ? found->line : nullptr;
}

e_object* ScrollEngine::StoryStartBefore(const e_object* line) const {
  r_object* at = run_order_.StoryOfLine(line);
  if (at == nullptr) return nullptr;
  for (r_object* entry = at->prev; entry != nullptr && entry != run_order_.run_head();
       entry = entry->prev) {
    if (entry->line != nullptr && !IsStoryHeldBack(*entry->line)) return entry->line;
  }
  return nullptr;
}

}  // namespace telvane::prompt
