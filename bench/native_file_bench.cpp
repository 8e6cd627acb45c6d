// Loading and saving a 50,000-line script (about 5 MB) in the native format.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "formats/native_file.h"
#include "platform/files.h"
#include "prompt/prompt_fonts.h"

namespace {

using namespace telvane;

constexpr int kLines = 50000;

std::string ScriptBytes(const prompt::PromptFontTable& fonts) {
  store::StoreNotices notices;
  store::ScriptStore s(fonts, notices);
  s.NewScript();
  store::e_object* line = s.first_line();
  for (int i = 0; i < kLines; ++i) {
    if (i > 0) line = s.InsertLine(line, true);
    if (i % 25 == 0) {
      line->flags |= store::line_flag::kSlugLine;
      line->text_a = "[" + std::to_string(i / 25 + 1) + "] STORY ";
      line->text_b = "NUMBER " + std::to_string(i / 25 + 1);
    } else {
      line->text_a = "The council voted ";
      line->text_b = "late last night on ";
    }
    line->style_a.assign(line->text_a.size(), i % 25 == 0 ? '\x01' : '\0');
    line->style_b.assign(line->text_b.size(), '\0');
    line->colour_a.assign(line->text_a.size(), '8');
    line->colour_b.assign(line->text_b.size(), '8');
    line->studio_text = i % 10 == 0 ? "CAM 2" : "";
    if (store::IsSlugLine(*line)) s.CreateStoryEntry(line);
  }
  return formats::WriteNativeFile(s, s.first_line(), formats::FontTable{}, {});
}

void BM_LoadScript(benchmark::State& state) {
  prompt::PromptFontTable fonts;
  const std::string bytes = ScriptBytes(fonts);
  store::StoreNotices notices;
  for (auto _ : state) {
    store::ScriptStore s(fonts, notices);
    s.NewScript();
    formats::FontTable table;
    formats::NativeReadSetup setup;
    setup.fonts = &table;
    setup.script_was_empty = true;
    const auto r = formats::ReadNativeFile(bytes, 5, false, s, s.first_line(), setup);
    benchmark::DoNotOptimize(r.records);
  }
  state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_LoadScript)->Unit(benchmark::kMillisecond);

void BM_SaveScript(benchmark::State& state) {
  prompt::PromptFontTable fonts;
  const std::string bytes = ScriptBytes(fonts);
  store::StoreNotices notices;
  store::ScriptStore s(fonts, notices);
  s.NewScript();
  formats::FontTable table;
  formats::NativeReadSetup setup;
  setup.fonts = &table;
  setup.script_was_empty = true;
  formats::ReadNativeFile(bytes, 5, false, s, s.first_line(), setup);
  const std::string path =
      (std::filesystem::temp_directory_path() / "telvane-bench-save.tvl").string();
  for (auto _ : state) {
    // The main thread's copy of the records, then the worker's atomic write.
    const std::string out = formats::WriteNativeFile(s, s.first_line(), table, {});
    benchmark::DoNotOptimize(platform::WriteFileAtomically(path, out).ok());
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_SaveScript)->Unit(benchmark::kMillisecond);

}  // namespace
