#pragma once

// The configuration chooser: pick, save under a new name, or delete a configuration file of
// the program directory.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/message_catalogue.h"
#include "platform/host.h"

namespace telvane::app {

enum class ChooserMode { kChoose, kSave, kDelete };

class ConfigChooser {
 public:
  // on_save receives the chosen path when saving; the shell saves the configuration there.
  ConfigChooser(ChooserMode mode, std::string program_dir, std::string current_config,
                const MessageCatalogue& catalogue, platform::Dialogs& dialogs,
                std::function<void(const std::string&)> on_save = {});

  ChooserMode mode() const { return mode_; }
  std::string Title() const;
  const std::string& Label() const { return catalogue_.Text(678); }
  // The "*.ini" files of the program directory without extension, sorted.
  const std::vector<std::string>& entries() const { return entries_; }

  std::string edit_text;
  void Click(std::size_t entry);
  // OK, double click or Enter; afterwards closed() tells whether the chooser went away.
  void Ok();
  void Cancel() { closed_ = true; }
  bool closed() const { return closed_; }
  // The configuration chosen or saved (full path), when OK took one.
  const std::optional<std::string>& chosen() const { return chosen_; }

 private:
  void Refresh();
  void Delete(const std::string& name, const std::string& path);

  ChooserMode mode_;
  std::string dir_;
  std::string current_;
  const MessageCatalogue& catalogue_;
  platform::Dialogs& dialogs_;
  std::function<void(const std::string&)> on_save_;
  std::vector<std::string> entries_;
  std::optional<std::string> chosen_;
  bool closed_ = false;
};

}  // namespace telvane::app
