// The commands of the main window that belong to no other subsystem: the recent files, File
// Delete, Zap, the newsroom system, the insert state and the About text.

#include <filesystem>
#include <system_error>

#include "app/application.h"
#include "platform/files.h"
#include "store/line_record.h"

namespace telvane::app {

using config::Key;
using platform::BoxAnswer;
using platform::BoxButtons;
using platform::BoxKind;

bool Application::OpenRecentFile(std::size_t index) {
  if (index >= recent_files_.entries().size()) return false;
  if (busy_.file_operation || busy_.transfer) {
    Ask(MessageText(873), BoxKind::kInformation, BoxButtons::kOk);
    return false;
  }
  // A copy: opening a missing entry removes it from the list.
  const std::string path = recent_files_.entries()[index];
  const bool loaded = OpenScriptByName(path);
  if (loaded) AddRecentFile(path);
  return loaded;
}

bool Application::FileDelete() {
  const auto path = host_.dialogs.ChooseOpenFile(
      MessageText(15), settings_.Text(Key::kConstantsDefaultDir), "All Files (*.*)|*.*");
  if (!path) return false;
  if (Ask(MessageText(16) + " " + *path, BoxKind::kConfirmation, BoxButtons::kYesNo) !=
      BoxAnswer::kYes) {
    return false;
  }
  std::error_code error;
  if (!std::filesystem::remove(*path, error) || error) {
    Ask(MessageText(702) + ": " + *path, BoxKind::kPlain, BoxButtons::kOk);
    return false;
  }
  return true;
}

bool Application::Zap() {
  const store::e_object* first = store_.first_line();
  if (store_.IsOnlyLine(first) && store::IsEmptyLine(*first)) return false;
  std::string question = MessageText(626);
  if (store_.script_changed()) question += " " + MessageText(627);
  question += "?";
  if (Ask(question, BoxKind::kConfirmation, BoxButtons::kOkCancel) != BoxAnswer::kOk) {
    return false;
  }
  store_.NewScript();
  hooks_.refresh_script_windows();
  return true;
}

bool Application::SelectNewsroom(NewsroomSystem system) {
  // 1. and 2.
  if (hooks_.remote_polling_on()) {
    Ask(MessageText(768), BoxKind::kInformation, BoxButtons::kOk);
    return false;
  }
  if (newsroom() == NewsroomSystem::kAvid && hooks_.avid_transfer()) {
    Ask(MessageText(997), BoxKind::kInformation, BoxButtons::kOk);
    return false;
  }
  // 3. to 5. The links of the systems arrive with their own subsystems; here the choice, its
  //    settings and the buttons that show it change.
  ApplyNewsroom(settings_, system);
  // 6.
  if (view_ != nullptr) view_->NewsroomChanged();
  ClearStatusLine();
  hooks_.refresh_script_windows();
  return true;
}

void Application::ToggleInsertMode() {
  settings_.SetBool(Key::kMenuInsert, !insert_mode());
  if (view_ != nullptr) view_->ShowInsertMode(insert_mode());
}

std::string Application::AboutText() const {
  return std::string("Telvane 32\n") + "Version " + TELVANE_VERSION + "\n\n" +
         store::LinkReportText(store_.CheckScriptLinks());
}

}  // namespace telvane::app
