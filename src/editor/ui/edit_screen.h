#pragma once

// The script editor window: draws the rows that the editing model lays out and forwards
// keys, mouse and scroll bars to it.

#include <QLabel>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "config/settings.h"
#include "editor/edit_hooks.h"
#include "editor/editor_model.h"
#include "editor/row_layout.h"
#include "editor/ui/qt_edit_font_metrics.h"
#include "store/script_store.h"

namespace telvane::ui {

class TEditScreen : public QWidget {
  Q_OBJECT

 public:
  explicit TEditScreen(store::ScriptStore& store, const config::Settings& settings,
                       QWidget* parent = nullptr);
  ~TEditScreen() override;

  void SetBackgroundMessage(const QString& text);

  // Where story entries are made, moved and removed, and how edits while prompting reach
  // the scroll engine; the editor's own defaults stand in until these are set.
  void SetRunOrderEdits(editor::RunOrderEdits& run_order);
  void SetPromptEditHooks(editor::PromptEditHooks& prompt);

  // Fonts, sizes, colours and typing options are read again from the settings.
  void ApplySettings();
  // "&Hard Carriage Returns" of the View menu.
  void SetShowHardReturns(bool on);
  // "Disable Editing While Polling" with a newsroom link running.
  void SetEditingDisabled(bool disabled);
  // The store changed outside the editor.
  void Redraw();

  editor::EditorModel& model() { return *model_; }
  int row_height() const { return row_metrics_.row_height; }
  int text_left() const;
  int rows_top() const;

 signals:
  // A refusal for the status line (a character the line's character set cannot hold).
  void StatusMessage(const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  void RebuildModel();
  void LayOutPanels();
  editor::RowOptions RowOptionsNow() const;
  int VisibleRows() const;
  int TextAreaRight() const;
  void AfterInput();
  void SyncScrollBars();
  void OnVerticalAction(int action);
  void PaintRow(QPainter& painter, const store::e_object& line, int y);
  void PaintCaret(QPainter& painter);
  store::e_object* LineAtRow(int row) const;

  store::ScriptStore& store_;
  const config::Settings& settings_;
  editor::StoreRunOrderEdits own_run_order_;
  editor::PromptEditHooks own_prompt_;
  editor::RunOrderEdits* run_order_;
  editor::PromptEditHooks* prompt_;
  std::unique_ptr<editor::EditorModel> model_;
  std::unique_ptr<QtEditFontMetrics> metrics_;
  editor::EditorColours colours_;
  editor::RowMetrics row_metrics_;
  std::unique_ptr<editor::RowLayouter> layouter_;
  bool show_hard_returns_ = false;
  bool editing_disabled_ = false;
  int scroll_x_ = 0;
  bool caret_on_ = false;
  const store::e_object* index_line_ = nullptr;
  int index_line_count_ = -1;
  long long current_index_ = 0;

  QLabel* background_message_ = nullptr;
  QWidget* left_panel_ = nullptr;
  QWidget* prompt_line_panel_ = nullptr;
  QScrollBar* vert_scroll_bar_ = nullptr;
  QScrollBar* horiz_scroll_bar_ = nullptr;
  QTimer* time_cursor_ = nullptr;
};

}  // namespace telvane::ui
