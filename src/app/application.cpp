#include "app/application.h"

#include <cctype>
#include <new>

#include "app/text_lines.h"
#include "config/config_copies.h"
#include "devices/colour_tables.h"
#include "devices/set_up_block.h"
#include "formats/number_text.h"
#include "formats/store_settings.h"
#include "platform/files.h"
#include "runorder/run_order_options.h"
#include "store/line_fit.h"

namespace telvane::app {

using config::Key;
using platform::BoxAnswer;
using platform::BoxButtons;
using platform::BoxKind;

namespace {

constexpr std::uint32_t kPureRed = 0x0000FF;
constexpr std::size_t kWorkBufferBytes = 32768;

std::vector<std::string> LoadListIfPresent(const std::string& path) {
  auto bytes = platform::ReadWholeFile(path, std::uintmax_t{16} << 20);
  return bytes ? SplitLines(*bytes) : std::vector<std::string>();
}

}  // namespace

Application::Application(platform::Host& host, std::string program_dir,
                         std::vector<std::string> arguments, std::ostream* log)
    : host_(host),
      paths_(std::move(program_dir)),
      arguments_(std::move(arguments)),
      log_(log),
      settings_(config::Settings::Defaults(host.facts.pixels_per_inch)) {
  files_.on_fonts_changed = [this] { ApplyPromptFonts(); };
  CreatePromptEngine();
}

Application::~Application() {
  Destroy();
}

void Application::CreateMainWindow() {
  // 1. The operating-system class is 0 (not recognised) here, so the paths that only some
  //    systems take for the USB prompter stay closed.
  // 2. Run-time state is idle (the members start so); 3. the paths were built from the
  //    program directory.
  // The English catalogue is loaded provisionally, so that texts shown before the configured
  // language is known (tables, chooser) are not empty.
  (void)catalogue_.Load(paths_.File("telvn32.msg"));
  // 4. and 5. The small pictures and the shared lists belong to the windows and Parts that
  //    use them. The empty script exists from here on.
  store_.NewScript();
  // 6.
  LoadTranslationTables();
  // 7.
  SelectConfiguration();
  // 8. The eight-colour table is constant (prompt::kEightColours).
  // 10.
  tpl_path_ = platform::ReplaceExtension(config_path_, ".tpl");
  tro_path_ = platform::ReplaceExtension(config_path_, ".tro");
  // 11.
  LoadConfiguration();
  ApplySettings();
  // 12.
  std::string language = settings_.Text(Key::kLanguageLanguage);
  (void)catalogue_.Load(
      paths_.File(CatalogueFileForLanguage(language.empty() ? 'A' : language[0])));
  // 13. and 16.
  LoadConfiguredLists();
  // 22.
  try {
    work_buffer_.resize(kWorkBufferBytes);
  } catch (const std::bad_alloc&) {
    Ask(MessageText(18), BoxKind::kError, BoxButtons::kOk);
  }
  // 27. The remote prompting server; the newsroom links arrive with their issues.
  if (settings_.Bool(Key::kMainRemotePromptingControl)) {
    const auto port = formats::NumberOf<int>(settings_.Text(Key::kMainRemotePromptingPortNumber));
    remote_prompting_ = std::make_unique<prompt::RemotePrompting>(
        host_.network, render_options_, [this](std::string_view text) { ShowStatusMessage(text); });
    if (port && *port > 0 && *port < 65536) {
      remote_prompting_->Listen(static_cast<std::uint16_t>(*port));
    } else {
      ShowStatusMessage("Remote prompting: port \"" +
                        settings_.Text(Key::kMainRemotePromptingPortNumber) + "\" is not a port");
    }
    engine_->AddLineHooks(remote_prompting_.get());
  }
  // 14., 17.-21., 23., 24., 26. and 28. are the main window's own (pictures, tool bar, hints,
  // captions, status line colours); 9., 15. and 25. arrive with the editor and the newsroom
  // links.
}

void Application::CreatePromptEngine() {
  engine_ = std::make_unique<prompt::ScrollEngine>(store_, run_order_, renderer_, prompt_card_,
                                                   host_.clock, host_.timers, prompt_link_);
  editor_prompt_hooks_ = std::make_unique<EditorPromptHooks>(*engine_, store_, run_order_);
  hooks_.is_prompting = [this] { return engine_->prompting(); };
  hooks_.request_prompt_stop = [this] { engine_->RequestStop(); };
  engine_->on_move_cue = [this](bool up) {
    const devices::CardGeometry geometry = devices::GeometryOf(settings_);
    const int cue = settings_.Int(Key::kPcCardCue);
    const int moved = up ? devices::CueUp(cue, geometry) : devices::CueDown(cue, geometry);
    if (moved == cue) return false;
    settings_.SetInt(Key::kPcCardCue, moved);
    return true;
  };
}

void Application::OpenPromptDevices() {
  prompt_card_.SetSetUpSource(devices::MakeSetUpSource(
      settings_, devices::LoadUserCue(paths_.File("usercue.txt")),
      [this] { return engine_ && engine_->prompting(); }, [] { return devices::BandRect{}; }));
  prompt_card_.SetColourTableSource(devices::MakeColourTableSource(settings_));
  prompt_output_ =
      std::make_unique<devices::PromptOutput>(prompt_card_, settings_, host_, prompt_link_);
  // A display that went away takes no more words: the prompt stops at once.
  prompt_output_->SetLinkHandlers([this](const std::string&) { engine_->CardLost(); },
                                  [this] { engine_->ShowIdlePage(); });
  if (prompt_output_->Open()) engine_->ShowIdlePage();
  prompt_link_.windows().output_opened(prompt_output_->soft_card());
}

devices::AdjustmentOutcome Application::AdjustPicture(devices::PictureAdjustment adjustment) {
  const devices::AdjustmentOutcome outcome = devices::AdjustPicture(settings_, adjustment);
  if (outcome != devices::AdjustmentOutcome::kChanged) return outcome;
  ApplySettings();
  if (engine_->prompting()) {
    engine_->RequestHeldOperation(prompt::HeldOp::kCueAdjustment);
  } else {
    prompt_card_.SendSetUp(false);
  }
  if (!picture_rewrap_) {
    picture_rewrap_ = host_.timers.CreateTimer([this] {
      picture_rewrap_->Stop();
      // The text width changed: every paragraph is laid out again; the card gets the new
      // lines through the usual re-send, or the idle page when not prompting.
      engine_->RememberFeed();
      for (store::e_object* line = store_.first_line(); line != store_.edit_tail();) {
        line = store::RewrapParagraph(store_, line);
      }
      engine_->EditDone();
      engine_->ShowIdlePage();
      hooks_.refresh_script_windows();
    });
  }
  picture_rewrap_->Stop();
  picture_rewrap_->Start(500);
  return outcome;
}

void Application::TogglePrompt() {
  if (engine_->prompting() || engine_->start_requested()) {
    engine_->RequestStop();
  } else {
    engine_->RequestStart(prompt::StartKind::kChosen);
  }
}

void Application::LoadTranslationTables() {
  struct Entry {
    const std::string* path;
    TranslationTable* table;
  };
  const Entry entries[] = {{&paths_.host_table, &tables_.host},
                           {&paths_.caption_table, &tables_.caption},
                           {&paths_.dwp_table, &tables_.dwp},
                           {&paths_.mac_table, &tables_.mac},
                           {&paths_.dos_table, &tables_.dos}};
  for (const Entry& e : entries) {
    // The caption table is optional: without it captions go out untranslated.
    if (e.table == &tables_.caption && !platform::FileExists(*e.path)) {
      *e.table = IdentityTable();
      continue;
    }
    auto table = LoadTranslationTable(*e.path);
    if (table) {
      *e.table = *table;
    } else {
      e.table->fill(kUnfilledEntry);
      Ask(MessageText(191) + ": " + *e.path, BoxKind::kError, BoxButtons::kOk);
    }
  }
}

void Application::SelectConfiguration() {
  master_ = config::ReadMasterConfig(paths_.master_config);
  config_path_ = paths_.File(master_.ConfigName());
  if (!master_.multiple_configuration || view_ == nullptr) return;
  ConfigChooser chooser(ChooserMode::kChoose, paths_.dir, config_path_, catalogue_, host_.dialogs);
  view_->OpenConfigChooser(chooser);
  host_.loop.WaitUntil([&] { return chooser.closed(); }, -1);
  if (chooser.chosen()) {
    config_path_ = *chooser.chosen();
    master_.ini_file = platform::BaseName(config_path_);
  }
}

void Application::LoadConfiguration() {
  auto file = config::ProfileFile::Load(config_path_);
  config_file_ = file ? std::move(*file) : config::ProfileFile();
  settings_ = config::Settings::Load(config_file_, host_.facts.pixels_per_inch);
  config::VersionInfo version = config::SystemVersion(paths_.dir);
  version.screen_width = host_.facts.screen_width;
  version.screen_height = host_.facts.screen_height;
  version.pixels_per_inch = host_.facts.pixels_per_inch;
  settings_.SetVersion(std::move(version));
  config_file_stamp_ = platform::FileWriteStamp(config_path_);
}

void Application::LoadConfiguredLists() {
  tpl_list_ = LoadListIfPresent(tpl_path_);
  tro_list_ = LoadListIfPresent(tro_path_);
  RemoveTrailingEmptyLines(tpl_list_);
  RemoveTrailingEmptyLines(tro_list_);

  newstar_list_ = LoadListIfPresent(paths_.newstar_list);
  for (const std::string& line : LoadListIfPresent(paths_.brackets_list)) {
    const std::string_view pair = TrimBlanks(line);
    if (pair.empty()) continue;
    bracket_open_.emplace_back(1, pair[0]);
    bracket_close_.emplace_back(1, pair.size() > 1 ? pair[1] : pair[0]);
  }
  for (std::string line : LoadListIfPresent(paths_.breaks_list)) {
    line = std::string(TrimBlanks(line));
    for (char& c : line) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    breaks_list_.push_back(std::move(line));
  }
}

void Application::StartStartupTimer() {
  time_prompt_ = host_.timers.CreateTimer([this] { TimePromptTick(); });
  time_prompt_->Start(50);
}

void Application::ShowStatusMessage(std::string_view text) {
  if (view_ != nullptr) {
    const bool alarm = settings_.Bool(Key::kScriptMultiUser) && script_file_locked_;
    view_->SetStatusText(
        text, alarm ? kPureRed : static_cast<std::uint32_t>(settings_.Int(Key::kColorsMessageB)),
        static_cast<std::uint32_t>(settings_.Int(Key::kColorsMessageF)));
  }
  const auto now = host_.clock.LocalNow();
  status_messages_.Add(now, text);
  log_.Write(now, "status", text);
  if (!status_message_timer_) {
    status_message_timer_ = host_.timers.CreateTimer([this] {
      status_message_timer_->Stop();
      if (message_list_open_ && view_ != nullptr) {
        view_->RefreshMessageList(status_messages_.entries());
      }
    });
  }
  status_message_timer_->Start(1000);
}

void Application::ClearStatusLine() {
  if (view_ != nullptr) {
    view_->SetStatusText("", static_cast<std::uint32_t>(settings_.Int(Key::kColorsMessageB)),
                         static_cast<std::uint32_t>(settings_.Int(Key::kColorsMessageF)));
  }
}

BoxAnswer Application::Ask(std::string_view text, BoxKind kind, BoxButtons buttons) {
  log_.Write(host_.clock.LocalNow(), "box", text);
  return host_.dialogs.MessageBox(text, kind, buttons);
}

void Application::SetMessageListOpen(bool open) {
  message_list_open_ = open;
  if (open && view_ != nullptr) view_->RefreshMessageList(status_messages_.entries());
}

Status Application::SaveMessageList(const std::string& path) {
  std::string text;
  for (const std::string& entry : status_messages_.entries()) text += entry + "\r\n";
  Status saved = platform::WriteFileAtomically(path, text);
  if (!saved) ShowStatusMessage(saved.error().message);
  return saved;
}

void Application::AddRecentFile(const std::string& path) {
  recent_files_.Add(path);
  if (view_ != nullptr) view_->RecentFilesChanged();
}

void Application::ApplySettings() {
  ApplyPromptFonts();
  store_.options() = formats::StoreOptionsFrom(settings_);
  run_order_.options() = runorder::RunOrderOptionsFrom(settings_);
  render_options_ = prompt::RenderOptionsFrom(settings_);
  engine_->options() = prompt::EngineOptionsFrom(settings_);
}

void Application::ApplyPromptFonts() {
  prompt_fonts_.SetFonts(formats::PromptFontsFrom(settings_));
}

void Application::Information(int message) {
  Ask(MessageText(message), BoxKind::kInformation, BoxButtons::kOk);
}

void Application::Error(int message) {
  Ask(MessageText(message), BoxKind::kError, BoxButtons::kOk);
}

bool Application::Confirm(int message) {
  return Ask(MessageText(message), BoxKind::kConfirmation, BoxButtons::kOkCancel) == BoxAnswer::kOk;
}

void Application::ChangedPanel(bool changed) {
  if (view_ != nullptr) view_->SetEditChanged(changed);
}

void Application::OpenSlugDialog() {
  if (view_ != nullptr) view_->OpenSlugDialog();
}

void Application::SetReadOnlyPanel(std::string_view text) {
  if (view_ != nullptr) view_->SetReadOnlyPanel(text);
}

bool Application::OpenScriptByName(const std::string& path) {
  if (!platform::FileExists(path)) {
    recent_files_.Remove(path);
    if (view_ != nullptr) view_->RecentFilesChanged();
    Ask(MessageText(4), BoxKind::kInformation, BoxButtons::kOk);
    return false;
  }
  if (busy_.file_operation || busy_.transfer) {
    Ask(MessageText(873), BoxKind::kInformation, BoxButtons::kOk);
    return false;
  }
  if (!ConfirmReplaceScript()) return false;
  return LoadScript(path, true);
}

bool Application::LoadScript(const std::string& path, bool replace) {
  if (replace) store_.NewScript();
  const bool loaded = files_.ReadScriptFile(path);
  if (loaded && replace) {
    // An existing ".tvl" in any case stays, so no second "x.TVL" appears beside "x.tvl".
    files_.set_current_file_name(platform::EndsWithIgnoringCase(path, ".tvl")
                                     ? path
                                     : platform::ReplaceExtension(path, ".TVL"));
    store_.MarkChanged(false);
  } else if (loaded) {
    store_.MarkChanged(true);
  }
  hooks_.refresh_script_windows();
  if (view_ != nullptr) {
    view_->SetBackgroundMessage(MessageText(113) + " " +
                                (loaded ? platform::BaseName(path) : MessageText(114)));
  }
  return loaded;
}

bool Application::ConfirmReplaceScript() {
  if (hooks_.is_prompting()) {
    if (Ask(MessageText(2), BoxKind::kInformation, BoxButtons::kOkCancel) != BoxAnswer::kOk) {
      return false;
    }
    hooks_.request_prompt_stop();
  }
  if (!store_.script_changed()) return true;
  switch (Ask(MessageText(11), BoxKind::kConfirmation, BoxButtons::kYesNoCancel)) {
    case BoxAnswer::kNo:
      return true;
    case BoxAnswer::kYes:
      break;
    default:
      return false;
  }
  for (;;) {
    if (SaveScriptAs()) {
      host_.loop.WaitUntil([this] { return !files_.save_in_progress(); }, -1);
      return true;
    }
    // The save was cancelled: discard, choose again, or keep the script.
    switch (Ask(MessageText(3), BoxKind::kConfirmation, BoxButtons::kYesNoCancel)) {
      case BoxAnswer::kYes:
        return true;
      case BoxAnswer::kNo:
        continue;
      default:
        return false;
    }
  }
}

void Application::ShowStoryInEditor(store::r_object* entry) {
  if (entry == nullptr || entry->line == nullptr || entry == store_.run_end()) return;
  store_.top_line() = entry->line;
  store_.current_line() = entry->line;
  store_.caret_row = 0;
  store_.caret_column = 0;
  hooks_.refresh_script_windows();
}

bool Application::FileNew() {
  if (!ConfirmReplaceScript()) return false;
  store_.NewScript();
  files_.set_current_file_name("");
  WaitForBusyWork();
  hooks_.refresh_script_windows();
  return true;
}

bool Application::FileOpen(bool append) {
  if (busy_.file_operation || busy_.transfer) {
    Ask(MessageText(append ? 874 : 873), BoxKind::kInformation, BoxButtons::kOk);
    return false;
  }
  if (!append && hooks_.is_prompting()) {
    if (Ask(MessageText(2), BoxKind::kInformation, BoxButtons::kOkCancel) != BoxAnswer::kOk) {
      return false;
    }
    hooks_.request_prompt_stop();
  }
  const auto path = host_.dialogs.ChooseOpenFile(
      MessageText(append ? 362 : 6), settings_.Text(Key::kConstantsDefaultDir),
      "All Files (*.*)|*.*|Document Files (*.doc)|*.doc|Text Files (*.txt)|*.txt|"
      "WRI Files (*.wri)|*.wri|Rich Text Format (*.rtf)|*.rtf|Telvane Files (*.tvl)|*.tvl|"
      "NSML Files (*.sml)|*.sml|NSML Run Order Files (*.oml)|*.oml|"
      "Pagewrangler Files (*.spt)|*.spt");
  if (!path) {
    if (files_.current_file_name().empty() && view_ != nullptr) {
      view_->SetBackgroundMessage(MessageText(113) + " " + MessageText(114));
    }
    return false;
  }
  if (!append && !ConfirmReplaceScript()) return false;
  const bool loaded = LoadScript(*path, !append);
  if (loaded && !append) {
    std::string dir = platform::DirectoryOf(*path);
    while (!dir.empty() && dir.back() == '/' && dir.size() > 1) dir.pop_back();
    settings_.SetText(Key::kConstantsDefaultDir, dir.empty() ? "c:" : dir);
    AddRecentFile(*path);
  }
  return loaded;
}

void Application::SetSaveSetupOnExit(bool on) {
  settings_.SetBool(Key::kMenuAutoSave, on);
  if (on) return;
  Status saved = config::SaveSettingIntoFile(settings_, Key::kMenuAutoSave, config_path_);
  if (!saved) {
    ShowStatusMessage(saved.error().message);
    return;
  }
  MarkConfigurationWritten();
}

bool Application::save_setup_on_exit() const {
  return settings_.Bool(Key::kMenuAutoSave);
}

std::string Application::MainCaption() const {
  const std::string& language = settings_.Text(Key::kLanguageLanguage);
  std::string caption = MessageText(597) + " ";
  caption += (!language.empty() && language[0] == 'B') ? "Telvane 32 - Prompting f\xFCr Windows"
                                                       : "Telvane 32 - Prompting for Windows";
  if (settings_.Bool(Key::kLanguagePanEuropean)) caption += " - (Pan European)";
  if (master_.multiple_configuration) {
    caption += " : \"" + platform::ReplaceExtension(platform::BaseName(config_path_), "") + "\"";
  }
  return caption;
}

Status Application::SaveConfiguration() {
  if (view_ != nullptr) view_->SetBusy(true);
  ShowStatusMessage(MessageText(1226));
  Status saved = config::SaveSettingsFile(settings_, config_path_, &config_file_);
  if (view_ != nullptr) view_->SetBusy(false);
  ClearStatusLine();
  if (!saved) {
    ShowStatusMessage(saved.error().message);
    return saved;
  }
  if (auto written = config::ProfileFile::Load(config_path_)) config_file_ = std::move(*written);
  MarkConfigurationWritten();
  return saved;
}

Status Application::SaveConfigCopy(const std::string& chosen) {
  auto written = config::SaveConfigAs(settings_, chosen, &config_file_);
  if (!written) {
    ShowStatusMessage(written.error().message);
    return written.error();
  }
  MarkConfigurationWritten();
  return {};
}

Status Application::LoadConfigCopy(const std::string& chosen) {
  Status loaded = config::LoadConfig(settings_, chosen, host_.facts.pixels_per_inch);
  if (!loaded) {
    ShowStatusMessage(loaded.error().message);
    return loaded;
  }
  ApplySettings();
  Ask(MessageText(601), BoxKind::kInformation, BoxButtons::kOk);
  return loaded;
}

void Application::RewriteMasterConfig() {
  master_.ini_file = platform::BaseName(config_path_);
  Status saved = config::WriteMasterConfig(paths_.master_config, master_);
  if (!saved) ShowStatusMessage(saved.error().message);
}

ConfigChooser Application::MakeConfigChooser(ChooserMode mode) {
  return ConfigChooser(mode, paths_.dir, config_path_, catalogue_, host_.dialogs,
                       [this](const std::string& path) { (void)SaveConfigurationAs(path); });
}

Status Application::SaveConfigurationAs(const std::string& path) {
  config_path_ = path;
  master_.ini_file = platform::BaseName(path);
  Status saved = SaveConfiguration();
  if (saved && view_ != nullptr) {
    std::string caption = MainCaption();
    caption = caption.substr(0, caption.find(':'));
    view_->SetMainCaption(caption + ": \"" + platform::ReplaceExtension(master_.ini_file, "") +
                          "\"");
  }
  return saved;
}

}  // namespace telvane::app
