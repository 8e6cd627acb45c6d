// A keystroke in the middle of a paragraph of a 50,000-line script of stories: the editing model's
// reflow and the layout of the rows it reports as changed, in the real prompt fonts. Each
// iteration types a character and takes it back with Backspace, so the script stays the same.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

#include "bench_script.h"
#include "editor/edit_font_metrics.h"
#include "editor/edit_hooks.h"
#include "editor/editor_model.h"
#include "editor/row_layout.h"
#include "prompt/prompt_fonts.h"
#include "store/line_fit.h"
#include "store/script_store.h"

namespace {

using telvane::store::e_object;

constexpr int kLines = 50000;
constexpr int kVisibleRows = 30;

// Edit-size widths without a window: 7 pixels a character, 8 when bold.
class EditMetrics : public telvane::editor::EditFontMetrics {
 public:
  telvane::editor::EditFontInfo Font(int font) const override { return {12 + font, 16 + font, 1}; }
  int TextWidth(int /*font*/, std::uint8_t style_bits, std::string_view bytes,
                int /*charset*/) const override {
    return static_cast<int>(bytes.size()) * ((style_bits & 1) != 0 ? 8 : 7);
  }
};

void BuildScript(telvane::store::ScriptStore& store) {
  e_object* line = store.first_line();
  unsigned word = 0;
  int paragraph = 0;
  while (store.line_count() < kLines) {
    if (paragraph % 8 == 0) {
      // A story of eight paragraphs starts here.
      const std::string slug = "[" + std::to_string(paragraph / 8) + "] Story";
      line->text_a = slug;
      line->style_a.assign(slug.size(), '\0');
      line->colour_a.assign(slug.size(), '8');
      line->flags |= telvane::store::line_flag::kSlugLine | telvane::store::line_flag::kHardReturn;
      store.CreateStoryEntry(line);
      line = store.InsertLine(line, true);
    }
    line = telvane::bench::AddParagraph(store, line, word, 20 + paragraph % 40, true);
    ++paragraph;
  }
}

void LayOutDamage(telvane::editor::EditorModel& model, const telvane::store::ScriptStore& store,
                  const telvane::editor::RowLayouter& layouter) {
  const telvane::editor::Damage damage = model.TakeDamage();
  if (damage.empty()) return;
  const int last = std::min(damage.last_row, kVisibleRows - 1);
  telvane::editor::RowOptions options;
  options.text_left = 21;
  int row = 0;
  for (const e_object* line = model.top_line(); line != store.edit_tail() && row <= last;
       line = line->next, ++row) {
    if (row >= damage.first_row) {
      benchmark::DoNotOptimize(layouter.Layout(store, *line, options, row * 20, 20, 12));
    }
  }
}

void BM_KeystrokeMidParagraph(benchmark::State& state) {
  telvane::prompt::PromptFontTable fonts;
  telvane::store::StoreNotices notices;
  telvane::store::ScriptStore store(fonts, notices);
  BuildScript(store);
  telvane::editor::StoreRunOrderEdits run_order(store);
  telvane::editor::PromptEditHooks prompt;
  telvane::editor::EditorModel model(store, run_order, prompt);
  model.SetVisibleRows(kVisibleRows);
  EditMetrics metrics;
  telvane::editor::EditorColours colours;
  telvane::editor::RowLayouter layouter(metrics, colours);

  // The first line of the paragraph that holds the middle of the script.
  e_object* line = store.first_line();
  for (int i = 0; i < kLines / 2; ++i) line = line->next;
  while (!telvane::store::CanJoinNext(store, *line, true)) line = line->next;
  store.top_line() = line;
  store.current_line() = line;
  store.caret_column = static_cast<int>(line->text_a.size()) / 2;
  store.caret_row = 0;
  model.SetVisibleRows(kVisibleRows);
  for (auto _ : state) {
    model.KeyPress('x');
    LayOutDamage(model, store, layouter);
    model.KeyDown({telvane::editor::Key::kBackspace});
    LayOutDamage(model, store, layouter);
  }
  state.counters["lines"] = store.line_count();
  state.counters["per_keystroke"] = benchmark::Counter(
      2, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_KeystrokeMidParagraph)->Unit(benchmark::kMicrosecond);

}  // namespace
