// Re-wrapping every paragraph of a 50,000-line script for a new prompt width, measured with
// the real prompt fonts.

#include <benchmark/benchmark.h>

#include "prompt/prompt_fonts.h"
#include "store/line_fit.h"
#include "store/script_store.h"

namespace {

using telvane::store::e_object;

constexpr int kLines = 50000;

void BuildScript(telvane::store::ScriptStore& store) {
  static constexpr const char* kWords[] = {"the",  "minister", "said",  "today", "that",
                                           "rail", "fares",    "would", "rise",  "again,",
                                           "by",   "three",    "per",   "cent",  "in-line"};
  e_object* line = store.first_line();
  unsigned word = 0;
  int paragraph = 0;
  while (store.line_count() < kLines) {
    telvane::store::StyledText text;
    const int words = 20 + paragraph % 40;
    for (int w = 0; w < words; ++w) {
      const std::string s = std::string(kWords[word++ % std::size(kWords)]) + ' ';
      text.text += s;
      text.style.append(s.size(), static_cast<char>(w % 7 == 0 ? 0x11 : 0x00));
      text.colour.append(s.size(), '8');
    }
    line = telvane::store::LayOutText(store, line, std::move(text), 0);
    line->flags |= telvane::store::line_flag::kHardReturn;
    line = store.InsertLine(line, true);
    ++paragraph;
  }
}

void BM_RewrapScript(benchmark::State& state) {
  telvane::prompt::PromptFontTable fonts;
  telvane::store::StoreNotices notices;
  telvane::store::ScriptStore store(fonts, notices);
  BuildScript(store);
  int blank = 18;
  for (auto _ : state) {
    blank = blank == 18 ? 118 : 18;
    store.options().prompt_blank = blank;
    for (e_object* line = store.first_line(); line != store.edit_tail();) {
      line = telvane::store::RewrapParagraph(store, line);
    }
    benchmark::DoNotOptimize(store.line_count());
  }
  state.counters["lines"] = store.line_count();
  state.counters["per_line"] = benchmark::Counter(
      static_cast<double>(store.line_count()),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["record_bytes"] = sizeof(e_object);
}
BENCHMARK(BM_RewrapScript)->Unit(benchmark::kMillisecond);

}  // namespace
