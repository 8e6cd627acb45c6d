// The close query and destruction.

#include "app/application.h"
#include "platform/files.h"

namespace telvane::app {

using config::Key;
using platform::BoxAnswer;
using platform::BoxButtons;
using platform::BoxKind;

bool Application::CloseQuery(bool system_shutdown) {
  bool allow = false;
  try {
    allow = [&] {
      // 1. A close deferred until the prompt stopped was confirmed already.
      if (!system_shutdown && !close_confirmed_ &&
          settings_.Bool(Key::kMainTelvaneCloseConfirmation) &&
          Ask(MessageText(1423), BoxKind::kConfirmation, BoxButtons::kOkCancel) != BoxAnswer::kOk) {
        return false;
      }
      // 2.
      close_cancelled_ = false;
      if (!system_shutdown && hooks_.is_prompting()) {
        if (Ask(MessageText(126), BoxKind::kConfirmation, BoxButtons::kOkCancel) ==
            BoxAnswer::kOk) {
          hooks_.request_prompt_stop();
          close_after_prompt_stop_ = true;
        } else {
          close_cancelled_ = true;
        }
        return false;
      }
      // 3. A save that did not complete keeps the program open: the script is never lost.
      if (!system_shutdown && store_.script_changed()) {
        const BoxAnswer answer =
            Ask(MessageText(11), BoxKind::kConfirmation, BoxButtons::kYesNoCancel);
        if (answer == BoxAnswer::kCancel) return false;
        if (answer == BoxAnswer::kYes && SaveScriptAndWait() != SaveOutcome::kSaved) {
          return false;
        }
      }
      // 4.
      if (config_save_countdown_ > 0) return false;
      // 6. (asked before anything is torn down, so Cancel leaves a working program)
      bool save_config = save_setup_on_exit();
      if (save_config && !system_shutdown &&
          platform::FileWriteStamp(config_path_) != config_file_stamp_) {
        const BoxAnswer answer =
            Ask(MessageText(270), BoxKind::kConfirmation, BoxButtons::kYesNoCancel);
        if (answer == BoxAnswer::kCancel) return false;
        save_config = answer == BoxAnswer::kYes;
      }
      // 5.
      ShutDownLinks();
      if (save_setup_on_exit()) {
        RewriteMasterConfig();
        // A configuration is written only by a program that finished starting.
        if (save_config && startup_complete_) (void)SaveConfiguration();
      }
      // 7.
      WaitForBusyWork();
      // 8. The feed socket, the prompt outputs, the card's closing command and the USB
      //    controller close here once they exist.
      return true;
    }();
  } catch (...) {
    Ask(MessageText(1477), BoxKind::kWarning, BoxButtons::kOk);
    allow = true;
  }
  if (!allow) {
    closing_ = false;
    if (view_ != nullptr) view_->RestoreAfterRefusedClose();
    ClearStatusLine();
  }
  return allow;
}

void Application::ShutDownLinks() {
  closing_ = true;
  if (clipboard_monitor_) clipboard_monitor_->Stop();
  if (time_prompt_) time_prompt_->Stop();
  // The prompt output first; the remote control, master/slave, serial and MOS links close
  // here in this order once they exist.
  if (prompt_output_) prompt_output_->Close();
  if (remote_prompting_) {
    engine_->RemoveLineHooks(remote_prompting_.get());
    remote_prompting_->Close();
  }
}

void Application::WaitForBusyWork() {
  const auto busy = [this] { return busy_.Any() || files_.save_in_progress(); };
  if (!busy()) return;
  ShowStatusMessage(MessageText(959) + ": " + MessageText(970));
  host_.loop.WaitUntil([&] { return !busy(); }, -1);
  ClearStatusLine();
}

void Application::Destroy() {
  if (destroyed_) return;
  destroyed_ = true;
  closing_ = true;
  // The devices and serial ports close with their owners.
  store_.FreeScriptStore();
  time_prompt_.reset();
  picture_rewrap_.reset();
  clipboard_monitor_.reset();
  status_message_timer_.reset();
  work_buffer_.clear();
  work_buffer_.shrink_to_fit();
}

}  // namespace telvane::app
