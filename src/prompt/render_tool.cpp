#include "prompt/render_tool.h"

#include <optional>

#include "formats/loaded_script.h"
#include "platform/files.h"
#include "prompt/png_image.h"
#include "prompt/preview.h"
#include "prompt/prompt_page.h"
#include "prompt/row_encoding.h"

namespace telvane::prompt {

namespace {

constexpr int kRowsAbove625 = 70;
constexpr int kRowsAbove525 = 60;
constexpr int kRowsPerStartSegment = 64;
// The preview window the tool draws: one third of the card's width and of its page.
constexpr int kPreviewWidth = store::kPromptWidth / 3;
constexpr int kPreviewHeight = kPageRows * store::kPromptWidth / 2048;

struct RenderArgs {
  std::string file;
  std::optional<std::string> story;
  std::optional<std::string> out;
  bool preview = false;
  bool encode = false;
};

std::optional<RenderArgs> Parse(const std::vector<std::string>& args) {
  RenderArgs r;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool has_value = i + 1 < args.size();
    if (a == "--story" && has_value) {
      r.story = args[++i];
    } else if (a == "--out" && has_value) {
      r.out = args[++i];
    } else if (a == "--preview") {
      r.preview = true;
    } else if (a == "--encode") {
      r.encode = true;
    } else if (r.file.empty() && !a.starts_with("--")) {
      r.file = a;
    } else {
      return std::nullopt;
    }
  }
  const bool valid = !r.file.empty() && (r.encode ? !r.out && !r.preview : r.out.has_value());
  return valid ? std::optional(r) : std::nullopt;
}

int StartOffsetRows(const config::Settings& s) {
  return s.Int(config::Key::kConstantsPromptStartOffset) * kRowsPerStartSegment +
         (s.Bool(config::Key::kPcCard625) ? kRowsAbove625 : kRowsAbove525);
}

// The slug line of the story with the identifier, or without one the first story's (the first
// line when the script has no story).
store::e_object* StartLine(const store::ScriptStore& store, const std::optional<std::string>& id) {
  for (store::r_object* r = store.run_head()->next; r != nullptr && r != store.run_end();
       r = r->next) {
    if (r->line != nullptr && (!id || r->story_id == *id)) {
      return r->line;
    }
  }
  return id ? nullptr : store.first_line();
}

int WritePng(const std::string& path, int width, int height,
             const std::vector<std::uint8_t>& pixels, std::ostream& out, std::ostream& err) {
  const std::string png = EncodePalettePng(width, height, pixels, kEightColours);
  if (png.empty()) {
    err << "telvane-tool: cannot encode the page\n";
    return 1;
  }
  const Status written = platform::WriteFileAtomically(path, png);
  if (!written) {
    err << "telvane-tool: " << written.error().message << '\n';
    return 1;
  }
  out << "wrote " << path << '\n';
  return 0;
}

}  // namespace

int RunRenderCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<RenderArgs> parsed = Parse(args);
  if (!parsed) {
    err << "usage: telvane-tool render FILE [--story ID] [--preview] --out PAGE.png\n"
           "       telvane-tool render FILE [--story ID] --encode\n";
    return 2;
  }
  formats::LoadedScript script(err);
  if (!script.Read(parsed->file)) return 1;
  store::e_object* line = StartLine(script.store(), parsed->story);
  if (line == nullptr) {
    err << "telvane-tool: no story " << *parsed->story << " in " << parsed->file << '\n';
    return 1;
  }
  if (IsStoryHeldBack(*line)) {
    err << "telvane-tool: prompting cannot start in a pending, dropped or temporary story\n";
    return 1;
  }
  const RenderOptions options = RenderOptionsFrom(script.settings());
  const PromptRenderer renderer(script.store(), script.fonts(), options);
  PromptPosition feed = StartPosition(renderer, line, StartOffsetRows(script.settings()));

  if (parsed->preview) {
    PreviewImage image(kPreviewWidth, kPreviewHeight);
    DrawPreview(renderer, feed, image);
    return WritePng(*parsed->out, image.width, image.height, image.pixels, out, err);
  }
  LineRaster raster;
  std::vector<std::uint8_t> page;
  FeedRows(renderer, raster, feed, kPageRows, page);
  if (!parsed->encode) {
    return WritePng(*parsed->out, store::kPromptWidth, kPageRows, page, out, err);
  }
  const CardColourMap map = BuildCardColourMap();
  std::vector<std::uint32_t> words;
  for (int row = 0; row < kPageRows; ++row) {
    const int n =
        EncodeRow(std::span(page).subspan(static_cast<std::size_t>(row) * store::kPromptWidth,
                                          store::kPromptWidth),
                  map, words);
    out << "row " << row << ": " << n << '\n';
  }
  out << "total: " << words.size() << '\n';
  return 0;
}

}  // namespace telvane::prompt
