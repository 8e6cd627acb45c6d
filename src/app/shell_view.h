#pragma once

// What the application shell asks of its windows. The main window implements it; tests
// record the calls.

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

namespace telvane::app {

class ConfigChooser;

class ShellView {
 public:
  virtual ~ShellView() = default;

  // The status line panel, in colours 0x00BBGGRR (0xFF0000nn: system colour nn).
  virtual void SetStatusText(std::string_view text, std::uint32_t background,
                             std::uint32_t foreground) = 0;
  virtual void SetMainCaption(std::string_view caption) = 0;
  // Copies the list into the message list window when that window is open.
  virtual void RefreshMessageList(const std::deque<std::string>& entries) = 0;
  // Opens the chooser window over the model; the shell waits until the model is closed.
  virtual void OpenConfigChooser(ConfigChooser& chooser) = 0;
  virtual void ReleaseSplash() = 0;
  virtual bool RunOrderWindowExists() const = 0;
  virtual bool EditorExists() const = 0;
  // Start-up state 3: focus the run order grid, then raise the run order and the editor.
  virtual void FocusRunOrderGrid() = 0;
  virtual void BringWorkWindowsToFront() = 0;
  // After a refused close: items, panels and the status line go back to their idle state.
  virtual void RestoreAfterRefusedClose() = 0;
  // Asks the main window to close (the close request runs again).
  virtual void CloseMainWindow() = 0;
  // The main window refuses input while the configuration is written.
  virtual void SetBusy(bool busy) = 0;
  // Housekeeping: the Windows paste items follow whether the clipboard holds text.
  virtual void SetWindowsPasteEnabled(bool enabled) = 0;
  // The read-only panel of the status bar.
  virtual void SetReadOnlyPanel(std::string_view text) = 0;
  // The editor's background message panel.
  virtual void SetBackgroundMessage(std::string_view text) = 0;
  // The File menu's recent entries changed.
  virtual void RecentFilesChanged() {}
  // The edit-changed panel: the script has unsaved changes.
  virtual void SetEditChanged(bool /*changed*/) {}
  // Another newsroom system was chosen: buttons, hints and items follow it.
  virtual void NewsroomChanged() {}
  // Start-up state 2: the newsroom features of the menus are shown.
  virtual void ShowNewsroomFeatures() {}
  // Create Slug Line on an ordinary line.
  virtual void OpenSlugDialog() {}
  // The housekeeping cycle's second kind: the time of day in the run time panel.
  virtual void ShowTimeOfDay(std::string_view /*time*/) {}
  // The insert panel shows insert or overtype.
  virtual void ShowInsertMode(bool /*insert*/) {}
};

}  // namespace telvane::app
