#pragma once

// The settings the run-order operations obey, filled by the caller from the configuration,
// and the flags other subsystems raise that the operations read as guards.

#include "config/settings.h"

namespace telvane::runorder {

struct RunOrderOptions {
  bool multi_run = false;                // "Multi Run" (Menu)
  bool avstar_multi_run = false;         // "Avstar Multi Run" (Menu)
  bool decimal_story_numbers = false;    // "Decimal Story Numbers" (Main)
  bool pnew_on_button_start = true;      // "PNEW On Button Start" (Main)
  bool remove_number_on_prompt = false;  // "Remove Number On Prompt" (Script)
  bool newstar_remote_script = false;    // "Newstar Remote Script" (Main)
  bool mos_remote_script = false;        // "MOS Remote Script" (Main)
  bool force_bold = false;               // "Force Bold" (Template)
  bool auto_delete_on_air = false;       // "Auto Delete On Air" (Script)
  bool background_auto_slug = false;     // "Background Auto Slug" (Prompt)
  bool run_order_prompt_track = false;   // "Run Order Prompt Track" (Run Order)
  int run_order_track_offset = 1;        // "Run Order Track Offset" (Run Order)
  bool disable_enps_editing = false;     // "Disable Enps Editing" (Main)
  int selected_prompt_font = 0;          // "Select" (Font), 0..7
  char slug_open_bracket = '[';          // "Slug Open Bracket" (Main)
  char slug_close_bracket = ']';         // "Slug Close Bracket" (Main)
};

RunOrderOptions RunOrderOptionsFrom(const config::Settings& settings);

// Set by the newsroom links, the host line and the prompt engine.
struct RunOrderGuards {
  bool newsroom_link_running = false;  // with "Disable Enps Editing": the run order is locked
  bool host_download = false;          // a script download over the host link
  bool newsroom_transfer = false;      // an exchange waits until it ends
  bool prompt_updating = false;        // the prompt output is in the middle of an update
  bool saving = false;                 // a script or story save runs
  bool exchange_by_load_id = false;    // the FTP or ENPS run-order links match by load_id
};

}  // namespace telvane::runorder
