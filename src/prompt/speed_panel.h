#pragma once

// The prompt control panel without its window: the speed scroller and its mirrored direction,
// the rate display, pause and stop, the story jump buttons and keys, the mouse pad, and the
// sharing of the speed with a hand controller on the card.

#include <array>
#include <functional>
#include <string>

#include "config/colours.h"
#include "config/settings.h"
#include "prompt/speed_link.h"

namespace telvane::prompt {

// Texts of the rate display, from the message catalogue.
struct SpeedPanelTexts {
  std::string stop;   // 1287
  std::string pause;  // 1286

  static SpeedPanelTexts From(const std::function<std::string(int)>& message_text);
};

// The keys the panel answers while it has the focus.
enum class PanelKey { kPageUp, kPageDown, kHome, kEnd, kLeft, kRight, kUp, kDown };

// Modifier states as the key table knows them; any other combination is kOther and acts on
// nothing.
enum class KeyModifiers { kNone, kAlt, kCtrl, kShift, kShiftCtrl, kOther };
KeyModifiers ReduceModifiers(bool shift, bool ctrl, bool alt);

// The rate field's text for a speed: stop around 32, otherwise steps forward or backward.
std::string RateText(int speed, const std::string& stop_text);

struct PanelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const PanelRect&, const PanelRect&) = default;
};

struct SpeedPanelLayout {
  // Top of script, previous story, next story, stop, pause.
  std::array<PanelRect, 5> buttons;
  // The scroller's place; the mouse pad covers exactly this.
  PanelRect scroller;
  PanelRect cue_up;
  PanelRect cue_down;
  PanelRect rate;
  PanelRect direction;
  PanelRect latch;
  // The three panels that take the "Speed B" colour while prompting.
  PanelRect left_panel;
  PanelRect centre_panel;
  PanelRect right_panel;
  // The smallest client area that holds both columns.
  int min_width = 0;
  int min_height = 0;
};

// Places the controls in a client area (made at least the minimum size).
SpeedPanelLayout LayOutSpeedPanel(int pixels_per_inch, int client_width, int client_height);

class SpeedPanel final : public SpeedPanelLink {
 public:
  static constexpr config::ColourValue kPadActive = 0x00FFFF;  // yellow
  static constexpr config::ColourValue kPadIdle = 0x808080;
  // The system's button face; the window resolves it.
  static constexpr config::ColourValue kButtonFace = 0xFF00000F;

  // Opens on the engine's current speed with control of it.
  SpeedPanel(SpeedEngine& engine, config::Settings& settings, SpeedPanelTexts texts);

  // What the engine asks (SpeedPanelLink).
  bool open() const override { return open_; }
  int ScrollerSpeed() const override;
  bool has_control() const override { return has_control_; }
  void HandSpeedReported(int speed) override;
  void PromptingChanged(bool prompting) override;
  void PauseChanged(bool paused) override;

  // Operator input from the window.
  void ScrollerMoved(int position);
  // y from the pad's top; acts only with the latch on and while prompting.
  void PadMoved(int y, int pad_height);
  void KeyPressed(PanelKey key, KeyModifiers modifiers);
  void KeyReleased(PanelKey key, KeyModifiers modifiers);
  void Jump(StoryJump jump);
  void Stop();
  void PauseToggled(bool down);
  void DirectionToggled(bool mirrored);
  void LatchToggled(bool latched);
  void MoveCue(bool up);

  // The window's place from the "Speed" section; what the file does not give yet comes from
  // the layout's minimum size.
  PanelRect Place(int pixels_per_inch) const;
  // The window's place, kept in the configuration.
  void RememberPlace(const PanelRect& place);
  // The window is going: the engine no longer sees the panel as open, and a pause made here
  // ends with the prompt left at stop.
  void Close();

  // Called after every change of what the window shows.
  void SetChangedHandler(std::function<void()> handler) { changed_ = std::move(handler); }

  // What the window shows.
  int position() const { return position_; }
  const std::string& rate_text() const { return rate_text_; }
  bool pause_down() const { return pause_down_; }
  bool mirrored() const { return mirrored_; }
  bool latched() const { return latched_; }
  // The top, previous, next, stop and pause buttons and the mouse pad.
  bool buttons_enabled() const { return prompting_; }
  config::ColourValue panel_colour() const;
  config::ColourValue pad_colour() const { return prompting_ ? kPadActive : kPadIdle; }

 private:
  void SetScroller(int speed);
  void ShowRate(int speed);
  void TakeSpeedFromScroller();
  void PauseDown();
  void PauseUp();
  void Changed();

  SpeedEngine& engine_;
  config::Settings& settings_;
  SpeedPanelTexts texts_;
  std::function<void()> changed_;
  int position_ = kSpeedStop;
  std::string rate_text_;
  bool pause_down_ = false;
  bool paused_here_ = false;
  bool mirrored_ = false;
  bool latched_ = false;
  int step_ = 3;
  bool prompting_ = false;
  bool open_ = true;
  bool has_control_ = true;
  int last_hand_speed_ = -1;
};

}  // namespace telvane::prompt
