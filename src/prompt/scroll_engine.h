#pragma once

// The scroll engine: starts and stops prompting, keeps the prompt card supplied with rows as
// it asks for them, carries out story jumps and blanking through the card's hold and release,
// re-sends the page when the script is edited on air, and keeps the run order's on-air story
// and the preview in step with the card. Main thread only, driven by ServiceCycle.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/settings.h"
#include "devices/prompt_card.h"
#include "platform/host.h"
#include "prompt/idle_page.h"
#include "prompt/prompt_position.h"
#include "prompt/prompt_render.h"
#include "prompt/row_encoding.h"
#include "prompt/speed_link.h"
#include "runorder/run_order.h"
#include "store/line_refs.h"
#include "store/script_store.h"

namespace telvane::prompt {

// Where a start of prompting begins.
enum class StartKind : int {
  kChosen = 0,          // the run order's chosen story, else the editor's current story
  kTop = 1,             // the top of the script
  kRestart = 2,         // the run order's restart command
  kFirstStory = 3,      // the first line of the first story
  kProgrammeStart = 4,  // chosen by the programme windows
  kProgrammeStory = 5,
  kRestartStory = 6,  // a restart from the run order, MOS or a remote request
  kLinkLine = 7,      // lines given by the newsroom links
  kLinkLineOther = 8,
  kFirstLine = 9,  // the first line of the script
};

// What the hand controller's function button does ("Function Command").
namespace function_button {
inline constexpr int kCaptions = 0;
inline constexpr int kSnapshot = 1;
inline constexpr int kPause = 2;
inline constexpr int kBookmark = 3;
inline constexpr int kInverse = 4;
inline constexpr int kTimer = 5;
inline constexpr int kNone = 6;
}  // namespace function_button

struct EngineOptions {
  bool lines_625 = true;
  int start_offset_segments = 0;  // "Prompt Start Offset"
  bool live_on_air_update = false;
  int on_air_update_offset = 0;
  bool pause_on_slugline = false;
  bool cut_to_black_enabled = true;
  bool blank_key = true;  // "Blank": the hand controller's blank key is obeyed
  bool next_enabled = true;
  bool previous_enabled = true;
  bool first_enabled = true;
  bool function_enabled = true;
  int function_button = function_button::kNone;
  bool prompt_track_active = false;
  bool timer_auto_trigger = false;
  bool multiple_run_orders = false;
  bool inverse_slug = true;
  IdlePageLook idle;
};

EngineOptions EngineOptionsFrom(const config::Settings& settings);

// Held operations, carried out once the card confirms the hold.
enum class HeldOp : int {
  kNone = 0,
  kJump = 1,
  kJumpResetCaptions = 2,
  kColourTablesAndUpdate = 3,
  kRefreshRunOrder = 4,
  kColourTables = 5,
  kMessagePageForward = 6,
  kMessagePage = 7,
  kEditorRefresh = 8,
  kBlank = 9,
  kSetUp = 10,
  kQueueRefresh = 11,
  kStop = 12,
  kStopAndClose = 13,
  kSetUpApplyCue = 14,
  kCueAdjustment = 15,
  kNothing = 16,
  kSpeed = 17,
  kMainRefresh = 18,
  kMainRefreshOther = 19,
};

// What the engine tells the windows and the shell. Every call defaults to nothing.
class ScrollEngineView {
 public:
  virtual ~ScrollEngineView() = default;
  // The prompt button, "Prompt &On"/"Prompt O&ff", restart and blank items follow.
  virtual void PromptingChanged(bool /*prompting*/) {}
  // The preview redraws from preview_top(), or shows black.
  virtual void PreviewChanged() {}
  virtual void PreviewBlack() {}
  // The editor's prompt-line marker: beside line, red while prompting.
  virtual void PromptLineChanged(const store::e_object* /*line*/, bool /*prompting*/) {}
  // The editor moves to line ("Prompt Track Active", the end of prompting).
  virtual void ShowLineInEditor(store::e_object* /*line*/) {}
  virtual void BlankChanged(bool /*blanked*/) {}
  virtual void StatusMessage(std::string_view /*text*/) {}
  virtual void Information(std::string_view /*text*/) {}
  virtual std::string MessageText(int /*number*/) const { return {}; }
  // The prompt stopped because the program is closing.
  virtual void CloseMainWindow() {}
  // The function button of a hand controller for a function the engine does not carry out
  // itself (captions, snapshot, bookmark, inverse video, the ten-second timer).
  virtual void FunctionButton(int /*function*/) {}
  // Operations whose work belongs to other windows (message pages, refreshes, cue
  // adjustments, the Avid queue).
  virtual void HeldOperation(HeldOp /*op*/) {}
  // The background timer starts with a timing line's duration.
  virtual void TimingLineReached(const store::e_object& /*line*/) {}
};

// Hooks on the moment a line is fed to the card going forward (remote prompting clients,
// captions, MOS item triggers, studio commands).
class LineHooks {
 public:
  virtual ~LineHooks() = default;
  // A new page starts (a start of prompting or a story jump).
  virtual void PageStarted() {}
  // The segment at position is about to be sent; caption_fill for forward fills.
  virtual void SegmentFed(const PromptPosition& /*position*/, bool /*caption_fill*/) {}
  virtual void PromptStarted() {}
  virtual void PromptStopped() {}
};

class ScrollEngine : public SpeedEngine {
 public:
  static constexpr int kUpdateMs = 250;
  static constexpr int kCardTimeoutMs = 10000;
  static constexpr int kPromptBusyMs = 1200;
  static constexpr int kHoldOffMs = 2000;

  struct Counters {
    std::int64_t pages = 0;
    std::int64_t fills = 0;
    std::int64_t resends = 0;
    std::int64_t timeouts = 0;
  };

  ScrollEngine(store::ScriptStore& store, runorder::RunOrder& run_order,
               const PromptRenderer& renderer, devices::PromptCard& card,
               const platform::Clock& clock, platform::Timers& timers, ScrollEngineView& view);
  ~ScrollEngine() override;
  ScrollEngine(const ScrollEngine&) = delete;
  ScrollEngine& operator=(const ScrollEngine&) = delete;

  EngineOptions& options() { return options_; }
  void SetSpeedPanel(SpeedPanelLink* panel) { panel_ = panel; }
  void AddLineHooks(LineHooks* hooks) { line_hooks_.push_back(hooks); }
  void RemoveLineHooks(LineHooks* hooks);

  // One tick of the main window's service cycle.
  void ServiceCycle();

  // Prompt button, "Prompt &On", F9, restart, remote control, MOS. line is the start line of
  // the kinds that take one (restart, programme and link starts).
  void RequestStart(StartKind kind, store::e_object* line = nullptr);
  // "Prompt O&ff" and the prompt button while prompting; close_after closes the main window
  // once the stop is through.
  void RequestStop(bool close_after = false);
  // The prompt output went away (a presenter display lost): no answer will come, so the
  // stop does not wait for one.
  void CardLost();
  // The run order's restart: a story jump while prompting, a start otherwise.
  void JumpToLine(store::e_object* line);
  // The blank-screen button and item.
  void SetBlank(bool on);
  bool blanked() const { return blanked_; }
  bool start_requested() const { return start_requested_; }
  bool stop_requested() const { return stop_requested_; }

  // SpeedEngine
  bool prompting() const override { return prompting_; }
  bool paused() const override { return paused_; }
  int speed() const override { return speed_; }
  void SetSpeed(int speed, bool jump_variant) override;
  void SetPaused(bool paused) override;
  void ReleaseHeld() override;
  void ClearPause() override { paused_ = false; }
  void RequestJump(StoryJump jump) override;
  void StopPrompting() override { RequestStop(); }
  void MoveCue(bool up) override;

  // Edits while prompting: whether a change at the editor's current line shows on the card,
  // remembering the feed before it, and the re-send after it.
  bool UpdateNeeded(const store::e_object* edited) const;
  void RememberFeed();
  void EditDone();

  // The page shown while not prompting, sent again after a change of the picture.
  void ShowIdlePage() {
    if (!prompting_) SendIdlePage();
  }

  // Requests a held operation (only while prompting; a pending stop is never overwritten).
  void RequestHeldOperation(HeldOp op);

  // Moves the cue marker up or down; true when it moved. Set by the card interface's owner.
  std::function<bool(bool up)> on_move_cue;

  PromptPosition feed() const { return Get(feed_); }
  PromptPosition preview_top() const { return Get(preview_top_); }
  const store::e_object* on_air_line() const { return on_air_line_.get(); }
  bool going_forward() const { return forward_; }
  bool card_busy() const { return busy_; }
  int hold_state() const { return hold_state_; }
  HeldOp held_operation() const { return held_op_; }
  int start_handshake() const { return handshake_; }
  const Counters& counters() const { return counters_; }
  // The state bits every command word carries.
  std::uint32_t StateBits() const;

 private:
  // A position that moves on when its line is freed.
  struct HeldPosition {
    explicit HeldPosition(store::LineRefs& refs)
        : line(refs, store::OnDelete::kPrompted, store::OnNewScript::kFirstLine) {}
    store::LineRef line;
    store::Segment segment = store::Segment::kA;
    int offset = 0;
  };
  PromptPosition Get(const HeldPosition& held) const;
  static void Set(HeldPosition& held, const PromptPosition& position);

  // Service and events.
  void HandleEvent(const devices::CardEvent& event);
  void HandleRowRequest(char code);
  void HandleHoldDone();
  void HandleAck();
  void DoStoryJump(char code);
  void CarryOut(HeldOp op);
  void Release();
  void StartSteps();
  void StopSteps();
  void CheckTimeout();

  // Feeding the card.
  // deferred: the position waits for the card's hold (a story jump) and takes effect when the
  // jump is carried out, so that rows asked for meanwhile still come from where the card is.
  bool InitiatePrompt(store::e_object* line, bool top, bool deferred);
  bool CopyPage(int kind);
  bool FillRows(int kind);
  bool SendRows(int rows, bool hooks, bool caption_fill);
  bool Send(std::uint8_t code, std::uint16_t argument = 0);
  std::uint16_t SpeedArgument();
  // The speed word now, whether or not the speed changed.
  void SendSpeed();
  void MarkBusy();
  void ClearBusy();
  void ResyncFeed();
  void SetOnAirStory();
  void RefreshPreview();
  void CheckSlugPause();
  void SendIdlePage();

  store::e_object* StartLine(StartKind kind, store::e_object* given) const;
  PromptPosition Stepped(PromptPosition position, int rows) const;
  store::e_object* StoryStartAfter(const store::e_object* line) const;
  store::e_object* StoryStartBefore(const store::e_object* line) const;
  void RunHooks(const PromptPosition& position, bool caption_fill);
  std::string Message(int number) const { return view_.MessageText(number); }
  void ReportError(std::string_view text) { view_.StatusMessage(text); }
  void RestartUpdateTimer();

  store::ScriptStore& store_;
  runorder::RunOrder& run_order_;
  const PromptRenderer& renderer_;
  devices::PromptCard& card_;
  const platform::Clock& clock_;
  ScrollEngineView& view_;
  SpeedPanelLink* panel_ = nullptr;
  std::vector<LineHooks*> line_hooks_;
  EngineOptions options_;
  CardColourMap colour_map_;
  LineRaster raster_;
  FontFaces idle_faces_;
  std::vector<std::uint32_t> words_;

  HeldPosition feed_;
  HeldPosition preview_top_;
  store::LineRef on_air_line_;
  HeldPosition jump_feed_;
  HeldPosition jump_preview_;
  bool jump_pending_ = false;
  bool unblank_pending_ = false;
  bool speed_after_release_ = false;
  HeldOp deferred_op_ = HeldOp::kNone;
  HeldPosition remembered_feed_;
  HeldPosition remembered_top_;
  std::string remembered_story_;
  bool remembered_valid_ = false;
  const store::e_object* last_hooked_line_ = nullptr;
  store::Segment last_hooked_segment_ = store::Segment::kA;
  const store::e_object* slug_paused_at_ = nullptr;
  const store::e_object* timer_line_ = nullptr;

  bool prompting_ = false;
  bool forward_ = true;
  bool busy_ = false;
  int hold_state_ = 0;
  HeldOp held_op_ = HeldOp::kNone;
  int handshake_ = 0;
  bool paused_ = false;
  int speed_ = kSpeedStop;
  int remembered_speed_ = kSpeedStop;
  bool speed_changed_ = false;
  bool speed_jump_variant_ = false;
  bool stop_requested_ = false;
  bool close_after_stop_ = false;
  bool start_requested_ = false;
  StartKind start_kind_ = StartKind::kChosen;
  store::LineRef start_line_;
  bool jump_top_ = false;
  bool jump_previous_ = false;
  bool jump_next_ = false;
  bool update_pending_ = false;
  bool update_due_ = false;
  bool blanked_ = false;
  bool blanked_page_ = false;
  int last_hand_speed_ = -1;
  std::optional<platform::Milliseconds> busy_since_;
  Counters counters_;

  std::unique_ptr<platform::Timer> update_timer_;
  std::unique_ptr<platform::Timer> prompt_busy_timer_;
  std::unique_ptr<platform::Timer> hold_off_timer_;
};

}  // namespace telvane::prompt
