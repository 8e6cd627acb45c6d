// Recounting the times after an edit in a 500-story programme: the edited story is counted
// again and the accumulated times after it follow, as the run order grid shows them.

#include <benchmark/benchmark.h>

#include "bench_script.h"
#include "prompt/prompt_fonts.h"
#include "runorder/run_grid_model.h"
#include "runorder/run_order.h"

namespace {

using telvane::store::e_object;
using telvane::store::r_object;

constexpr int kStories = 500;

// Each story: a slug line and four paragraphs of news copy.
void BuildProgramme(telvane::store::ScriptStore& store, telvane::runorder::RunOrder& run) {
  e_object* line = store.first_line();
  unsigned word = 0;
  for (int n = 1; n <= kStories; ++n) {
    const std::string slug = "[" + std::to_string(n) + "] STORY " + std::to_string(n);
    line->text_a = slug;
    line->style_a.assign(slug.size(), '\0');
    line->colour_a.assign(slug.size(), '8');
    line->flags |= telvane::store::line_flag::kSlugLine | telvane::store::line_flag::kHardReturn;
    run.CreateStoryEntry(line);
    line = store.InsertLine(line, true);
    for (int p = 0; p < 4; ++p) {
      line = telvane::bench::AddParagraph(store, line, word, 25 + (n + p) % 20, false);
    }
  }
}

// story: 0 edits the first story (every accumulated time after it changes), 1 the middle one.
void BM_RecountAfterEdit(benchmark::State& state) {
  telvane::prompt::PromptFontTable fonts;
  telvane::store::StoreNotices notices;
  telvane::store::ScriptStore store(fonts, notices);
  telvane::runorder::RunOrderObserver observer;
  telvane::runorder::RunOrderDialogs dialogs;
  telvane::runorder::RunOrder run(store, observer, dialogs);
  BuildProgramme(store, run);
  telvane::runorder::GridOptions options;
  telvane::runorder::RecountAllStories(store, options.timing);
  telvane::runorder::RunGridModel grid(run, options);
  const std::vector<r_object*> stories = run.Stories();
  e_object* body = stories[state.range(0) == 0 ? 0 : kStories / 2]->line->next;
  const std::string texts[2] = {body->text_a, body->text_a + "more "};
  int flip = 0;
  for (auto _ : state) {
    flip ^= 1;
    body->text_a = texts[flip];
    body->style_a.assign(body->text_a.size(), '\0');
    body->colour_a.assign(body->text_a.size(), '8');
    benchmark::DoNotOptimize(grid.StoryEdited(*body));
  }
  state.counters["stories"] = kStories;
}
BENCHMARK(BM_RecountAfterEdit)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
