#include "runorder/run_order_options.h"

#include <algorithm>

namespace telvane::runorder {

using config::Key;

RunOrderOptions RunOrderOptionsFrom(const config::Settings& s) {
  RunOrderOptions o;
  o.multi_run = s.Bool(Key::kMenuMultiRun);
  o.avstar_multi_run = s.Bool(Key::kMenuAvstarMultiRun);
  o.decimal_story_numbers = s.Bool(Key::kMainDecimalStoryNumbers);
  o.pnew_on_button_start = s.Bool(Key::kMainPnewOnButtonStart);
  o.remove_number_on_prompt = s.Bool(Key::kScriptRemoveNumberOnPrompt);
  o.newstar_remote_script = s.Bool(Key::kMainNewstarRemoteScript);
  o.mos_remote_script = s.Bool(Key::kMainMosRemoteScript);
  o.force_bold = s.Bool(Key::kTemplateForceBold);
  o.auto_delete_on_air = s.Bool(Key::kScriptAutoDeleteOnAir);
  o.background_auto_slug = s.Bool(Key::kPromptBackgroundAutoSlug);
  o.run_order_prompt_track = s.Bool(Key::kRunOrderRunOrderPromptTrack);
  o.run_order_track_offset = s.Int(Key::kRunOrderRunOrderTrackOffset);
  o.disable_enps_editing = s.Bool(Key::kMainDisableEnpsEditing);
  o.selected_prompt_font = std::clamp(s.Int(Key::kFontSelect), 0, 7);
  const std::string& open = s.Text(Key::kMainSlugOpenBracket);
  const std::string& close = s.Text(Key::kMainSlugCloseBracket);
  if (!open.empty()) o.slug_open_bracket = open[0];
  if (!close.empty()) o.slug_close_bracket = close[0];
  return o;
}

}  // namespace telvane::runorder
