#include "formats/store_settings.h"

#include "formats/script_files.h"

namespace telvane::formats {

using config::Key;

store::StoreOptions StoreOptionsFrom(const config::Settings& s) {
  store::StoreOptions o;
  o.inverse_slug = s.Bool(Key::kScriptInverseSlug);
  o.truncate_slugline = s.Bool(Key::kScriptTruncateSlugline);
  o.limit_slugline = s.Bool(Key::kScriptLimitSlugline);
  o.script_as_prompt = s.Bool(Key::kScriptScriptAsPrompt);
  o.line_break_on_hyphen = s.Bool(Key::kMainLineBreakOnHyphen);
  o.slash_cloak = s.Bool(Key::kMainSlashCloak);
  o.studio_instructions = s.Bool(Key::kMainStudioInstructions);
  o.view_si = s.Bool(Key::kEditViewSi);
  o.continuous_prompt_mode = s.Bool(Key::kPromptContinuousPromptMode);
  o.non_prompted_inverse_italics = s.Bool(Key::kMainNonPromptedTextAsInverseItalics);
  o.cloak_all_sluglines = s.Bool(Key::kMenuAllSluglinesCloaked);
  o.presenter_mode = s.Bool(Key::kPresenterEnabled);
  o.auto_attribute = s.Bool(Key::kLanguageAutoAttribute);
  o.pan_european = s.Bool(Key::kLanguagePanEuropean);
  o.prompt_blank = s.Int(Key::kPromptLeftBlank) + s.Int(Key::kPromptRightBlank) +
                   2 * s.Int(Key::kPciWidthAdjustment);
  const std::string& open = s.Text(Key::kMainSlugOpenBracket);
  const std::string& close = s.Text(Key::kMainSlugCloseBracket);
  if (!open.empty()) o.slug_open_bracket = open[0];
  if (!close.empty()) o.slug_close_bracket = close[0];
  return o;
}

std::array<prompt::PromptFont, prompt::kPromptFonts> PromptFontsFrom(const config::Settings& s) {
  const FontTable table = FontTableOf(s);
  std::array<prompt::PromptFont, prompt::kPromptFonts> fonts;
  for (std::size_t i = 0; i < fonts.size(); ++i) {
    const FontEntry& f = table.fonts[i];
    fonts[i] = {f.name, f.prompt_size, f.edit_size, f.spacing};
  }
  return fonts;
}

}  // namespace telvane::formats
