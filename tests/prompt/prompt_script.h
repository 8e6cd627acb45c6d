#pragma once

// A script store laid out in Liberation Sans, with lines made by hand for the prompt tests.

#include <array>
#include <string>

#include "prompt/prompt_fonts.h"
#include "store/script_store.h"

namespace telvane::prompt::testing {

inline std::array<PromptFont, kPromptFonts> LiberationFonts(int size = 64, int gap = 0) {
  std::array<PromptFont, kPromptFonts> fonts;
  for (PromptFont& f : fonts) {
    f.name = "Liberation Sans";
    f.prompt_size = size;
    f.gap = gap;
  }
  return fonts;
}

class PromptScript {
 public:
  PromptScript() {
    fonts_.SetFonts(LiberationFonts());
    store_.NewScript();
  }

  store::ScriptStore& store() { return store_; }
  PromptFontTable& fonts() { return fonts_; }

  // The first call fills the script's only line; later calls append lines.
  store::e_object* Add(const std::string& a, const std::string& b = "", std::uint32_t flags = 0) {
    store::e_object* line = store_.first_line();
    if (used_) {
      line = store_.InsertLine(store_.last_line(), true);
    }
    used_ = true;
    line->flags |= flags;
    Set(*line, a, b);
    return line;
  }

  // Texts in font 0, regular, default colours, heights from the fonts.
  void Set(store::e_object& line, const std::string& a, const std::string& b) const {
    line.text_a = a;
    line.style_a.assign(a.size(), '\0');
    line.colour_a.assign(a.size(), store::colour_bit::kDefault);
    line.text_b = b;
    line.style_b.assign(b.size(), '\0');
    line.colour_b.assign(b.size(), store::colour_bit::kDefault);
    line.height_a = line.height_b = fonts_.RowHeight(0);
  }

  // A slug line with its run-order entry.
  store::e_object* AddSlug(const std::string& a, std::uint32_t status = 0) {
    store::e_object* line = Add(a, "", store::line_flag::kSlugLine | status);
    store_.CreateStoryEntry(line);
    return line;
  }

 private:
  PromptFontTable fonts_;
  store::StoreNotices notices_;
  store::ScriptStore store_{fonts_, notices_};
  bool used_ = false;
};

}  // namespace telvane::prompt::testing
