#include "formats/script_files.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <memory>

#include "formats/native_file.h"
#include "platform/files.h"

namespace telvane::formats {

using config::Key;
using platform::BoxAnswer;
using platform::BoxButtons;
using platform::BoxKind;

namespace {

constexpr std::size_t kMaxScriptBytes = std::size_t{256} << 20;
constexpr std::array<Key, 8> kGapKeys{Key::kScriptF1Gap, Key::kScriptF2Gap, Key::kScriptF3Gap,
                                      Key::kScriptF4Gap, Key::kScriptF5Gap, Key::kScriptF6Gap,
                                      Key::kScriptF7Gap, Key::kScriptF8Gap};

Result<std::string> ReadAll(int fd) {
  std::string data;
  char block[8192];
  for (;;) {
    const ssize_t n = ::read(fd, block, sizeof block);
    if (n < 0) return Error{"read failed"};
    if (n == 0) return data;
    if (data.size() + static_cast<std::size_t>(n) > kMaxScriptBytes) return Error{"file too large"};
    data.append(block, static_cast<std::size_t>(n));
  }
}

// Runs on the save worker: only the copied bytes and the path, never the store.
int WriteTarget(const std::string& path, const std::string& bytes) {
  const std::string dir = platform::DirectoryOf(path);
  std::error_code ec;
  if (!dir.empty() && !std::filesystem::is_directory(dir, ec)) {
    std::filesystem::create_directories(dir, ec);
    if (ec) return kFolderMissing;
  }
  const bool existed = std::filesystem::exists(path, ec);
  if (!platform::WriteFileAtomically(path, bytes).ok()) {
    return existed ? kCannotReplace : kCannotCreate;
  }
  return kSaved;
}

}  // namespace

int SaveErrorMessage(int code) {
  switch (code) {
    case kSaved:
      return 0;
    case kOtherFileError:
      return 248;
    case kFolderMissing:
      return 629;
    case kCannotReplace:
      return 807;
    default:
      return 249;
  }
}

std::optional<std::string> StoryFileName(std::string_view story_id) {
  if (story_id.empty() || story_id.find('/') != std::string_view::npos ||
      story_id.find('\\') != std::string_view::npos ||
      story_id.find("..") != std::string_view::npos ||
      story_id.find('\0') != std::string_view::npos) {
    return std::nullopt;
  }
  return "Q" + std::string(story_id);
}

FontTable FontTableOf(const config::Settings& settings) {
  FontTable table;
  for (int i = 0; i < 8; ++i) {
    const auto& f = settings.PromptFont(i);
    table.fonts[static_cast<std::size_t>(i)] = {
        f.name, f.prompt_size, f.edit_size, settings.Int(kGapKeys[static_cast<std::size_t>(i)])};
  }
  table.selected = std::clamp(settings.Int(Key::kFontSelect), 0, 7);
  return table;
}

void ApplyFontTable(const FontTable& table, config::Settings& settings) {
  for (int i = 0; i < 8; ++i) {
    const FontEntry& f = table.fonts[static_cast<std::size_t>(i)];
    settings.SetPromptFont(i, {f.name, f.edit_size, f.prompt_size});
    settings.SetInt(kGapKeys[static_cast<std::size_t>(i)], f.spacing);
  }
  settings.SetInt(Key::kFontSelect, table.selected);
}

ScriptFiles::ScriptFiles(store::ScriptStore& store, config::Settings& settings, FileOperator& op,
                         platform::EventLoop& loop)
    : store_(store), settings_(settings), op_(op), loop_(loop) {}

ScriptFiles::~ScriptFiles() {
  *alive_ = false;
  if (worker_.joinable()) worker_.join();
}

store::e_object* ScriptFiles::PrepareInsertion() {
  store_.typing().style =
      static_cast<std::uint8_t>(std::clamp(settings_.Int(Key::kFontSelect), 0, 7) << 4);
  store_.typing().colour = static_cast<std::uint8_t>(store::colour_bit::kDefault);
  store::e_object* last = store_.last_line();
  if (store_.IsOnlyLine(last) && store::IsEmptyLine(*last)) return last;
  return store_.InsertLine(last, true);
}

bool ScriptFiles::ReadScriptFile(const std::string& path) {
  // 1.
  read_only_ = false;
  if (platform::EndsWithIgnoringCase(path, ".EXE") ||
      platform::EndsWithIgnoringCase(path, ".SYS") ||
      platform::EndsWithIgnoringCase(path, ".COM")) {
    load_abort_ = true;
    op_.Ask(op_.MessageText(191), BoxKind::kInformation, BoxButtons::kOk);
    return false;
  }
  // 2. and 3.
  handle_.Close();
  op_.SetScriptFileLocked(false);
  auto opened = SharedFile::Open(path, Access::kReadWrite, Share::kReadOnly);
  if (!opened) {
    if (!platform::FileExists(path)) {
      if (!polling_) op_.Ask(op_.MessageText(191), BoxKind::kInformation, BoxButtons::kOk);
      load_abort_ = true;
      return false;
    }
    if (polling_) {
      opened = SharedFile::Open(path, Access::kRead, Share::kReadOnly);
    } else if (op_.Ask(path + " " + op_.MessageText(812), BoxKind::kConfirmation,
                       BoxButtons::kOkCancel) == BoxAnswer::kOk) {
      opened = SharedFile::Open(path, Access::kRead, Share::kReadAndWrite);
    } else {
      current_file_name_.clear();
      load_abort_ = true;
      return false;
    }
    if (!opened) {
      if (!polling_) op_.Ask(op_.MessageText(191), BoxKind::kInformation, BoxButtons::kOk);
      load_abort_ = true;
      return false;
    }
    read_only_ = true;
    if (!polling_) op_.SetReadOnlyPanel(op_.MessageText(771));
  } else {
    op_.SetReadOnlyPanel("");
  }
  handle_ = std::move(*opened);
  auto data = ReadAll(handle_.fd());
  if (!data) {
    handle_.Close();
    op_.Ask(op_.MessageText(191) + ": " + path, BoxKind::kError, BoxButtons::kOk);
    load_abort_ = true;
    return false;
  }

  // 4. and 5.
  load_abort_ = false;
  load_corrected_ = false;
  const FileFormat format = DetectFileFormat(std::string_view(*data).substr(0, 8));
  const int message = FormatMessage(format);
  const auto status_text = [&] {
    const bool wide = IsUnicodeNative(format);
    return op_.MessageText(399) + (wide ? ": " : " ") + op_.MessageText(message);
  };
  if (message != 0 && !FormatMessageAfterReading(format)) op_.ShowStatusMessage(status_text());

  const int version = NativeVersionOf(format);
  bool read = false;
  bool keep_handle = false;
  if (version != 0) {
    ReportNativeRead(version, IsUnicodeNative(format), *data);
    read = !load_abort_;
    keep_handle = settings_.Bool(Key::kScriptMultiUser) &&
                  (format == kNativeV4 || format == kNativeV5 || IsUnicodeNative(format));
  } else {
    // Formats whose readers this station does not have read nothing.
    load_abort_ = true;
    op_.Ask(op_.MessageText(191) + ": " + path, BoxKind::kInformation, BoxButtons::kOk);
  }
  if (read && message != 0 && FormatMessageAfterReading(format)) {
    op_.ShowStatusMessage(status_text());
  }
  // 6.
  if (!keep_handle || polling_ || read_only_) handle_.Close();
  op_.SetScriptFileLocked(handle_.is_open());
  store_.current_line() = store_.last_line();
  return read;
}

void ScriptFiles::ReportNativeRead(int version, bool unicode, const std::string& data) {
  FontTable fonts = FontTableOf(settings_);
  const bool was_empty =
      store_.IsOnlyLine(store_.first_line()) && store::IsEmptyLine(*store_.first_line());
  store::e_object* insertion = PrepareInsertion();
  if (insertion == nullptr) {
    load_abort_ = true;
    return;
  }
  NativeReadSetup setup;
  setup.fonts = &fonts;
  setup.configuration_lock = settings_.Bool(Key::kMainConfigurationLock);
  setup.script_was_empty = was_empty;
  setup.read_only = read_only_;
  setup.default_keyboard_layout = store_.typing().keyboard_language;
  setup.keep_fonts_and_continue = [this] {
    return op_.Ask(op_.MessageText(308), BoxKind::kWarning, BoxButtons::kOkCancel) ==
           BoxAnswer::kOk;
  };
  open_story_id_.clear();
  const NativeReadResult r = ReadNativeFile(data, version, unicode, store_, insertion, setup);
  open_story_id_ = r.open_story_id;
  load_corrected_ = r.corrected || version == 1;
  switch (r.error) {
    case NativeReadError::kNone:
      if (r.fonts_differed) {
        ApplyFontTable(fonts, settings_);
        if (on_fonts_changed) on_fonts_changed();
      }
      break;
    case NativeReadError::kBadHeader:
      load_abort_ = true;
      op_.Ask(op_.MessageText(24) + " " + op_.MessageText(26), BoxKind::kError, BoxButtons::kOk);
      return;
    case NativeReadError::kBadRecord:
      load_abort_ = true;
      op_.Ask(op_.MessageText(24) + " " + op_.MessageText(25), BoxKind::kError, BoxButtons::kOk);
      return;
    case NativeReadError::kAborted:
      load_abort_ = true;
      return;
  }
  if (load_corrected_) op_.Ask(op_.MessageText(762), BoxKind::kWarning, BoxButtons::kOk);
  if (settings_.Bool(Key::kPresenterEnabled) && r.fonts_differed && version != 1) {
    op_.Ask(op_.MessageText(869), BoxKind::kWarning, BoxButtons::kOk);
  }
}

bool ScriptFiles::SaveScript() {
  if (settings_.Bool(Key::kMainConfigurationLock) && settings_.Bool(Key::kMainDisableSaveOnLock)) {
    op_.Ask(op_.MessageText(500) + " " + op_.MessageText(185) + " " + op_.MessageText(363),
            BoxKind::kInformation, BoxButtons::kOk);
    return false;
  }
  SaveRequest request;
  request.path = current_file_name_;
  request.mode = SaveMode::kScript;
  return StartSave(request);
}

bool ScriptFiles::StartSave(const SaveRequest& request) {
  if (save_in_progress_) {
    op_.Ask(op_.MessageText(976), BoxKind::kInformation, BoxButtons::kOk);
    return false;
  }
  const bool own_file = request.path == current_file_name_;
  if (read_only_ && own_file) {
    op_.Ask(op_.MessageText(813), BoxKind::kInformation, BoxButtons::kOk);
    return false;
  }
  NativeWriteSetup setup;
  setup.version = request.version;
  setup.save_cloaked = request.save_cloaked;
  setup.story_only = request.story_only;
  setup.presenter_enabled = settings_.Bool(Key::kPresenterEnabled);
  const store::e_object* first = request.first != nullptr ? request.first : store_.first_line();
  std::string bytes = WriteNativeFile(store_, first, FontTableOf(settings_), setup);

  // A file another station holds open for writing is not replaced behind its back.
  if (own_file) handle_.Close();
  if (platform::FileExists(request.path) &&
      !SharedFile::Open(request.path, Access::kReadWrite, Share::kReadAndWrite).ok()) {
    save_in_progress_ = true;
    FinishSave(request, kCannotReplace, 0);
    return true;
  }
  if (worker_.joinable()) worker_.join();
  save_in_progress_ = true;
  try {
    worker_ = std::thread([this, alive = alive_, request, bytes = std::move(bytes)] {
      const int busy = busy_owner_.load();
      const int code = busy != 0 ? kSaved : WriteTarget(request.path, bytes);
      loop_.Post([this, alive, request, code, busy] {
        if (*alive) FinishSave(request, code, busy);
      });
    });
  } catch (const std::system_error&) {
    save_in_progress_ = false;
    op_.Ask(op_.MessageText(249), BoxKind::kWarning, BoxButtons::kOk);
    return false;
  }
  return true;
}

void ScriptFiles::FinishSave(const SaveRequest& request, int code, int busy) {
  if (worker_.joinable()) worker_.join();
  save_in_progress_ = false;
  last_save_code_ = busy != 0 ? kSaved : code;
  if (busy != 0) {
    op_.Ask(op_.MessageText(busy == 1 ? 872 : 887), BoxKind::kWarning, BoxButtons::kOk);
  } else {
    if (code != kSaved) {
      op_.Ask(op_.MessageText(SaveErrorMessage(code)), BoxKind::kWarning, BoxButtons::kOk);
    }
    op_.ShowStatusMessage(op_.MessageText(876));
  }
  const bool multi_user = settings_.Bool(Key::kScriptMultiUser) && !polling_;
  if (busy == 0 && code == kSaved) {
    switch (request.mode) {
      case SaveMode::kScript:
      case SaveMode::kSaveAs: {
        if (request.story_only) break;  // Save Story As changes nothing further
        op_.ScriptSaved(request.path);
        if (request.mode == SaveMode::kScript) store_.MarkChanged(false);
        if (request.mode == SaveMode::kSaveAs) {
          current_file_name_ = platform::ReplaceExtension(request.path, ".tvl");
          read_only_ = false;
        }
        break;
      }
      case SaveMode::kStory:
      case SaveMode::kOneOfStories: {
        store::e_object* first = const_cast<store::e_object*>(request.first);
        if (first != nullptr) {
          first->flags2 |= store::line_state::kStorySaved;
          first->flags &= ~store::line_flag::kStatusMask;
        }
        std::string name = platform::BaseName(request.path);
        if (name.size() > 1 && name[0] == 'Q') name.erase(0, 1);
        open_story_id_ = name;
        break;
      }
    }
  }
  // The station keeps holding its script file, as it did before the save.
  if (multi_user && (request.mode == SaveMode::kScript || request.path == current_file_name_) &&
      !handle_.is_open() && platform::FileExists(current_file_name_)) {
    if (auto held = SharedFile::Open(current_file_name_, Access::kReadWrite, Share::kReadOnly)) {
      handle_ = std::move(*held);
    }
  }
  if (multi_user && busy == 0 && code == kSaved &&
      (request.mode == SaveMode::kStory || request.mode == SaveMode::kOneOfStories) &&
      handle_.is_open()) {
    if (op_.Ask(op_.MessageText(814), BoxKind::kConfirmation, BoxButtons::kYesNo) ==
        BoxAnswer::kYes) {
      handle_.Close();
      read_only_ = true;
      op_.SetReadOnlyPanel(op_.MessageText(771));
    } else {
      op_.SetReadOnlyPanel("");
    }
  }
  op_.SetScriptFileLocked(handle_.is_open());
  if (on_save_finished) on_save_finished(last_save_code_);
}

}  // namespace telvane::formats
