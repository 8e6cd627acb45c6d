// Re-wrapping every paragraph of a 50,000-line script for a new prompt width, measured with
// the real prompt fonts.

#include <benchmark/benchmark.h>

#include "bench_script.h"
#include "prompt/prompt_fonts.h"
#include "store/line_fit.h"
#include "store/script_store.h"

namespace {

using telvane::store::e_object;

constexpr int kLines = 50000;

void BuildScript(telvane::store::ScriptStore& store) {
  e_object* line = store.first_line();
  unsigned word = 0;
  for (int paragraph = 0; store.line_count() < kLines; ++paragraph) {
    line = telvane::bench::AddParagraph(store, line, word, 20 + paragraph % 40, true);
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
