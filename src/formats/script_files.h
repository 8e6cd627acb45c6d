#pragma once

// The current script file: opening any file into the store, saving the script or a story as
// a native file on a worker thread, and holding the file open for other stations to see.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "config/settings.h"
#include "formats/file_detection.h"
#include "formats/native_format.h"
#include "formats/shared_file.h"
#include "platform/host.h"
#include "store/script_store.h"

namespace telvane::formats {

// What the file commands need of the shell: its messages, questions and panels.
class FileOperator {
 public:
  virtual ~FileOperator() = default;
  virtual void ShowStatusMessage(std::string_view text) = 0;
  virtual platform::BoxAnswer Ask(std::string_view text, platform::BoxKind kind,
                                  platform::BoxButtons buttons) = 0;
  virtual const std::string& MessageText(int n) const = 0;
  virtual void SetReadOnlyPanel(std::string_view text) = 0;
  virtual void SetScriptFileLocked(bool locked) = 0;
  // A script was saved under path: it goes first in the recent files.
  virtual void ScriptSaved(const std::string& path) = 0;
};

// Results of a save worker, reported on the main thread.
enum SaveErrorCode : int {
  kSaved = 0,
  kCannotCreate = 1,
  kOtherFileError = 5,
  kFolderMissing = 1000,
  kCannotReplace = 1001,
};

// The catalogue text of a save result (0 for success).
int SaveErrorMessage(int code);

// The file name of a story file: "Q" and the identifier, or nothing when the identifier
// would leave the folder or cannot name a file.
std::optional<std::string> StoryFileName(std::string_view story_id);

FontTable FontTableOf(const config::Settings& settings);
void ApplyFontTable(const FontTable& table, config::Settings& settings);

enum class SaveMode { kSaveAs = 0, kScript = 1, kStory = 2, kOneOfStories = 3 };

struct SaveRequest {
  std::string path;
  SaveMode mode = SaveMode::kScript;
  int version = kNewestVersion;
  bool save_cloaked = true;
  const store::e_object* first = nullptr;  // null: the whole script
  bool story_only = false;
};

class ScriptFiles {
 public:
  ScriptFiles(store::ScriptStore& store, config::Settings& settings, FileOperator& op,
              platform::EventLoop& loop);
  ~ScriptFiles();
  ScriptFiles(const ScriptFiles&) = delete;
  ScriptFiles& operator=(const ScriptFiles&) = delete;

  // Appends the file after the last line; false when nothing was read.
  bool ReadScriptFile(const std::string& path);

  // Starts a save worker for the request. False when a guard refused it (a save running, a
  // read-only file) or the worker could not start; the result is reported when it ends.
  bool StartSave(const SaveRequest& request);
  // File > Save Script with the current name.
  bool SaveScript();

  const std::string& current_file_name() const { return current_file_name_; }
  void set_current_file_name(std::string name) { current_file_name_ = std::move(name); }
  bool read_only() const { return read_only_; }
  bool load_abort() const { return load_abort_; }
  bool load_corrected() const { return load_corrected_; }
  const std::string& open_story_id() const { return open_story_id_; }
  bool save_in_progress() const { return save_in_progress_; }
  int save_error_code() const { return last_save_code_; }
  bool holds_file() const { return handle_.is_open(); }
  // Remote directory polling changes how files are opened and held.
  void set_polling(bool on) { polling_ = on; }
  // A host download or an AP NewsCenter read owns the script: 1, 2 or 3 (0 none).
  std::atomic<int>& busy_owner() { return busy_owner_; }
  // Called when a file brought its own font table into the settings.
  std::function<void()> on_fonts_changed;
  // Called on the main thread after every save ends.
  std::function<void(int code)> on_save_finished;

 private:
  void FinishSave(const SaveRequest& request, int code, int busy);
  void ReportNativeRead(int version, bool unicode, const std::string& data);
  store::e_object* PrepareInsertion();

  store::ScriptStore& store_;
  config::Settings& settings_;
  FileOperator& op_;
  platform::EventLoop& loop_;
  std::string current_file_name_;
  SharedFile handle_;
  bool read_only_ = false;
  bool load_abort_ = false;
  bool load_corrected_ = false;
  bool polling_ = false;
  bool save_in_progress_ = false;
  int last_save_code_ = 0;
  std::atomic<int> busy_owner_{0};
  std::string open_story_id_;
  std::thread worker_;
  // Cleared when this goes away, so a worker's late report is dropped.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace telvane::formats
