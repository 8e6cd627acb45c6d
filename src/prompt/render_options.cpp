#include "prompt/render_options.h"

#include <algorithm>

namespace telvane::prompt {

namespace {

using config::Key;

int ColourNumber(int value) {
  return std::clamp(value, 0, 7);
}

char FirstOr(const std::string& text, char fallback) {
  return text.empty() ? fallback : text.front();
}

}  // namespace

RenderOptions RenderOptionsFrom(const config::Settings& s) {
  RenderOptions o;
  o.left_blank = s.Int(Key::kPromptLeftBlank);
  o.right_blank = s.Int(Key::kPromptRightBlank);
  o.width_adjustment = s.Int(Key::kPciWidthAdjustment);
  o.centre_justify = s.Bool(Key::kMenuCentreJustify);
  o.inverse_video = s.Bool(Key::kPcCardInverse);
  o.colour_output = s.Bool(Key::kPcCardColourOutputEnabled);
  o.slug_foreground = ColourNumber(s.Int(Key::kPciSluglineFgColor));
  o.slug_background = ColourNumber(s.Int(Key::kPciSluglineBgColor));
  o.presenter_colours = s.Bool(Key::kPresenterEnabled) && s.Bool(Key::kPresenterDisplayColours);
  for (int n = 1; n <= kPresenterCount; ++n) {
    const config::PresenterSetting& p = s.Presenter(n);
    o.presenters[n - 1] = PresenterLook{p.inverse,
                                        ColourNumber(p.text_foreground),
                                        ColourNumber(p.text_background),
                                        ColourNumber(p.line_background),
                                        ColourNumber(p.slug_foreground),
                                        ColourNumber(p.slug_background)};
  }
  o.inverse_slug = s.Bool(Key::kScriptInverseSlug);
  o.remove_number_on_prompt = s.Bool(Key::kScriptRemoveNumberOnPrompt);
  o.remove_sluglines = s.Bool(Key::kMainRemoveSluglinesFromPrompt);
  o.remove_blank_lines = s.Bool(Key::kMenuRemoveBlanks);
  o.blank_lines_all_spaces = s.Bool(Key::kMainBlankLinesAllSpaces);
  o.prompt_caption = s.Bool(Key::kMainPromptCaption);
  o.limit_slugline = s.Bool(Key::kScriptLimitSlugline);
  o.disable_timing_lines = s.Bool(Key::kScriptDisableTimingLines);
  o.pan_european = s.Bool(Key::kLanguagePanEuropean);
  o.slug_open_bracket = FirstOr(s.Text(Key::kMainSlugOpenBracket), '[');
  o.slug_close_bracket = FirstOr(s.Text(Key::kMainSlugCloseBracket), ']');
  o.cue_left = s.Bool(Key::kPcCardCueEnabled) && s.Bool(Key::kPciCueLeft);
  return o;
}

}  // namespace telvane::prompt
