#include "prompt/simulate_tool.h"

#include <cstdio>
#include <optional>

#include "formats/loaded_script.h"
#include "formats/number_text.h"
#include "prompt/prompt_simulation.h"
#include "runorder/story_ids.h"

namespace telvane::prompt {

namespace {

struct SimulateArgs {
  std::string file;
  int speed = 45;
  int seconds = 60;
  std::optional<std::string> start;
  int edit_every_ms = 0;
};

// A day at most, so a mistyped figure cannot keep the tool busy for ever.
constexpr int kMaxSeconds = 24 * 3600;

std::optional<SimulateArgs> Parse(const std::vector<std::string>& args) {
  SimulateArgs r;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool has_value = i + 1 < args.size();
    if (a == "--speed" && has_value) {
      const auto v = formats::NumberOf<int>(args[++i]);
      if (!v || *v < kSpeedMin || *v > kSpeedMax) return std::nullopt;
      r.speed = *v;
    } else if (a == "--seconds" && has_value) {
      const auto v = formats::NumberOf<int>(args[++i]);
      if (!v || *v < 1 || *v > kMaxSeconds) return std::nullopt;
      r.seconds = *v;
    } else if (a == "--start" && has_value) {
      r.start = args[++i];
    } else if (a == "--edit-every" && has_value) {
      const auto v = formats::NumberOf<int>(args[++i]);
      if (!v || *v < PromptSimulation::kTickMs) return std::nullopt;
      r.edit_every_ms = *v;
    } else if (r.file.empty() && !a.starts_with("--")) {
      r.file = a;
    } else {
      return std::nullopt;
    }
  }
  if (r.file.empty()) return std::nullopt;
  return r;
}

std::string ClockText(platform::Milliseconds ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld.%03lld",
                static_cast<long long>(ms / 3'600'000), static_cast<long long>(ms / 60'000 % 60),
                static_cast<long long>(ms / 1000 % 60), static_cast<long long>(ms % 1000));
  return text;
}

// An edit the presenter would not notice: the case of one letter of the on-air line flips.
void EditOnAirLine(PromptSimulation& sim, store::ScriptStore& store) {
  ScrollEngine& engine = sim.engine();
  store::e_object* line = const_cast<store::e_object*>(engine.on_air_line());
  if (line == nullptr || store::IsMargin(*line)) return;
  for (char& c : line->text_a) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
      store.current_line() = line;
      if (!engine.UpdateNeeded(line)) return;
      engine.RememberFeed();
      c = static_cast<char>(c ^ 0x20);
      engine.EditDone();
      return;
    }
  }
}

}  // namespace

int RunSimulateCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<SimulateArgs> parsed = Parse(args);
  if (!parsed) {
    err << "usage: telvane-tool simulate FILE [--speed S] [--seconds T] [--start ID]"
           " [--edit-every MS]\n";
    return 2;
  }
  formats::LoadedScript script(err);
  if (!script.Read(parsed->file)) {
    err << "telvane-tool: cannot read " << parsed->file << '\n';
    return 1;
  }
  store::ScriptStore& store = script.store();
  PromptSimulation sim(store, script.settings(), script.fonts());
  runorder::RunOrder& run_order = sim.run_order();
  sim.panel().set_speed(parsed->speed);
  sim.on_air_change = [&](const PromptSimulation::AirChange& change) {
    if (change.entry == nullptr) return;
    out << ClockText(change.at) << " ON AIR " << change.entry->story_id << ' '
        << runorder::SlugText(*change.entry, run_order.options(), false) << '\n';
  };

  store::e_object* start = nullptr;
  if (parsed->start) {
    store::r_object* entry =
        runorder::FindStory(store, *parsed->start, "", run_order.options().multi_run);
    if (entry == nullptr || entry == run_order.run_end()) {
      err << "telvane-tool: no story " << *parsed->start << '\n';
      return 1;
    }
    start = entry->line;
  }
  sim.engine().RequestStart(start != nullptr ? StartKind::kRestartStory : StartKind::kFirstStory,
                            start);
  sim.Tick();
  if (!sim.engine().prompting()) {
    for (const std::string& message : sim.messages()) err << "telvane-tool: " << message << '\n';
    err << "telvane-tool: prompting did not start\n";
    return 1;
  }
  const platform::Milliseconds end = static_cast<platform::Milliseconds>(parsed->seconds) * 1000;
  platform::Milliseconds next_edit = parsed->edit_every_ms;
  while (sim.clock().Now() < end) {
    sim.Tick();
    if (parsed->edit_every_ms > 0 && sim.clock().Now() >= next_edit) {
      next_edit += parsed->edit_every_ms;
      EditOnAirLine(sim, store);
    }
  }
  const auto& counters = sim.card().counters();
  char tick[128];
  std::snprintf(tick, sizeof tick,
                "longest service tick %.3f ms (%.3f ms after the first second), %lld re-sends\n",
                static_cast<double>(sim.longest_tick_us()) / 1000.0,
                static_cast<double>(sim.longest_running_tick_us()) / 1000.0,
                static_cast<long long>(sim.engine().counters().resends));
  out << tick;
  out << "simulated " << parsed->seconds << " s: " << counters.pages << " pages, " << counters.fills
      << " fills, " << counters.stalls << " stalls\n";
  return 0;
}

}  // namespace telvane::prompt
