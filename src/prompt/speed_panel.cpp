#include "prompt/speed_panel.h"

#include <algorithm>
#include <utility>

namespace telvane::prompt {

namespace {

using config::Key;

int ClampPosition(int position) {
  return std::clamp(position, kSpeedMin, kSpeedMax);
}

// A speed the panel can show. Anything else (0 while the card keeps its own speed after a
// start without the panel, or a stray byte from the card) stands at stop rather than at an
// end of the scale, so that the panel never sends full speed it was not given.
int ShownSpeed(int speed) {
  return speed >= kSpeedMin && speed <= kSpeedMax ? speed : kSpeedStop;
}

struct Metrics {
  int scroller;
  int rate;
  int spacing;
  int button;
  int rate_height;
};

Metrics MetricsAt(int pixels_per_inch) {
  if (pixels_per_inch >= 120) return {48, 72, 8, 40, 30};
  return {42, 64, 4, 32, 24};
}

}  // namespace

SpeedPanelTexts SpeedPanelTexts::From(const std::function<std::string(int)>& message_text) {
  return {message_text(1287), message_text(1286)};
}

KeyModifiers ReduceModifiers(bool shift, bool ctrl, bool alt) {
  if (alt) return shift || ctrl ? KeyModifiers::kOther : KeyModifiers::kAlt;
  if (shift) return ctrl ? KeyModifiers::kShiftCtrl : KeyModifiers::kShift;
  return ctrl ? KeyModifiers::kCtrl : KeyModifiers::kNone;
}

std::string RateText(int speed, const std::string& stop_text) {
  if (speed >= 36) return std::to_string(speed - 35);
  if (speed <= 28) return std::to_string(speed - 29);
  return stop_text;
}

SpeedPanelLayout LayOutSpeedPanel(int pixels_per_inch, int client_width, int client_height) {
  const Metrics m = MetricsAt(pixels_per_inch);
  SpeedPanelLayout l;
  l.min_width = m.spacing + m.button + m.spacing + m.scroller + m.spacing + m.rate + m.spacing;
  l.min_height =
      std::max(5 * m.button + 6 * m.spacing, 4 * m.button + m.rate_height + 6 * m.spacing);
  const int width = std::max(client_width, l.min_width);
  const int height = std::max(client_height, l.min_height);

  const int scroller_x = m.spacing + m.button + m.spacing;
  const int right_x = scroller_x + m.scroller + m.spacing;
  l.left_panel = {0, 0, scroller_x, height};
  l.centre_panel = {scroller_x, 0, right_x - scroller_x, height};
  l.right_panel = {right_x, 0, width - right_x, height};

  for (std::size_t i = 0; i < l.buttons.size(); ++i) {
    l.buttons[i] = {m.spacing, m.spacing + static_cast<int>(i) * (m.button + m.spacing), m.button,
                    m.button};
  }
  l.scroller = {scroller_x, m.spacing, m.scroller, height - 2 * m.spacing};

  int y = m.spacing;
  const auto next = [&](int h) {
    const PanelRect r{right_x, y, m.rate, h};
    y += h + m.spacing;
    return r;
  };
  l.cue_up = next(m.button);
  l.cue_down = next(m.button);
  l.rate = next(m.rate_height);
  l.direction = next(m.button);
  l.latch = next(m.button);
  return l;
}

SpeedPanel::SpeedPanel(SpeedEngine& engine, config::Settings& settings, SpeedPanelTexts texts)
    : engine_(engine), settings_(settings), texts_(std::move(texts)) {
  mirrored_ = settings_.Bool(Key::kSpeedSpeedReverse);
  latched_ = settings_.Bool(Key::kSpeedScrollPanel);
  step_ = settings_.Int(Key::kSpeedSpeedIncrement);
  prompting_ = engine_.prompting();
  const int speed = engine_.speed();
  SetScroller(ShownSpeed(speed));
  last_hand_speed_ = speed;
  rate_text_ = RateText(ShownSpeed(speed), texts_.stop);
  if (prompting_ && engine_.paused()) {
    pause_down_ = true;
    rate_text_ = texts_.pause;
  }
}

int SpeedPanel::ScrollerSpeed() const {
  return mirrored_ ? kSpeedMin + kSpeedMax - position_ : position_;
}

void SpeedPanel::HandSpeedReported(int speed) {
  if (last_hand_speed_ != -1) {
    if (speed != last_hand_speed_) {
      last_hand_speed_ = speed;
      has_control_ = false;
    }
  } else if (speed != 0) {
    last_hand_speed_ = speed;
  }
  // The card already runs at the reported speed; the panel only follows it.
  if (!has_control_ && open_ && !engine_.paused()) {
    SetScroller(ShownSpeed(speed));
    ShowRate(ShownSpeed(speed));
  }
  Changed();
}

void SpeedPanel::PromptingChanged(bool prompting) {
  prompting_ = prompting;
  if (prompting) {
    has_control_ = true;
    last_hand_speed_ = -1;
  } else {
    pause_down_ = false;
    paused_here_ = false;
    rate_text_ = RateText(ShownSpeed(engine_.speed()), texts_.stop);
  }
  Changed();
}

void SpeedPanel::PauseChanged(bool paused) {
  pause_down_ = paused;
  if (paused) {
    rate_text_ = texts_.pause;
  } else {
    paused_here_ = false;
    rate_text_ = RateText(ShownSpeed(engine_.speed()), texts_.stop);
  }
  Changed();
}

void SpeedPanel::ScrollerMoved(int position) {
  position_ = ClampPosition(position);
  TakeSpeedFromScroller();
}

void SpeedPanel::PadMoved(int y, int pad_height) {
  if (!latched_ || !prompting_ || pad_height <= 0) return;
  position_ = ClampPosition(kSpeedMin + (kSpeedMax - kSpeedMin) * y / pad_height);
  TakeSpeedFromScroller();
}

void SpeedPanel::KeyPressed(PanelKey key, KeyModifiers modifiers) {
  if (!prompting_) return;
  if (key == PanelKey::kPageUp && modifiers == KeyModifiers::kCtrl) {
    Jump(StoryJump::kTop);
    return;
  }
  if (modifiers != KeyModifiers::kNone) return;
  switch (key) {
    case PanelKey::kPageUp:
      Jump(StoryJump::kPrevious);
      break;
    case PanelKey::kPageDown:
      Jump(StoryJump::kNext);
      break;
    case PanelKey::kHome:
      Jump(StoryJump::kTop);
      break;
    case PanelKey::kLeft:
      if (!engine_.paused()) PauseDown();
      break;
    case PanelKey::kRight:
      if (engine_.paused()) PauseUp();
      break;
    case PanelKey::kUp:
      ScrollerMoved(position_ - step_);
      break;
    case PanelKey::kDown:
      ScrollerMoved(position_ + step_);
      break;
    case PanelKey::kEnd:
      break;
  }
}

void SpeedPanel::KeyReleased(PanelKey key, KeyModifiers modifiers) {
  if (key == PanelKey::kEnd && modifiers == KeyModifiers::kNone) Stop();
}

void SpeedPanel::Jump(StoryJump jump) {
  if (!prompting_) return;
  engine_.SetSpeed(engine_.speed(), true);
  engine_.RequestJump(jump);
}

void SpeedPanel::Stop() {
  if (!prompting_) return;
  if (engine_.paused()) engine_.ClearPause();
  paused_here_ = false;
  engine_.SetSpeed(kSpeedStop, false);
  SetScroller(kSpeedStop);
  pause_down_ = false;
  rate_text_ = texts_.stop;
  Changed();
}

void SpeedPanel::PauseToggled(bool down) {
  if (prompting_ && down && !engine_.paused()) {
    PauseDown();
  } else if (prompting_ && !down && engine_.paused()) {
    PauseUp();
  } else {
    // Nothing to do; the button goes back to what the engine holds.
    Changed();
  }
}

void SpeedPanel::DirectionToggled(bool mirrored) {
  mirrored_ = mirrored;
  settings_.SetBool(Key::kSpeedSpeedReverse, mirrored);
  Changed();
}

void SpeedPanel::LatchToggled(bool latched) {
  latched_ = latched;
  settings_.SetBool(Key::kSpeedScrollPanel, latched);
  Changed();
}

void SpeedPanel::MoveCue(bool up) {
  engine_.MoveCue(up);
}

PanelRect SpeedPanel::Place(int pixels_per_inch) const {
  const SpeedPanelLayout natural = LayOutSpeedPanel(pixels_per_inch, 0, 0);
  const auto known = [&](Key key, int fallback) {
    return settings_.Has(key) ? settings_.Int(key) : fallback;
  };
  return {known(Key::kSpeedLeft, 0), settings_.Int(Key::kSpeedTop),
          known(Key::kSpeedWidth, natural.min_width), known(Key::kSpeedHeight, natural.min_height)};
}

void SpeedPanel::RememberPlace(const PanelRect& place) {
  settings_.SetInt(Key::kSpeedLeft, place.x);
  settings_.SetInt(Key::kSpeedTop, place.y);
  settings_.SetInt(Key::kSpeedWidth, place.width);
  settings_.SetInt(Key::kSpeedHeight, place.height);
}

void SpeedPanel::Close() {
  if (!open_) return;
  open_ = false;
  if (paused_here_ && engine_.paused()) engine_.ClearPause();
  paused_here_ = false;
  pause_down_ = false;
}

config::ColourValue SpeedPanel::panel_colour() const {
  return prompting_ ? static_cast<config::ColourValue>(settings_.Int(Key::kColorsSpeedB))
                    : kButtonFace;
}

void SpeedPanel::SetScroller(int speed) {
  position_ = ClampPosition(mirrored_ ? kSpeedMin + kSpeedMax - speed : speed);
}

void SpeedPanel::ShowRate(int speed) {
  if (engine_.paused()) return;
  rate_text_ = RateText(speed, texts_.stop);
  pause_down_ = false;
}

void SpeedPanel::TakeSpeedFromScroller() {
  const int speed = ScrollerSpeed();
  const bool paused = engine_.paused();
  if (prompting_ && paused && !has_control_) engine_.ReleaseHeld();
  has_control_ = true;
  if (paused) engine_.ClearPause();
  paused_here_ = false;
  engine_.SetSpeed(speed, false);
  ShowRate(speed);
  Changed();
}

void SpeedPanel::PauseDown() {
  engine_.SetPaused(true);
  paused_here_ = true;
  pause_down_ = true;
  rate_text_ = texts_.pause;
  Changed();
}

void SpeedPanel::PauseUp() {
  engine_.SetPaused(false);
  // A pause taken while the card kept its own speed remembers 0, which is no speed to resume.
  if (ShownSpeed(engine_.speed()) != engine_.speed()) engine_.SetSpeed(kSpeedStop, false);
  paused_here_ = false;
  pause_down_ = false;
  ShowRate(engine_.speed());
  Changed();
}

void SpeedPanel::Changed() {
  if (changed_) changed_();
}

}  // namespace telvane::prompt
