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

std::string ExtensionOf(const std::string& path) {
  const std::string name = platform::BaseName(path);
  const auto dot = name.find_last_of('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

}  // namespace

SaveOutcome Application::SaveScriptAndWait() {
  const bool started = files_.current_file_name().empty() ? SaveScriptAs() : files_.SaveScript();
  if (!started) return SaveOutcome::kCancelled;
  host_.loop.WaitUntil([this] { return !files_.save_in_progress(); }, -1);
  return files_.save_error_code() == 0 ? SaveOutcome::kSaved : SaveOutcome::kFailed;
}

bool Application::SaveScriptAs() {
  if (files_.save_in_progress()) {
    Ask(MessageText(976), BoxKind::kInformation, BoxButtons::kOk);
    return false;
  }
  auto chosen = host_.dialogs.ChooseSaveFileOfType(MessageText(59),
                                                   settings_.Text(Key::kConstantsDefaultDir),
                                                   kSaveFilter, save_filter_index_);
  if (!chosen) return false;
  std::string path = *chosen;
  const SaveEntry entry = EntryOf(save_filter_index_);
  if (!entry.extension.empty() && !SameNameIgnoringCase(ExtensionOf(path), entry.extension)) {
    const BoxAnswer answer =
        Ask(MessageText(518) + " ." + std::string(entry.extension.substr(1)) + " " +
                MessageText(519),
            BoxKind::kConfirmation, BoxButtons::kYesNoCancel);
    if (answer == BoxAnswer::kCancel) return false;
    if (answer == BoxAnswer::kYes) path = platform::ReplaceExtension(path, entry.extension);
  }
  if (path == files_.current_file_name() && files_.read_only()) {
    Ask(MessageText(813), BoxKind::kWarning, BoxButtons::kOk);
    return false;
  }
  if (platform::FileExists(path) &&
      Ask(platform::BaseName(path) + " " + MessageText(517), BoxKind::kWarning,
          BoxButtons::kOkCancel) != BoxAnswer::kOk) {
    return false;
  }
  if (entry.version == 0) {
    // Text and RTF exports come with their writers; until then the save is refused plainly.
    Ask(MessageText(249), BoxKind::kWarning, BoxButtons::kOk);
    return false;
  }
  formats::SaveRequest request;
  request.path = path;
  request.mode = formats::SaveMode::kSaveAs;
  request.version = entry.version;
  request.save_cloaked = settings_.Bool(Key::kMenuFileSaveCloaked);
  if (!files_.StartSave(request)) return false;
  if (settings_.Bool(Key::kMainSaveasUpdatesDefaultDir)) {
    std::string dir = platform::DirectoryOf(path);
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    settings_.SetText(Key::kConstantsDefaultDir, dir.empty() ? "c:" : dir);
  }
  return true;
}

}  // namespace telvane::app
