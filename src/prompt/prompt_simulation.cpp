#include "prompt/prompt_simulation.h"

#include <algorithm>
#include <chrono>

#include "devices/colour_tables.h"
#include "devices/set_up_block.h"

namespace telvane::prompt {

// The soft card in this process, with every word recorded on the way.
class PromptSimulation::RecordingTransport : public devices::SoftCardTransport {
 public:
  RecordingTransport(PromptSimulation& owner)
      : SoftCardTransport(owner.soft_card_, owner.clock_), owner_(owner) {}
  bool Write(std::span<const std::uint32_t> words) override {
    owner_.sent_words_.insert(owner_.sent_words_.end(), words.begin(), words.end());
    if (owner_.card_filter && !owner_.card_filter(words)) return true;
    return SoftCardTransport::Write(words);
  }

 private:
  PromptSimulation& owner_;
};

bool PromptSimulation::SteppedLoop::WaitUntil(const std::function<bool()>& condition,
                                              platform::Milliseconds timeout) {
  // Waiting moves the stepped clock on, so a card that never answers costs no real time.
  const platform::Milliseconds end = owner_.clock_.Now() + timeout;
  while (!condition()) {
    if (owner_.clock_.Now() >= end) return false;
    owner_.clock_.Set(owner_.clock_.Now() + 1);
  }
  return true;
}

PromptSimulation::PromptSimulation(store::ScriptStore& store, const config::Settings& settings,
                                   const PromptFontTable& fonts)
    : store_(store),
      run_order_(store, *this, *this),
      render_options_(RenderOptionsFrom(settings)),
      renderer_(store, fonts, render_options_),
      soft_card_(settings.Bool(config::Key::kPcCard625) ? devices::SoftCard::Lines::k625
                                                        : devices::SoftCard::Lines::k525) {
  prompt_card_.Open(std::make_unique<RecordingTransport>(*this));
  prompt_card_.SetColourTableSource(devices::MakeColourTableSource(settings));
  prompt_card_.SetSetUpSource(devices::MakeSetUpSource(
      settings, devices::CueShape{}, [this] { return engine_ && engine_->prompting(); },
      [] { return devices::BandRect{}; }));
  ScrollEngineView& view = *this;
  engine_ = std::make_unique<ScrollEngine>(store, run_order_, renderer_, prompt_card_, clock_,
                                           timers_, view);
  engine_->options() = EngineOptionsFrom(settings);
  engine_->SetSpeedPanel(&panel_);
  prompt_card_.Initialise();
}

PromptSimulation::~PromptSimulation() {
  engine_.reset();
}

void PromptSimulation::Tick() {
  clock_.Set(clock_.Now() + kTickMs);
  timers_.RunDue();
  const auto started = std::chrono::steady_clock::now();
  engine_->ServiceCycle();
  const auto took = std::chrono::duration_cast<std::chrono::microseconds>(
                        std::chrono::steady_clock::now() - started)
                        .count();
  longest_tick_us_ = std::max<std::int64_t>(longest_tick_us_, took);
  if (clock_.Now() > 1000) {
    longest_running_tick_us_ = std::max<std::int64_t>(longest_running_tick_us_, took);
  }
}

void PromptSimulation::Run(platform::Milliseconds ms) {
  const platform::Milliseconds end = clock_.Now() + ms;
  while (clock_.Now() + kTickMs <= end) Tick();
}

void PromptSimulation::AirStoryChanged(store::r_object* entry, bool story_changed) {
  if (!story_changed) return;
  air_changes_.push_back({clock_.Now(), entry});
  if (on_air_change) on_air_change(air_changes_.back());
}

void PromptSimulation::StatusMessage(std::string_view text) {
  if (!text.empty()) messages_.emplace_back(text);
}

void PromptSimulation::Information(std::string_view text) {
  messages_.emplace_back(text);
}

std::string PromptSimulation::MessageText(int number) const {
  return "message " + std::to_string(number);
}

}  // namespace telvane::prompt
