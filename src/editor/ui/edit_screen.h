#pragma once

// The script editor window: draws the rows that the editing model lays out and forwards
// keys, mouse and scroll bars to it. Above the rows: the font tool strip and the optional
// caption, macro, background message and background timer panels.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QStringList>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <memory>

#include "config/settings.h"
#include "editor/edit_hooks.h"
#include "editor/edit_panels.h"
#include "editor/editor_model.h"
#include "editor/font_panel.h"
#include "editor/row_layout.h"
#include "editor/ui/qt_edit_font_metrics.h"
#include "store/script_store.h"

namespace telvane::ui {

class TEditScreen : public QWidget {
  Q_OBJECT

 public:
  // The font strip writes the faces and sizes it is given into settings.
  explicit TEditScreen(store::ScriptStore& store, config::Settings& settings,
                       QWidget* parent = nullptr);
  ~TEditScreen() override;

  // The message panel's text; the panel shows while it holds text or is switched on.
  void SetBackgroundMessage(const QString& text);

  // Where story entries are made, moved and removed, and how edits while prompting reach
  // the scroll engine; the editor's own defaults stand in until these are set.
  void SetRunOrderEdits(editor::RunOrderEdits& run_order);
  void SetPromptEditHooks(editor::PromptEditHooks& prompt);
  // What the macro, background message, timer and font strip buttons start.
  void SetPanelHooks(editor::EditPanelHooks& hooks) { panel_hooks_ = &hooks; }

  // Fonts, sizes, colours and typing options are read again from the settings.
  void ApplySettings();
  // "&Hard Carriage Returns" of the View menu.
  void SetShowHardReturns(bool on);
  // "Disable Editing While Polling" with a newsroom link running.
  void SetEditingDisabled(bool disabled);
  // The store changed outside the editor.
  void Redraw();
  // The caret goes to line and column and the view follows it.
  void PlaceCaretAt(store::e_object* line, int column);

  // The scroll engine's marker beside the line on the prompt output, red while prompting;
  // null hides it. The marker follows the line when the line is deleted.
  void SetPromptLine(const store::e_object* line, bool prompting);

  // The optional panels (View and Options menu items).
  void SetFontPanelVisible(bool on);
  void SetCaptionPanelVisible(bool on);
  void SetMacroPanelVisible(bool on);
  void SetBackgroundMessagePanelVisible(bool on);
  void SetBackgroundTimerPanelVisible(bool on);
  void SetEnpsRefreshVisible(bool on);
  // The caption display list (the last lines sent to the caption output).
  void SetCaptionData(const QStringList& lines);
  // The background timer's remaining time on its button, counting; negative when stopped.
  void ShowBackgroundTimer(long long remaining_seconds);

  editor::EditorModel& model() { return *model_; }
  int row_height() const { return row_metrics_.row_height; }
  int text_left() const;
  int rows_top() const;
  int split_left() const { return split_left_; }

 signals:
  // A refusal for the status line (a character the line's character set cannot hold).
  void StatusMessage(const QString& text);
  // The font strip changed a face or size of a prompt font: the prompt measures again.
  void FontsChanged();
  // A right click in the margin: the story becomes the run-order grid's top row.
  void ShowStoryInRunOrder(store::r_object* entry);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  void BuildFontPanel();
  void BuildOptionalPanels();
  void RebuildModel();
  void LayOutPanels();
  void RefreshFontStrip();
  void FontChanged(editor::FontChange change);
  bool StudioColumnShown() const;
  editor::RowOptions RowOptionsNow() const;
  int VisibleRows() const;
  int RowsBottom() const;
  int TextAreaRight() const;
  void AfterInput();
  void PlacePromptLine();
  void SyncScrollBars();
  void OnVerticalAction(int action);
  void PaintRow(QPainter& painter, const store::e_object& line, int y);
  void PaintCaret(QPainter& painter);
  store::e_object* LineAtRow(int row) const;

  store::ScriptStore& store_;
  config::Settings& settings_;
  editor::StoreRunOrderEdits own_run_order_;
  editor::PromptEditHooks own_prompt_;
  editor::EditPanelHooks own_panel_hooks_;
  editor::RunOrderEdits* run_order_;
  editor::PromptEditHooks* prompt_;
  editor::EditPanelHooks* panel_hooks_;
  editor::FontPanel font_panel_;
  std::unique_ptr<editor::EditorModel> model_;
  std::unique_ptr<QtEditFontMetrics> metrics_;
  editor::EditorColours colours_;
  editor::RowMetrics row_metrics_;
  std::unique_ptr<editor::RowLayouter> layouter_;
  bool show_hard_returns_ = false;
  bool editing_disabled_ = false;
  int scroll_x_ = 0;
  int split_left_;
  int split_wanted_;
  bool split_dragging_ = false;
  int split_grab_ = 0;
  bool caret_on_ = false;
  const store::e_object* index_line_ = nullptr;
  int index_line_count_ = -1;
  long long current_index_ = 0;
  store::LineRef prompt_line_;
  bool prompting_ = false;
  bool message_panel_on_ = false;

  QWidget* edit_font_panel_ = nullptr;
  QLineEdit* edit_font_number_ = nullptr;
  QComboBox* edit_font_box_ = nullptr;
  QLineEdit* edit_prompt_size_ = nullptr;
  QLineEdit* edit_script_size_ = nullptr;
  QToolButton* edit_return_btn_ = nullptr;
  QToolButton* edit_enps_refresh_btn_ = nullptr;
  QWidget* caption_panel_ = nullptr;
  QListWidget* caption_data_ = nullptr;
  QWidget* macro_panel_ = nullptr;
  QWidget* background_message_panel_ = nullptr;
  QLineEdit* background_message_ = nullptr;
  QWidget* background_timer_panel_ = nullptr;
  QLineEdit* background_timer_data_ = nullptr;
  QToolButton* background_timer_btn_ = nullptr;
  QWidget* left_panel_ = nullptr;
  QWidget* prompt_line_panel_ = nullptr;
  QWidget* split_panel_ = nullptr;
  QLabel* si_position_panel_ = nullptr;
  QScrollBar* vert_scroll_bar_ = nullptr;
  QScrollBar* horiz_scroll_bar_ = nullptr;
  QWidget* corner_panel_ = nullptr;
  QTimer* time_cursor_ = nullptr;
  QTimer* scroll_down_time_ = nullptr;
  QTimer* scroll_up_time_ = nullptr;
};

}  // namespace telvane::ui
