// File > Save Script and Save Script As: the choosing and asking around a native save.

#include <filesystem>

#include "app/application.h"
#include "platform/files.h"

namespace telvane::app {

using config::Key;
using platform::BoxAnswer;
using platform::BoxButtons;
using platform::BoxKind;

namespace {

constexpr std::string_view kSaveFilter =
    "Telvane (*.tvl)|*.tvl|Text File (*.txt)|*.txt|DOS Text (*.txt)|*.txt|"
    "Rich Text Format (*.rtf)|*.rtf|Old Telvane2 Format (*.tvl)|*.tvl|"
    "Old Telvane3 Format (*.tvl)|*.tvl|Old Telvane4 Format (*.tvl)|*.tvl|All Files (*.*)|*.*";

struct SaveEntry {
  int version;                 // 0: a text or RTF export
  std::string_view extension;  // expected, as the question shows it; empty: any
};

SaveEntry EntryOf(int index) {
  switch (index) {
    case 2:
    case 3:
      return {0, ".TXT"};
    case 4:
      return {0, ".RTF"};
    case 5:
      return {2, ".TVL"};
    case 6:
      return {3, ".TVL"};
    case 7:
      return {4, ".TVL"};
    case 8:
      return {5, ""};
    default:
      return {5, ".TVL"};
  }
}

constexpr std::uint32_t kStatusDrop = 4;
constexpr std::uint32_t kStatusTemp = 5;

// Dropped, temporary and untimed stories are not saved as story files.
bool Excluded(const store::e_object& slug) {
  const std::uint32_t status = slug.flags & store::line_flag::kStatusMask;
  return status == kStatusDrop || status == kStatusTemp ||
         (slug.flags2 & store::line_state::kOutOfTotals) != 0;
}

std::string Folder(std::string dir) {
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return dir;
}

std::string ExtensionOf(const std::string& path) {
  const std::string name = platform::BaseName(path);
  const auto dot = name.find_last_of('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

}  // namespace

bool Application::SaveScriptCommand() {
  return files_.current_file_name().empty() ? SaveScriptAs() : files_.SaveScript();
}

SaveOutcome Application::SaveScriptAndWait() {
  if (!SaveScriptCommand()) return SaveOutcome::kCancelled;
  host_.loop.WaitUntil([this] { return !files_.save_in_progress(); }, -1);
  return files_.save_error_code() == 0 ? SaveOutcome::kSaved : SaveOutcome::kFailed;
}

std::optional<Application::SaveTarget> Application::ChooseSaveTarget() {
  if (files_.save_in_progress()) {
    Ask(MessageText(976), BoxKind::kInformation, BoxButtons::kOk);
    return std::nullopt;
  }
  bool save_cloaked = settings_.Bool(Key::kMenuFileSaveCloaked);
  auto chosen =
      host_.dialogs.ChooseSaveFileOfType(MessageText(59), settings_.Text(Key::kConstantsDefaultDir),
                                         kSaveFilter, save_filter_index_, &save_cloaked);
  if (!chosen) return std::nullopt;
  settings_.SetBool(Key::kMenuFileSaveCloaked, save_cloaked);
  std::string path = *chosen;
  const SaveEntry entry = EntryOf(save_filter_index_);
  if (!entry.extension.empty() && !platform::SameIgnoringCase(ExtensionOf(path), entry.extension)) {
    const BoxAnswer answer = Ask(
        MessageText(518) + " ." + std::string(entry.extension.substr(1)) + " " + MessageText(519),
        BoxKind::kConfirmation, BoxButtons::kYesNoCancel);
    if (answer == BoxAnswer::kCancel) return std::nullopt;
    if (answer == BoxAnswer::kYes) path = platform::ReplaceExtension(path, entry.extension);
  }
  if (path == files_.current_file_name() && files_.read_only()) {
    Ask(MessageText(813), BoxKind::kWarning, BoxButtons::kOk);
    return std::nullopt;
  }
  if (platform::FileExists(path) &&
      Ask(platform::BaseName(path) + " " + MessageText(517), BoxKind::kWarning,
          BoxButtons::kOkCancel) != BoxAnswer::kOk) {
    return std::nullopt;
  }
  if (entry.version == 0) {
    // Text and RTF exports come with their writers; until then the save is refused plainly.
    Ask(MessageText(249), BoxKind::kWarning, BoxButtons::kOk);
    return std::nullopt;
  }
  return SaveTarget{path, entry.version};
}

formats::SaveRequest Application::SaveAsRequest(const SaveTarget& target,
                                                const store::e_object* story) const {
  formats::SaveRequest request;
  request.path = target.path;
  request.mode = formats::SaveMode::kSaveAs;
  request.version = target.version;
  request.save_cloaked = settings_.Bool(Key::kMenuFileSaveCloaked);
  request.first = story;
  request.story_only = story != nullptr;
  return request;
}

bool Application::SaveScriptAs() {
  const auto target = ChooseSaveTarget();
  if (!target) return false;
  if (!files_.StartSave(SaveAsRequest(*target, nullptr))) return false;
  if (settings_.Bool(Key::kMainSaveasUpdatesDefaultDir)) {
    std::string dir = platform::DirectoryOf(target->path);
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    settings_.SetText(Key::kConstantsDefaultDir, dir.empty() ? "c:" : dir);
  }
  return true;
}

bool Application::SaveStoryAs(store::e_object* line) {
  store::e_object* slug = line != nullptr ? store_.StoryStartOf(line) : nullptr;
  if (slug == nullptr || !store::IsSlugLine(*slug)) {
    Ask(MessageText(124), BoxKind::kInformation, BoxButtons::kOk);
    return false;
  }
  if (Excluded(*slug)) {
    Ask(MessageText(685), BoxKind::kWarning, BoxButtons::kOk);
    return false;
  }
  const auto target = ChooseSaveTarget();
  return target && files_.StartSave(SaveAsRequest(*target, slug));
}

std::optional<std::string> Application::StoryFolder(bool remote) {
  if (remote && settings_.Bool(Key::kMainDisableRemoteSave)) {
    Ask(MessageText(688), BoxKind::kInformation, BoxButtons::kOk);
    return std::nullopt;
  }
  const std::string dir =
      settings_.Text(remote ? Key::kConstantsRemoteOutputDir : Key::kConstantsDefaultDir);
  if (dir.empty()) {
    Ask(MessageText(remote ? 174 : 1099), BoxKind::kInformation, BoxButtons::kOk);
    return std::nullopt;
  }
  return Folder(dir);
}

std::optional<std::string> Application::StoryTarget(store::e_object* slug,
                                                    const std::string& folder) {
  if (slug == nullptr || !store::IsSlugLine(*slug) || slug->story == nullptr) {
    Ask(MessageText(124), BoxKind::kInformation, BoxButtons::kOk);
    return std::nullopt;
  }
  if (Excluded(*slug)) {
    Ask(MessageText(685), BoxKind::kWarning, BoxButtons::kOk);
    return std::nullopt;
  }
  const auto name = formats::StoryFileName(slug->story->story_id);
  if (!name) {
    Ask(MessageText(249), BoxKind::kWarning, BoxButtons::kOk);
    return std::nullopt;
  }
  return folder + *name;
}

bool Application::SaveStory(store::e_object* line, bool remote) {
  if (files_.save_in_progress()) {
    Ask(MessageText(976), BoxKind::kInformation, BoxButtons::kOk);
    return false;
  }
  const auto folder = StoryFolder(remote);
  if (!folder) return false;
  store::e_object* slug = line != nullptr ? store_.StoryStartOf(line) : nullptr;
  const auto target = StoryTarget(slug, *folder);
  if (!target) return false;
  const std::string shown = platform::BaseName(*target).substr(1);
  if (Ask(MessageText(platform::FileExists(*target) ? 914 : 686) + " " + shown + " " +
              MessageText(687) + " " + *folder,
          BoxKind::kConfirmation, BoxButtons::kOkCancel) != BoxAnswer::kOk) {
    ShowStatusMessage(MessageText(930));
    return false;
  }
  formats::SaveRequest request;
  request.path = *target;
  request.mode = formats::SaveMode::kStory;
  request.first = slug;
  request.story_only = true;
  return files_.StartSave(request);
}

int Application::SaveAllStories(store::e_object* first_selected, store::e_object* last_selected,
                                bool remote) {
  if (files_.save_in_progress()) {
    Ask(MessageText(976), BoxKind::kInformation, BoxButtons::kOk);
    return 0;
  }
  if (settings_.Bool(Key::kMainConfigurationLock) && settings_.Bool(Key::kMainDisableSaveOnLock)) {
    Ask(MessageText(500) + " " + MessageText(185) + " " + MessageText(363), BoxKind::kInformation,
        BoxButtons::kOk);
    return 0;
  }
  const auto folder = StoryFolder(remote);
  if (!folder) return 0;
  // A selection of several rows saves that range; otherwise every story is saved.
  const bool range =
      first_selected != nullptr && last_selected != nullptr && first_selected != last_selected;
  const int question = range ? (remote ? 926 : 1100) : 683;
  if (Ask(MessageText(question) + " " + *folder + "?", BoxKind::kConfirmation,
          BoxButtons::kOkCancel) != BoxAnswer::kOk) {
    return 0;
  }
  store::r_object* entry = range ? first_selected->story : store_.run_head()->next;
  store::r_object* stop = range ? last_selected->story->next : store_.run_end();
  int saved = 0;
  for (; entry != nullptr && entry != stop && entry != store_.run_end(); entry = entry->next) {
    store::e_object* slug = entry->line;
    if (slug == nullptr || Excluded(*slug)) continue;
    const auto name = formats::StoryFileName(entry->story_id);
    if (!name) continue;
    formats::SaveRequest request;
    request.path = *folder + *name;
    request.mode = formats::SaveMode::kOneOfStories;
    request.first = slug;
    request.story_only = true;
    // One story at a time: the next starts when the previous worker has finished.
    if (!files_.StartSave(request)) break;
    host_.loop.WaitUntil([this] { return !files_.save_in_progress(); }, -1);
    if (files_.save_error_code() == 0) ++saved;
  }
  hooks_.refresh_script_windows();
  return saved;
}

}  // namespace telvane::app
