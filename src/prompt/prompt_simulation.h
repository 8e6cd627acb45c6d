#pragma once

// A whole prompt chain without windows or real time: a script, its run order, the scroll
// engine and the soft card, stepped tick by tick on a stepped clock. telvane-tool simulate
// runs it; tests drive the engine through it.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "config/settings.h"
#include "devices/prompt_card.h"
#include "devices/soft_card.h"
#include "devices/soft_card_transport.h"
#include "platform/stepped_time.h"
#include "prompt/prompt_fonts.h"
#include "prompt/prompt_render.h"
#include "prompt/render_options.h"
#include "prompt/scroll_engine.h"
#include "runorder/run_order.h"
#include "store/script_store.h"

namespace telvane::prompt {

// The speed panel of a run: open, at a fixed scroller speed, in control.
class FixedSpeedPanel : public SpeedPanelLink {
 public:
  explicit FixedSpeedPanel(int speed) : speed_(speed) {}
  bool open() const override { return open_; }
  int ScrollerSpeed() const override { return speed_; }
  bool has_control() const override { return true; }
  void HandSpeedReported(int /*speed*/) override {}
  void PromptingChanged(bool /*prompting*/) override {}
  void PauseChanged(bool /*paused*/) override {}
  void set_open(bool open) { open_ = open; }
  void set_speed(int speed) { speed_ = speed; }

 private:
  int speed_;
  bool open_ = true;
};

class PromptSimulation : private runorder::RunOrderObserver,
                         private runorder::RunOrderDialogs,
                         private ScrollEngineView {
 public:
  static constexpr int kTickMs = 50;

  struct AirChange {
    platform::Milliseconds at = 0;
    const store::r_object* entry = nullptr;
  };

  // The store must outlive the simulation; the settings are read once.
  PromptSimulation(store::ScriptStore& store, const config::Settings& settings,
                   const PromptFontTable& fonts);
  ~PromptSimulation() override;

  // Runs service ticks until ms have passed.
  void Run(platform::Milliseconds ms);
  void Tick();

  platform::SteppedClock& clock() { return clock_; }
  ScrollEngine& engine() { return *engine_; }
  devices::SoftCard& card() { return soft_card_; }
  devices::PromptCard& prompt_card() { return prompt_card_; }
  runorder::RunOrder& run_order() { return run_order_; }
  FixedSpeedPanel& panel() { return panel_; }
  RenderOptions& render_options() { return render_options_; }
  const PromptRenderer& renderer() const { return renderer_; }
  // Every word sent to the card, in order.
  const std::vector<std::uint32_t>& sent() const { return sent_words_; }
  void ClearSent() { sent_words_.clear(); }
  const std::vector<AirChange>& air_changes() const { return air_changes_; }
  const std::vector<std::string>& messages() const { return messages_; }
  // The longest real time one service tick took, in microseconds.
  std::int64_t longest_tick_us() const { return longest_tick_us_; }
  // The same once the first page is out and the fonts are warm: the cost of keeping the card
  // fed.
  std::int64_t longest_running_tick_us() const { return longest_running_tick_us_; }
  // Called after each change of the on-air story.
  std::function<void(const AirChange&)> on_air_change;
  // When set, the card's words pass through here and are not delivered unless it says so.
  std::function<bool(std::span<const std::uint32_t>)> card_filter;

 private:
  class RecordingTransport;
  class SteppedLoop : public platform::EventLoop {
   public:
    explicit SteppedLoop(PromptSimulation& owner) : owner_(owner) {}
    void Post(std::function<void()> work) override { work(); }
    bool WaitUntil(const std::function<bool()>& condition, platform::Milliseconds timeout) override;

   private:
    PromptSimulation& owner_;
  };

  // RunOrderObserver
  void AirStoryChanged(store::r_object* entry, bool story_changed) override;
  // ScrollEngineView
  void StatusMessage(std::string_view text) override;
  void Information(std::string_view text) override;
  std::string MessageText(int number) const override;

  store::ScriptStore& store_;
  platform::SteppedClock clock_;
  platform::SteppedTimers timers_{clock_};
  SteppedLoop loop_{*this};
  runorder::RunOrder run_order_;
  RenderOptions render_options_;
  PromptRenderer renderer_;
  devices::SoftCard soft_card_;
  devices::PromptCard prompt_card_{clock_, loop_};
  FixedSpeedPanel panel_{kSpeedStop};
  std::unique_ptr<ScrollEngine> engine_;
  std::vector<std::uint32_t> sent_words_;
  std::vector<AirChange> air_changes_;
  std::vector<std::string> messages_;
  std::int64_t longest_tick_us_ = 0;
  std::int64_t longest_running_tick_us_ = 0;
};

}  // namespace telvane::prompt
