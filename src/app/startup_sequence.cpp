// The 50 ms start-up states, then the service and housekeeping cycles.

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "app/application.h"
#include "platform/files.h"

namespace telvane::app {

using config::Key;
using platform::BoxButtons;
using platform::BoxKind;

namespace {

// Whether another process could be holding the catalogue: the open fails on a read-only
// directory, the write lock fails while another station reads it exclusively.
bool CanOpenExclusively(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return false;
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  const bool ok = ::fcntl(fd, F_OFD_SETLK, &lock) == 0;
  ::close(fd);
  return ok;
}

std::string IsoTime(const platform::LocalTime& t) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d", t.year % 10000,
                t.month % 100, t.day % 100, t.hour % 100, t.minute % 100, t.second % 100);
  return buffer;
}

}  // namespace

void Application::TimePromptTick() {
  // Stopped first and restarted last, so ticks never overlap even when a step waits.
  time_prompt_->Stop();
  try {
    if (startup_state_ < 4) {
      StartupStep();
    } else if (view_ == nullptr || (view_->EditorExists() && view_->RunOrderWindowExists())) {
      ServiceCycle();
    }
  } catch (...) {
    // A failing step must not stop the timer that drives the program.
  }
  if (!closing_ && time_prompt_) time_prompt_->Start(50);
}

void Application::StartupStep() {
  switch (startup_state_) {
    case 0:
      if (view_ != nullptr) view_->ReleaseSplash();
      if (host_.facts.screen_width < 800 && host_.facts.system_font_height > 16) {
        Ask(MessageText(1228), BoxKind::kWarning, BoxButtons::kOk);
      }
      if (prompt_output_ == nullptr) OpenPromptDevices();
      startup_state_ = 1;
      break;
    case 1:
      if (view_ != nullptr) view_->SetMainCaption(MainCaption());
      startup_state_ = 2;
      break;
    case 2:
      startup_state_ = 3;
      if (view_ != nullptr) view_->ShowNewsroomFeatures();
      break;
    case 3: {
      const std::string catalogue_path =
          paths_.File(CatalogueFileForLanguage(settings_.Text(Key::kLanguageLanguage).empty()
                                                   ? 'A'
                                                   : settings_.Text(Key::kLanguageLanguage)[0]));
      if (!CanOpenExclusively(catalogue_path)) {
        Ask(MessageText(1718), BoxKind::kWarning, BoxButtons::kOk);
      }
      if (view_ != nullptr && !view_->RunOrderWindowExists()) break;
      startup_complete_ = true;
      const bool first_pass = first_pass_pending_;
      first_pass_pending_ = false;
      if (first_pass) ShowStatusMessage("Telvane Started");
      if (!clipboard_monitor_) {
        clipboard_monitor_ = host_.timers.CreateTimer([this] { housekeeping_due_ = true; });
      }
      clipboard_monitor_->Start(500);
      startup_state_ = 4;
      if (view_ != nullptr) view_->FocusRunOrderGrid();
      start_time_ = IsoTime(host_.clock.LocalNow());
      if (first_pass) LoadCommandLineScript();
      if (view_ != nullptr) view_->BringWorkWindowsToFront();
      break;
    }
    default:
      break;
  }
}

void Application::LoadCommandLineScript() {
  if (settings_.Bool(Key::kMainConferenceLinkEnabled)) return;
  std::string path;
  for (const std::string& argument : arguments_) {
    if (!path.empty()) path += ' ';
    path += argument;
  }
  if (path.empty()) return;
  ShowStatusMessage(path);
  OpenScriptByName(path);
}

void Application::ServiceCycle() {
  // 1. and 4. The prompt output, the card's events and the prompt control steps. 2. and 3.
  //    (the card's one-time information, the timing displays) arrive with their windows.
  if (prompt_output_) prompt_output_->Service();
  engine_->ServiceCycle();
  // 4. A close deferred until the prompt stopped goes ahead now.
  if (close_after_prompt_stop_ && !hooks_.is_prompting()) {
    close_after_prompt_stop_ = false;
    close_confirmed_ = true;
    if (view_ != nullptr) view_->CloseMainWindow();
    close_confirmed_ = false;
    return;
  }
  // 5.
  if (housekeeping_due_) {
    housekeeping_due_ = false;
    HousekeepingCycle();
  }
  // 6.-9. Refreshes, the host debug window, a newly plugged USB controller and the editor's
  //    font box belong to the windows and devices that request them.
}

void Application::HousekeepingCycle() {
  if (config_dialog_open_ && !closing_) return;
  if (!housekeeping_second_kind_) {
    if (view_ != nullptr) view_->SetWindowsPasteEnabled(host_.clipboard.HasText());
    // An exchange of PNEW stories that waited for a transfer to end goes ahead.
    run_order_.RunPendingExchange();
  } else if (view_ != nullptr) {
    const platform::LocalTime now = host_.clock.LocalNow();
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", now.hour % 100, now.minute % 100,
                  now.second % 100);
    view_->ShowTimeOfDay(time);
  }
  housekeeping_second_kind_ = !housekeeping_second_kind_;
  StepConfigSaveCountdown();
}

void Application::StepConfigSaveCountdown() {
  if (config_save_countdown_ == 2) {
    config_save_countdown_ = 1;
  } else if (config_save_countdown_ == 1) {
    config_save_countdown_ = 0;
    config_file_stamp_ = platform::FileWriteStamp(config_path_);
  }
}

}  // namespace telvane::app
