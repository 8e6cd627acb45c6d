#pragma once

// How the prompt control panel and the scroll engine reach each other. The engine owns the
// speed the card gets; the panel steers it and shows it.

namespace telvane::prompt {

inline constexpr int kSpeedStop = 32;
inline constexpr int kSpeedMin = 4;
inline constexpr int kSpeedMax = 60;

enum class StoryJump { kTop, kPrevious, kNext };

// What the panel asks of the engine.
class SpeedEngine {
 public:
  virtual ~SpeedEngine() = default;
  virtual bool prompting() const = 0;
  virtual bool paused() const = 0;
  virtual int speed() const = 0;
  // The speed goes to the card with the next service cycle; jump_variant sends 0x0B0001 so
  // the card keeps its pace through the story jump that follows.
  virtual void SetSpeed(int speed, bool jump_variant) = 0;
  // Pause on: the speed is remembered and parked at stop. Pause off: the remembered speed
  // (stop when none) comes back and a held card is released. Either way 0x000000 follows so
  // that the function lamp shows the pause.
  virtual void SetPaused(bool paused) = 0;
  // Releases a card held for a pause, when the engine's rules allow a release now.
  virtual void ReleaseHeld() = 0;
  // Paused off and nothing else: no remembered speed comes back, no release, no 0x000000
  // (the lamp bit follows with the next word). The panel uses it when the operator gives a
  // new speed or stop while paused, and when it closes on a pause of its own, so that the
  // prompt stays where the operator left it.
  virtual void ClearPause() = 0;
  virtual void RequestJump(StoryJump jump) = 0;
  virtual void StopPrompting() = 0;
  // The cue marker up or down by 20 lines.
  virtual void MoveCue(bool up) = 0;
};

// What the engine asks of the panel; the engine works without one (not open).
class SpeedPanelLink {
 public:
  virtual ~SpeedPanelLink() = default;
  virtual bool open() const = 0;
  // The speed the scroller stands for (mirrored when the direction is reversed).
  virtual int ScrollerSpeed() const = 0;
  virtual bool has_control() const = 0;
  // A hand controller's speed report ('U').
  virtual void HandSpeedReported(int speed) = 0;
  // Prompting started or stopped: buttons, colours, control handed to the panel.
  virtual void PromptingChanged(bool prompting) = 0;
  // A pause toggled elsewhere (function button, card): the pause button follows.
  virtual void PauseChanged(bool paused) = 0;
};

}  // namespace telvane::prompt
