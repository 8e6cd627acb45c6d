#include "app/menu_enabling.h"

#include "app/newsroom.h"

namespace telvane::app {

using config::Key;

std::vector<ItemState> EnabledItems(const WindowState& s) {
  const bool any_child = s.editor || s.run_order || s.preview;
  const bool blank = s.prompting && s.cut_to_black;
  return {
      {"FileSaveScriptItem", any_child},
      {"FileSaveScriptAsItem", any_child},
      {"FileSaveStoryItem", any_child},
      {"FileSaveStoryAsItem", any_child},
      {"SaveBtn", any_child},
      {"PromptRestartItem", s.prompting},
      {"RestartBtn", s.prompting},
      {"PromptBlankScreenItem", blank},
      {"PromptBlackBtn", blank},
      {"HelpRestoreEditFormItem", !s.editor},
      {"HelpRestoreRunOrderFormItem", !s.run_order},
      {"EditWinPasteItem", s.clipboard_text},
      {"WindowsPasteBtn", s.clipboard_text},
  };
}

std::vector<ItemState> NewsroomFeatureItems(const config::Settings& settings,
                                            bool multiple_configuration) {
  const NewsroomSystem system = SelectedNewsroom(settings);
  const bool avid = system == NewsroomSystem::kAvid;
  const bool mos = system == NewsroomSystem::kMos;
  return {
      {"MainProgramItem", true},
      {"WindowProgramItem", multiple_configuration},
      {"OptionsPollingItem", true},
      {"OptionsNewsroomItem", true},
      {"OptionsDialUpItem", true},
      {"ViewRemoteInputDirectoryItem", true},
      {"ViewProgramNamesItem", true},
      {"ViewCaptionPanelItem", true},
      {"OptionsMasterSlaveModeItem", settings.Bool(Key::kConstantsMasterSlave)},
      {"OptionsMultipleRunOrderItem", !avid && !mos},
      {"AvstarMultipleRunOrderItem", avid},
      {"MainPresenterItem",
       settings.Bool(Key::kPresenterEnabled) && system == NewsroomSystem::kDefault},
      {"OptionsDeleteConfigurationItem", multiple_configuration},
  };
}

}  // namespace telvane::app
