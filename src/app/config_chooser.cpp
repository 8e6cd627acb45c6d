#include "app/config_chooser.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "app/text_lines.h"
#include "config/master_config.h"
#include "platform/files.h"

namespace telvane::app {

namespace fs = std::filesystem;
using platform::BoxAnswer;
using platform::BoxButtons;
using platform::BoxKind;

ConfigChooser::ConfigChooser(ChooserMode mode, std::string program_dir, std::string current_config,
                             const MessageCatalogue& catalogue, platform::Dialogs& dialogs,
                             std::function<void(const std::string&)> on_save)
    : mode_(mode),
      dir_(std::move(program_dir)),
      current_(std::move(current_config)),
      catalogue_(catalogue),
      dialogs_(dialogs),
      on_save_(std::move(on_save)) {
  Refresh();
  if (mode_ != ChooserMode::kDelete) {
    edit_text = platform::ReplaceExtension(platform::BaseName(current_), "");
  }
}

std::string ConfigChooser::Title() const {
  switch (mode_) {
    case ChooserMode::kChoose:
      return "Select Configuration";
    case ChooserMode::kSave:
      return catalogue_.Text(677);
    case ChooserMode::kDelete:
      return catalogue_.Text(673);
  }
  return {};
}

void ConfigChooser::Refresh() {
  entries_.clear();
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(dir_, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.size() > 4 && platform::EndsWithIgnoringCase(name, ".ini") &&
        entry.is_regular_file(ec)) {
      entries_.push_back(name.substr(0, name.size() - 4));
    }
  }
  std::sort(entries_.begin(), entries_.end());
}

void ConfigChooser::Click(std::size_t entry) {
  if (entry < entries_.size()) edit_text = entries_[entry];
}

void ConfigChooser::Ok() {
  const std::string name(TrimBlanks(edit_text));
  if (name.empty()) return;
  if (!config::IsPlainConfigName(name)) {
    dialogs_.MessageBox("Invalid configuration name: " + name, BoxKind::kInformation,
                        BoxButtons::kOk);
    return;
  }
  const std::string path = dir_ + name + ".ini";
  switch (mode_) {
    case ChooserMode::kChoose:
      if (!platform::FileExists(path)) {
        dialogs_.MessageBox(catalogue_.Text(4), BoxKind::kInformation, BoxButtons::kOk);
        return;
      }
      chosen_ = path;
      closed_ = true;
      return;
    case ChooserMode::kSave:
      if (platform::FileExists(path) &&
          dialogs_.MessageBox(path + " " + catalogue_.Text(517), BoxKind::kConfirmation,
                              BoxButtons::kOkCancel) != BoxAnswer::kOk) {
        return;
      }
      chosen_ = path;
      if (on_save_) on_save_(path);
      closed_ = true;
      return;
    case ChooserMode::kDelete:
      Delete(name, path);
      return;
  }
}

void ConfigChooser::Delete(const std::string& name, const std::string& path) {
  if (platform::SameIgnoringCase(name, "telvn32") ||
      platform::SameIgnoringCase(platform::BaseName(current_), name + ".ini")) {
    dialogs_.MessageBox(catalogue_.Text(674), BoxKind::kInformation, BoxButtons::kOk);
    return;
  }
  if (dialogs_.MessageBox(catalogue_.Text(673) + ": " + name, BoxKind::kConfirmation,
                          BoxButtons::kOkCancel) != BoxAnswer::kOk) {
    return;
  }
  for (const char* ext : {".ini", ".tpl", ".tro"}) {
    std::error_code ec;
    fs::remove(platform::ReplaceExtension(path, ext), ec);
  }
  Refresh();
  edit_text.clear();
}

}  // namespace telvane::app
