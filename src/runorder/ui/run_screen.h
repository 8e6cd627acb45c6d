#pragma once

// The run order window: the tool panel of run order buttons above RunGrid. Created once at
// start-up, it lives until the program ends; closing it only hides it.

#include <QTimer>
#include <QWidget>
#include <functional>

#include "runorder/run_grid_model.h"

namespace telvane::store {
class ScriptStore;
}

namespace telvane::ui {

class RunGrid;
class TBlockMoveDlg;
class TChangeIDDlg;
class TChangeStoryFontDlg;
class TDisplayRtScreen;
class TInsertDlg;

class TRunScreen : public QWidget {
  Q_OBJECT

 public:
  TRunScreen(runorder::RunOrder& run_order, store::ScriptStore& store,
             const config::Settings& settings, QWidget* parent = nullptr);
  ~TRunScreen() override;

  // The catalogue's texts for the header and the button hints.
  void set_message_text(std::function<QString(int)> text);
  // The main window's pixels per inch: 120 lays the buttons out wider.
  void SetPixelsPerInch(int pixels_per_inch);
  // The restricted mode that hides PNEW: its button is hidden and takes no room.
  void SetRestrictedMode(bool hide_pnew);
  // The run order changed: rows, texts and times are read again.
  void Refresh();
  // The settings changed (the View and Run Order menu items): options are read again.
  void SettingsChanged();
  // The Run Order menu's Configuration item: the buttons' visibility, chosen in a dialogue.
  void OpenConfiguration();
  // Row (1-based) becomes the grid's top row.
  void ScrollRowToTop(int row);
  // With "Run Order Prompt Track" the grid follows the AIR story.
  void AirStoryChanged();
  // The editor changed the text of line: its story's time and the accumulated times after
  // it are counted again, and the programme timing window follows.
  void StoryEdited(store::e_object* line);
  // The Change Story Font dialogue (a double-click on a font cell, or the menu).
  void OpenStoryFontDialog();
  // What a dropped file does, and (when not null) who takes a "Quillbox" record's text
  // instead of the run order's own insertion (see RunGrid).
  void set_drop_handlers(std::function<bool(const std::string&)> read_file,
                         std::function<void(store::e_object*, const std::string&)> receive_text);
  // The remote control client's story list (empty while no client is connected) and how a
  // message reaches the client: a status double-click cues the story there first.
  void set_remote_control(std::function<std::vector<std::string>()> story_list,
                          std::function<void(const std::string&)> send);
  // The programme timing window, created with this window and hidden.
  TDisplayRtScreen* timing_screen() const { return timing_screen_; }
  RunGrid* grid() const { return grid_; }
  runorder::RunGridModel& model() { return model_; }

 signals:
  // The editor shows the story (double-click, Enter).
  void ShowInEditor(store::r_object* entry);
  // The prompt starts (or restarts) at the story: a double-click on its status.
  void StartPrompt(store::r_object* entry);
  // The main window's run-order end panel shows the typed identifier.
  void TypedIdChanged(const QString& text);
  void StatusMessage(const QString& text);
  // An information box with this text.
  void Information(const QString& text);
  // The configuration dialogue changed a button's visibility; the setting stores it.
  void ButtonVisibilityChanged(config::Key key, bool visible);
  // The remote save buttons: File > Save Run Order (Remote), Save Story (Remote) for the
  // selected story, Save All Stories (Remote) for the selected rows.
  void SaveRunOrderRemote();
  void SaveStoryRemote(store::r_object* entry);
  void SaveAllStoriesRemote(store::r_object* first, store::r_object* last);
  // A story was selected while the prompt is off: the prompt output is positioned at it.
  void PositionPrompt(store::r_object* entry);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void AddButton(const char* name, config::Key visible, int hint, std::function<void()> action);
  void LayOutButtons();
  void HandleRequest(const runorder::GridRequest& request);
  void SnapHeight();
  // Single instances, created on first use; each keeps its place between showings.
  template <typename Dialog>
  void Open(Dialog*& dialog);
  QString Message(int n) const;

  runorder::RunOrder& run_;
  const config::Settings& settings_;
  runorder::RunGridModel model_;
  std::function<QString(int)> message_text_;
  QWidget* tool_panel_ = nullptr;
  RunGrid* grid_ = nullptr;
  struct Button {
    QWidget* widget;
    config::Key key;
    int hint;
    bool visible;  // as configured; the restricted mode may hide it besides
  };
  std::vector<Button> buttons_;
  TInsertDlg* insert_dlg_ = nullptr;
  TBlockMoveDlg* block_move_dlg_ = nullptr;
  TChangeIDDlg* change_id_dlg_ = nullptr;
  TChangeStoryFontDlg* font_dlg_ = nullptr;
  TDisplayRtScreen* timing_screen_ = nullptr;
  std::function<std::vector<std::string>()> remote_story_list_;
  std::function<void(const std::string&)> send_remote_;
  int pixels_per_inch_ = 96;
  bool hide_pnew_ = false;
  QTimer update_font_time_;
  const store::r_object* last_selected_ = nullptr;
  QTimer resize_timer_;
  bool snapping_ = false;
};

}  // namespace telvane::ui
