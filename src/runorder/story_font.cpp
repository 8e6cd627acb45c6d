#include "runorder/story_font.h"

#include <algorithm>

#include "runorder/story_status.h"
#include "store/line_fit.h"

namespace telvane::runorder {

StoryFontList StoryFontEntries(const config::Settings& s) {
  StoryFontList list;
  list.presenters = s.Bool(config::Key::kPresenterEnabled);
  if (list.presenters) {
    for (int n = 1; n <= config::Settings::kPresenters; ++n) {
      list.entries.push_back(std::to_string(n) + " " + s.Presenter(n).name);
    }
    return list;
  }
  for (int n = 0; n < config::Settings::kPromptFonts; ++n) {
    const config::PromptFontSetting& f = s.PromptFont(n);
    list.entries.push_back(std::to_string(n + 1) + " " + f.name + " " +
                           std::to_string(f.prompt_size) + " " + std::to_string(f.edit_size));
  }
  return list;
}

int ApplyStoryFontChoice(RunOrder& run, const config::Settings& s, int choice) {
  const StoryFontList list = StoryFontEntries(s);
  if (choice < 1 || choice > static_cast<int>(list.entries.size())) return kNoStoryFontChosen;
  if (list.presenters) {
    run.ChangeStoryFont(std::clamp(s.Presenter(choice).font, 1, 8) - 1, choice);
  } else {
    run.ChangeStoryFont(choice - 1, 0);
  }
  return 0;
}

void RunOrder::ChangeStoryFont(int font, int presenter) {
  std::vector<r_object*> selected = SelectedEntries();
  std::erase(selected, run_end());
  if (selected.empty()) return;
  const auto bits = static_cast<char>((font & 7) << store::style_bit::kFontShift);
  observer_.FreezePrompt();
  for (r_object* story : selected) {
    if (story->line == nullptr) continue;
    story->story_presenter = presenter;
    e_object* last = LastLineOfStory(store_, story->line);
    for (e_object* l = story->line;; l = l->next) {
      for (std::string* style : {&l->style_a, &l->style_b}) {
        for (char& c : *style) {
          c = static_cast<char>((c & ~store::style_bit::kFontMask) | bits);
        }
      }
      l->presenter = presenter;
      if (l == last) break;
    }
    // Other fonts have other widths: the slug and the story's paragraphs are broken again.
    e_object* l = store::RefitLine(store_, story->line)->next;
    while (l != store_.edit_tail() && !store::IsMargin(*l) && !store::IsSlugLine(*l)) {
      l = store::RewrapParagraph(store_, l);
    }
  }
  Changed();
  observer_.PromptRebuild();
  observer_.ReleasePrompt();
}

}  // namespace telvane::runorder
