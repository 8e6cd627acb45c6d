#pragma once

// The main window: menu bar, tool panel, status bar and the MDI area that holds the editor,
// the run order and the prompt preview.

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QPointer>
#include <QToolBar>
#include <QToolButton>

#include "app/application.h"
#include "app/shell_view.h"
#include "app/ui/splash_window.h"
#include "editor/ui/edit_screen.h"

namespace telvane::ui {

class TMessageListForm;
class TPromptControl;

class TMainForm : public QMainWindow, public app::ShellView {
  Q_OBJECT

 public:
  explicit TMainForm(app::Application& app);
  ~TMainForm() override;

  // Places a permanent window in the MDI area as a child with its own caption.
  QMdiSubWindow* AddChild(QWidget* child, const QSize& size, const QPoint& position);
  void SetSplash(TSplashWindow* splash) { splash_ = splash; }
  void SetRunScreen(QWidget* run_screen) { run_screen_ = run_screen; }
  void SetEditScreen(TEditScreen* edit_screen) { edit_screen_ = edit_screen; }
  QMdiArea* mdi_area() const { return mdi_area_; }
  QLabel* status_line() const { return status_line_; }
  // The prompt button, its menu items and the restart and blank-screen controls follow the
  // engine.
  void SetPrompting(bool prompting);
  void SetBlanked(bool blanked);
  // View > Prompt Control Panel and the control button.
  void TogglePromptControl(bool show);

  // app::ShellView
  void SetStatusText(std::string_view text, std::uint32_t background,
                     std::uint32_t foreground) override;
  void SetMainCaption(std::string_view caption) override;
  void RefreshMessageList(const std::deque<std::string>& entries) override;
  void OpenConfigChooser(app::ConfigChooser& chooser) override;
  void ReleaseSplash() override;
  bool RunOrderWindowExists() const override { return !run_screen_.isNull(); }
  bool EditorExists() const override { return !edit_screen_.isNull(); }
  void FocusRunOrderGrid() override;
  void BringWorkWindowsToFront() override;
  void RestoreAfterRefusedClose() override;
  void CloseMainWindow() override { close(); }
  void SetWindowsPasteEnabled(bool enabled) override;
  void SetBusy(bool busy) override { setEnabled(!busy); }
  void SetReadOnlyPanel(std::string_view text) override;
  void SetBackgroundMessage(std::string_view text) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void BuildToolPanel();
  void BuildPromptMenu(QMenu* prompt);
  void RestartPrompt();
  void BuildStatusBar();
  void ToggleMessageList(bool show);

  app::Application& app_;
  QMdiArea* mdi_area_ = nullptr;
  QToolBar* tool_panel_ = nullptr;
  QLabel* status_line_ = nullptr;
  QLabel* read_only_panel_ = nullptr;
  QAction* message_list_item_ = nullptr;
  QAction* save_setup_exit_item_ = nullptr;
  QAction* delete_configuration_item_ = nullptr;
  QAction* multiple_configuration_item_ = nullptr;
  QAction* windows_paste_item_ = nullptr;
  QAction* prompt_on_item_ = nullptr;
  QAction* prompt_off_item_ = nullptr;
  QAction* restart_item_ = nullptr;
  QAction* blank_item_ = nullptr;
  QAction* prompt_control_item_ = nullptr;
  QToolButton* control_btn_ = nullptr;
  QPointer<TPromptControl> prompt_control_;
  QToolButton* prompt_btn_ = nullptr;
  QToolButton* restart_btn_ = nullptr;
  QToolButton* prompt_black_btn_ = nullptr;
  QPointer<TMessageListForm> message_list_;
  QPointer<TSplashWindow> splash_;
  QPointer<QWidget> run_screen_;
  QPointer<TEditScreen> edit_screen_;
};

}  // namespace telvane::ui
