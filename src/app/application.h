#pragma once

// The application shell: the program's shared state and its life from main-window creation
// through the start-up states, the periodic cycles and the close request to destruction.
// The windows forward to it; it never draws.

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/config_chooser.h"
#include "app/message_catalogue.h"
#include "app/newsroom.h"
#include "app/program_files.h"
#include "app/prompt_link.h"
#include "app/recent_files.h"
#include "app/run_order_link.h"
#include "app/shell_view.h"
#include "app/status_messages.h"
#include "app/translation_tables.h"
#include "config/master_config.h"
#include "config/profile_file.h"
#include "config/settings.h"
#include "devices/prompt_card.h"
#include "devices/prompt_output.h"
#include "devices/set_up_block.h"
#include "formats/script_files.h"
#include "platform/host.h"
#include "prompt/prompt_fonts.h"
#include "prompt/prompt_render.h"
#include "prompt/remote_prompting.h"
#include "prompt/render_options.h"
#include "prompt/scroll_engine.h"
#include "runorder/run_order.h"
#include "store/script_store.h"

namespace telvane::app {

// How a save that the shell waited for ended.
enum class SaveOutcome { kSaved, kCancelled, kFailed };

// The work of subsystems that arrive with their own issues. Each defaults to "nothing there":
// not prompting, no questions before a script is replaced, no windows to refresh.
struct ShellHooks {
  std::function<bool()> is_prompting = [] { return false; };
  std::function<void()> request_prompt_stop = [] {};
  // Redraws the editor, run order, preview and open auxiliary windows after a load.
  std::function<void()> refresh_script_windows = [] {};
  // Remote directory polling is on, and the Avid queue link is in its transfer state: the
  // newsroom system cannot be changed meanwhile.
  std::function<bool()> remote_polling_on = [] { return false; };
  std::function<bool()> avid_transfer = [] { return false; };
};

// Flags of work in progress that other subsystems raise and the shell waits for.
struct BusyFlags {
  bool file_operation = false;
  bool transfer = false;
  bool save = false;
  bool polling = false;
  bool mos_operation = false;
  bool Any() const { return file_operation || transfer || save || polling || mos_operation; }
};

class Application : public formats::FileOperator, private store::StoreNotices {
 public:
  Application(platform::Host& host, std::string program_dir, std::vector<std::string> arguments,
              std::ostream* log);
  ~Application() override;
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  void SetView(ShellView* view) { view_ = view; }
  ShellHooks& hooks() { return hooks_; }
  BusyFlags& busy() { return busy_; }

  // Main-window creation, steps in order; runs before any other window exists.
  void CreateMainWindow();
  // The editor's last creation act: starts the 50 ms start-up/service timer.
  void StartStartupTimer();
  // One tick of the 50 ms timer: a start-up state, then the service cycle.
  void TimePromptTick();
  // The close query; true when the program may close now.
  bool CloseQuery(bool system_shutdown);
  // Releases what the program holds, in order; runs once.
  void Destroy();

  void ShowStatusMessage(std::string_view text) override;
  // A message box whose text is also written to the operator log.
  platform::BoxAnswer Ask(std::string_view text, platform::BoxKind kind,
                          platform::BoxButtons buttons) override;
  const std::string& MessageText(int n) const override { return catalogue_.Text(n); }
  void SetReadOnlyPanel(std::string_view text) override;
  void SetScriptFileLocked(bool locked) override { script_file_locked_ = locked; }
  void ScriptSaved(const std::string& path) override { AddRecentFile(path); }

  // File > Save Script (Save Script As for a script without a name), waited for.
  SaveOutcome SaveScriptAndWait();
  // File > Save Script: under the current name, or as Save Script As without one.
  bool SaveScriptCommand();
  // File > Save Script As: chooses the file and type and starts the save.
  bool SaveScriptAs();
  // File > Save Story As: the story of line, under a chosen name and type.
  bool SaveStoryAs(store::e_object* line);
  // File > Save Story (Remote): the story of line, as "Q" and its identifier, into the
  // default (remote output) folder.
  bool SaveStory(store::e_object* line, bool remote);
  // File > Save All (Remote): the stories of a selection of several rows, else all of them,
  // one after another; the number saved.
  int SaveAllStories(store::e_object* first_selected, store::e_object* last_selected, bool remote);
  store::ScriptStore& store() { return store_; }
  runorder::RunOrder& run_order() { return run_order_; }
  // The prompt: the engine, the card it feeds, the output behind the card, and what the
  // windows do when it changes.
  prompt::ScrollEngine& engine() { return *engine_; }
  devices::PromptCard& prompt_card() { return prompt_card_; }
  devices::PromptOutput* prompt_output() { return prompt_output_.get(); }
  PromptWindows& prompt_windows() { return prompt_link_.windows(); }
  editor::PromptEditHooks& editor_prompt_hooks() { return *editor_prompt_hooks_; }
  prompt::RemotePrompting* remote_prompting() { return remote_prompting_.get(); }
  // The prompt button, "Prompt &On" and F9: starts prompting, or stops it while prompting.
  void TogglePrompt();
  // Left/Right Increase and Decrease, Cue Left and Cue Right: one pixel of the picture's
  // blanks or width adjustment. The set-up block goes again at once (through the card's hold
  // while prompting) and the script is re-wrapped for the new width 500 ms later.
  devices::AdjustmentOutcome AdjustPicture(devices::PictureAdjustment adjustment);
  formats::ScriptFiles& files() { return files_; }
  prompt::PromptFontTable& prompt_fonts() { return prompt_fonts_; }
  // The one prompt renderer: card rows, the preview and the tool all draw with it.
  const prompt::PromptRenderer& renderer() const { return renderer_; }
  platform::Dialogs& dialogs() { return host_.dialogs; }
  const platform::SystemFacts& host_facts() const { return host_.facts; }
  void ClearStatusLine();

  bool OpenScriptByName(const std::string& path);
  // The run order's double click or Enter: the story's slug line goes to the editor's top
  // row with the caret at its start.
  void ShowStoryInEditor(store::r_object* entry);
  // File > New, Open and Append.
  bool FileNew();
  bool FileOpen(bool append);
  // The prompt and unsaved-changes questions before the script is replaced; false cancels.
  bool ConfirmReplaceScript();
  // File1 to File4: the recent entry at index, after the busy check of Open.
  bool OpenRecentFile(std::size_t index);
  // File > Delete: a file chosen in the open dialog, after a question.
  bool FileDelete();
  // The Zap button: clears the whole script after a question.
  bool Zap();
  // Options > Newsroom; false when the choice was refused (polling, an Avid transfer).
  bool SelectNewsroom(NewsroomSystem system);
  NewsroomSystem newsroom() const { return SelectedNewsroom(settings_); }
  // The Ins key and the Insert panel: insert or overtype.
  bool insert_mode() const { return settings_.Bool(config::Key::kMenuInsert); }
  void ToggleInsertMode();
  // A menu item changed settings that the store, the run order, the renderer or the engine
  // read: they take them again.
  void SettingsChanged() { ApplySettings(); }
  // Help > About: the program, its version and the diagnostic of the script's links.
  std::string AboutText() const;

  // The message list window.
  StatusMessages& status_messages() { return status_messages_; }
  void SetMessageListOpen(bool open);
  bool message_list_open() const { return message_list_open_; }
  Status SaveMessageList(const std::string& path);

  // Options menu: save the configuration under a new name, or delete one.
  ConfigChooser MakeConfigChooser(ChooserMode mode);
  Status SaveConfigurationAs(const std::string& path);

  // Options > Save Setup on Exit. Unchecking writes that one key at once, so the choice
  // survives a shutdown that does not save.
  void SetSaveSetupOnExit(bool on);
  // Options > Multiple Configuration; "master.cfg" keeps it at the next save.
  void SetMultipleConfiguration(bool on) { master_.multiple_configuration = on; }
  // Serves events until the condition holds (dialogues the shell waits for).
  void WaitFor(const std::function<bool()>& condition) { host_.loop.WaitUntil(condition, -1); }

  // File > Save Config As and Load Config, with the file the operator chose.
  Status SaveConfigCopy(const std::string& chosen);
  Status LoadConfigCopy(const std::string& chosen);

  // Writes the configuration file now (the program's own save).
  Status SaveConfiguration();

  const ProgramPaths& paths() const { return paths_; }
  const MessageCatalogue& catalogue() const { return catalogue_; }
  const TranslationTables& tables() const { return tables_; }
  config::Settings& settings() { return settings_; }
  const config::MasterConfig& master_config() const { return master_; }
  const std::string& config_path() const { return config_path_; }
  const std::string& tpl_path() const { return tpl_path_; }
  const std::string& tro_path() const { return tro_path_; }
  const std::vector<std::string>& tpl_list() const { return tpl_list_; }
  const std::vector<std::string>& tro_list() const { return tro_list_; }
  const std::vector<std::string>& recent_files() const { return recent_files_.entries(); }
  std::string RecentFileCaption(std::size_t index) const { return recent_files_.Caption(index); }
  void AddRecentFile(const std::string& path);
  const std::string& script_name() const { return files_.current_file_name(); }
  std::int64_t config_file_stamp() const { return config_file_stamp_; }
  int config_save_countdown() const { return config_save_countdown_; }
  void MarkConfigurationWritten() { config_save_countdown_ = 2; }
  int startup_state() const { return startup_state_; }
  bool startup_complete() const { return startup_complete_; }
  bool closing() const { return closing_; }
  const std::string& start_time() const { return start_time_; }
  std::string MainCaption() const;
  // Set by Options > Save Setup on Exit.
  bool save_setup_on_exit() const;

 private:
  // store::StoreNotices
  void Information(int message) override;
  void Error(int message) override;
  bool Confirm(int message) override;
  void ChangedPanel(bool changed) override;
  void OpenSlugDialog() override;

  // The prompt fonts, the store's options and the renderer's, from the settings.
  void ApplySettings();
  void ApplyPromptFonts();
  bool LoadScript(const std::string& path, bool replace);
  struct SaveTarget {
    std::string path;
    int version;
  };
  // The save chooser with its extension, read-only and overwrite questions.
  std::optional<SaveTarget> ChooseSaveTarget();
  formats::SaveRequest SaveAsRequest(const SaveTarget& target, const store::e_object* story) const;
  std::optional<std::string> StoryFolder(bool remote);
  std::optional<std::string> StoryTarget(store::e_object* slug, const std::string& folder);
  void LoadTranslationTables();
  void SelectConfiguration();
  void LoadConfiguration();
  void LoadConfiguredLists();
  void StartupStep();
  void ServiceCycle();
  void HousekeepingCycle();
  void StepConfigSaveCountdown();
  void LoadCommandLineScript();
  void RewriteMasterConfig();
  void ShutDownLinks();
  void CreatePromptEngine();
  void OpenPromptDevices();
  void WaitForBusyWork();

  platform::Host& host_;
  ProgramPaths paths_;
  std::vector<std::string> arguments_;
  OperatorLog log_;
  ShellView* view_ = nullptr;
  ShellHooks hooks_;
  BusyFlags busy_;

  MessageCatalogue catalogue_;
  StatusMessages status_messages_;
  TranslationTables tables_{};
  config::MasterConfig master_;
  config::ProfileFile config_file_;
  config::Settings settings_;
  prompt::PromptFontTable prompt_fonts_;
  store::ScriptStore store_{prompt_fonts_, *this};
  RunOrderLink run_order_link_{*this};
  runorder::RunOrder run_order_{store_, run_order_link_, run_order_link_};
  prompt::RenderOptions render_options_;
  prompt::PromptRenderer renderer_{store_, prompt_fonts_, render_options_};
  formats::ScriptFiles files_{store_, settings_, *this, host_.loop};
  devices::PromptCard prompt_card_{host_.clock, host_.loop};
  PromptLink prompt_link_{*this};
  std::unique_ptr<devices::PromptOutput> prompt_output_;
  std::unique_ptr<prompt::ScrollEngine> engine_;
  std::unique_ptr<EditorPromptHooks> editor_prompt_hooks_;
  std::unique_ptr<prompt::RemotePrompting> remote_prompting_;
  std::string config_path_;
  std::string tpl_path_;
  std::string tro_path_;
  std::vector<std::string> tpl_list_;
  std::vector<std::string> tro_list_;
  std::vector<std::string> newstar_list_;
  std::vector<std::string> bracket_open_;
  std::vector<std::string> bracket_close_;
  std::vector<std::string> breaks_list_;
  RecentFiles recent_files_;
  std::string start_time_;

  std::unique_ptr<platform::Timer> time_prompt_;
  std::unique_ptr<platform::Timer> picture_rewrap_;
  std::unique_ptr<platform::Timer> clipboard_monitor_;
  std::unique_ptr<platform::Timer> status_message_timer_;

  std::int64_t config_file_stamp_ = 0;
  int config_save_countdown_ = 0;
  int startup_state_ = 0;
  bool first_pass_pending_ = true;
  bool startup_complete_ = false;
  bool housekeeping_due_ = false;
  bool housekeeping_second_kind_ = false;
  bool closing_ = false;
  bool close_after_prompt_stop_ = false;
  bool close_confirmed_ = false;  // the deferred close runs without asking again
  bool close_cancelled_ = false;
  bool destroyed_ = false;
  bool message_list_open_ = false;
  bool script_file_locked_ = false;
  bool config_dialog_open_ = false;
  int save_filter_index_ = 1;  // the save chooser's file type, remembered between uses
  std::vector<char> work_buffer_;
};

}  // namespace telvane::app
