// Rendering and encoding prompt rows as the card asks for them: a whole 896-row page of
// ordinary 64-point text, and a 128-row fill, against the 50 ms service tick.

#include <benchmark/benchmark.h>

#include <vector>

#include "bench_script.h"
#include "prompt/prompt_fonts.h"
#include "prompt/prompt_page.h"
#include "prompt/row_encoding.h"
#include "store/line_fit.h"
#include "store/script_store.h"

namespace {

using telvane::prompt::PromptPosition;
using telvane::store::e_object;

void BuildScript(telvane::store::ScriptStore& store) {
  e_object* line = store.first_line();
  unsigned word = 0;
  for (int paragraph = 0; paragraph < 200; ++paragraph) {
    line = telvane::bench::AddParagraph(store, line, word, 30, false);
  }
}

void Feed(benchmark::State& state, int rows) {
  telvane::prompt::PromptFontTable fonts;
  telvane::store::StoreNotices notices;
  telvane::store::ScriptStore store(fonts, notices);
  BuildScript(store);
  const telvane::prompt::RenderOptions options;
  const telvane::prompt::PromptRenderer renderer(store, fonts, options);
  const telvane::prompt::CardColourMap map = telvane::prompt::BuildCardColourMap();
  telvane::prompt::LineRaster raster;
  std::vector<std::uint8_t> pixels;
  std::vector<std::uint32_t> words;
  PromptPosition feed{store.first_line(), telvane::store::Segment::kA, 0};
  for (auto _ : state) {
    if (feed.line == store.edit_tail() || telvane::store::IsTailMargin(*feed.line)) {
      feed = {store.first_line(), telvane::store::Segment::kA, 0};
    }
    pixels.clear();
    words.clear();
    telvane::prompt::FeedRows(renderer, raster, feed, rows, pixels);
    for (int r = 0; r < rows; ++r) {
      telvane::prompt::EncodeRow(std::span(pixels).subspan(static_cast<std::size_t>(r) * 668, 668),
                                 map, words);
    }
    benchmark::DoNotOptimize(words.data());
  }
  state.counters["words"] = static_cast<double>(words.size());
}

void BM_RenderAndEncodePage(benchmark::State& state) {
  Feed(state, telvane::prompt::kPageRows);
}
BENCHMARK(BM_RenderAndEncodePage)->Unit(benchmark::kMicrosecond);

void BM_RenderAndEncodeFill(benchmark::State& state) {
  Feed(state, telvane::prompt::kFillRows);
}
BENCHMARK(BM_RenderAndEncodeFill)->Unit(benchmark::kMicrosecond);

}  // namespace
