#pragma once

// The main window: menu bar, tool panel, status bar and the MDI area that holds the editor,
// the run order and the prompt preview.

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QPointer>
#include <QToolButton>
#include <functional>
#include <map>
#include <string>

#include "app/application.h"
#include "app/shell_view.h"
#include "app/ui/splash_window.h"
#include "editor/slug_dialog.h"
#include "editor/ui/edit_screen.h"

namespace telvane::ui {

class TMessageListForm;
class TPromptControl;
class TAdjustmentWindow;
class TRunScreen;
class TSlugForm;

class TMainForm : public QMainWindow, public app::ShellView {
  Q_OBJECT

 public:
  explicit TMainForm(app::Application& app);
  ~TMainForm() override;

  // Places a permanent window in the MDI area as a child with its own caption.
  QMdiSubWindow* AddChild(QWidget* child, const QSize& size, const QPoint& position);
  void SetSplash(TSplashWindow* splash) { splash_ = splash; }
  void SetRunScreen(TRunScreen* run_screen);
  void SetEditScreen(TEditScreen* edit_screen);
  void SetPreview(QWidget* preview) { preview_ = preview; }
  // The slug dialogue of Create Slug Line; the main window makes its window on first use.
  void SetSlugDialog(editor::SlugDialog* dialog) { slug_dialog_ = dialog; }
  // Makes, places and wires a new script editor (Help > Restore Edit Form, Window > Default).
  void SetEditorFactory(std::function<void()> make_editor) {
    make_editor_ = std::move(make_editor);
  }
  QMdiArea* mdi_area() const { return mdi_area_; }
  QLabel* status_line() const { return status_line_; }
  // The item (or submenu's action) of that name; null when there is none.
  QAction* Item(const QString& name) const;
  // The prompt button, its menu items and the restart and blank-screen controls follow the
  // engine.
  void SetPrompting(bool prompting);
  void SetBlanked(bool blanked);
  // View > Prompt Control Panel and the control button.
  void TogglePromptControl(bool show);
  // Items and buttons that follow the windows and the prompt are enabled again.
  void UpdateEnabling();

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
  void RecentFilesChanged() override;
  void SetEditChanged(bool changed) override;
  void NewsroomChanged() override;
  void ShowNewsroomFeatures() override;
  void OpenSlugDialog() override;
  void ShowTimeOfDay(std::string_view time) override;
  void ShowInsertMode(bool insert) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // main_form_menus.cpp
  void BuildMenus();
  void BindToggles();
  void DefineCommands();
  void DefineFileCommands();
  void DefineEditCommands();
  void DefineRunOrderCommands();
  void DefinePromptCommands();
  void DefineViewCommands();
  void DefineOptionsCommands();
  void DefineWindowCommands();
  void BindSetting(const char* item, config::Key key, std::function<void(bool)> after);
  void ChooseColour(std::size_t index);
  void ChoosePromptFont(int n);
  void ShowFontNames(bool defaults);
  void SelectPresenter(int n);
  void SelectFunction(int code);
  void CheckNewsroomItem();
  void SetPromptTracking(bool on);
  void ShiftFocus();
  void Escape();
  void DefaultLayout();
  void BringToFront(QWidget* window);
  void ClickRunOrderButton(const char* name);
  // After a command changed the script: the editor, run order and preview redraw.
  void ScriptChanged();

  // main_form.cpp
  void BuildToolPanel();
  void LayOutToolPanel();
  void BuildStatusBar();
  void LayOutStatusBar();
  void ApplyNetworkButtons();
  void RestartPrompt();
  void ToggleMessageList(bool show);
  void SetItemEnabled(const char* name, bool enabled);
  QString Text(int message) const;

  app::Application& app_;
  QMdiArea* mdi_area_ = nullptr;
  QWidget* tool_panel_ = nullptr;
  QWidget* status_panel_ = nullptr;
  QLabel* status_line_ = nullptr;
  QLabel* read_only_panel_ = nullptr;
  QLabel* run_order_end_panel_ = nullptr;
  QLabel* closed_caption_panel_ = nullptr;
  QWidget* nexus_panel_ = nullptr;
  QLabel* nexus_listening_panel_ = nullptr;
  QLabel* nexus_connected_panel_ = nullptr;
  QWidget* master_slave_panel_ = nullptr;
  QLabel* insert_panel_ = nullptr;
  QWidget* run_time_back_panel_ = nullptr;
  QLabel* run_time_panel_ = nullptr;
  QLabel* run_time_data_panel_ = nullptr;
  QLabel* edit_changed_panel_ = nullptr;
  QLabel* usb_battery_panel_ = nullptr;
  bool run_time_shows_clock_ = false;
  QString run_time_text_ = QStringLiteral("00:00:00");

  std::map<QString, QAction*> items_;
  std::map<QString, QMenu*> menus_;
  std::map<QString, std::function<void()>> commands_;
  std::map<QString, QToolButton*> buttons_;
  QAction* message_list_item_ = nullptr;
  QAction* prompt_control_item_ = nullptr;
  QToolButton* control_btn_ = nullptr;
  QToolButton* prompt_btn_ = nullptr;
  QPointer<TPromptControl> prompt_control_;
  QPointer<TMessageListForm> message_list_;
  QPointer<TSplashWindow> splash_;
  QPointer<TRunScreen> run_screen_;
  QPointer<TEditScreen> edit_screen_;
  QPointer<QWidget> preview_;
  QPointer<TSlugForm> slug_form_;
  QPointer<QWidget> help_form_;
  QPointer<TAdjustmentWindow> adjustment_window_;
  editor::SlugDialog* slug_dialog_ = nullptr;
  std::function<void()> make_editor_;
  // Which of the script, run order and control panel Shift Focus starts from.
  int focus_window_ = 0;
  QRect preview_place_before_max_;
};

}  // namespace telvane::ui
