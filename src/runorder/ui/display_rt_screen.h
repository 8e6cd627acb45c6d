#pragma once

// The programme timing window ("Program Timing"): stories and inserts with their times, the
// run time left, the programme timer and the difference between the two. It stays on top;
// closing it only hides it. The prompt engine feeds it the prompt position.

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "runorder/program_timing.h"

class QLabel;
class QProgressBar;
class QToolButton;

namespace telvane::ui {

class RtGrid;

class TDisplayRtScreen : public QWidget {
  Q_OBJECT

 public:
  TDisplayRtScreen(store::ScriptStore& store, const config::Settings& settings,
                   QWidget* parent = nullptr);

  void set_message_text(std::function<QString(int)> text);

  // --- What the prompt engine calls ---
  // The prompt position reached line (also once when a script is opened).
  void ShowRemainingTime(store::e_object* line);
  // The story on air changed: the remaining time from its slug line, and with prompt
  // tracking the grid follows it. Null when nothing is on air.
  void SetOnAirStory(store::r_object* entry);
  // The prompt passed a timing line.
  void InsertPassed(store::e_object* line);

  // The script changed: the rows are rebuilt 100 ms later.
  void RequestRedraw();
  // Repaints the rows as they are.
  void Repaint();
  // A new script: the insert queue, the offset and the insert timer start again.
  void Reset();
  // The settings changed.
  void SettingsChanged();

  // Geometry from section "Display RT", with the defaults taken from the main window.
  void RestorePlace(QSize main_window, QSize main_client);
  // The Help menu's reset: 290, 100, 600 by 400 at 120 dots per inch, else 240, 100, 550 by 250.
  void ResetPlace(int pixels_per_inch);
  // The window's place and column widths into section "Display RT".
  void SaveInto(config::Settings& settings) const;

  runorder::ProgramTiming& model() { return model_; }
  RtGrid* grid() const { return grid_; }

 signals:
  // The run time panel's text, also shown by the main window's run time panel.
  void RunTimeChanged(const QString& text);
  // Start and stop switch the Options menu's timer mode.
  void TimerModeChanged(bool on);
  // Auto Load put the run time into the timer's start value (the timer dialogue follows).
  void TimerStartLoaded(int hours, int minutes, int seconds);
  // A click on the timer panel: the timer panel command.
  void TimerPanelClicked();
  // Double-click on a row's status: the prompt starts (or jumps) at its line.
  void StartPromptAt(store::e_object* line);
  // Double-click on a row's text: the editor and the preview go to its line.
  void ShowLineInEditor(store::e_object* line);
  // Timing Cloak changed the story of line.
  void StoryTextChanged(store::e_object* line);
  // The window was closed (hidden): the View menu item is unchecked.
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QToolButton* AddButton(QWidget* panel, const char* name, int hint,
                         const std::function<void()>& action);
  void UpdateDisplays();
  void SyncInsertTimer();
  void UpdateButtons();
  QString Message(int n) const;

  store::ScriptStore& store_;
  const config::Settings& settings_;
  runorder::ProgramTiming model_;
  std::function<QString(int)> message_text_;
  RtGrid* grid_ = nullptr;
  QToolButton* cloak_btn_ = nullptr;
  QToolButton* start_btn_ = nullptr;
  QToolButton* pause_btn_ = nullptr;
  QToolButton* abort_btn_ = nullptr;
  QLabel* timer_panel_ = nullptr;
  QLabel* run_time_panel_ = nullptr;
  QLabel* difference_panel_ = nullptr;
  QLabel* status_text_ = nullptr;
  QProgressBar* timer_progress_ = nullptr;
  QProgressBar* prompt_progress_ = nullptr;
  QTimer redraw_delay_;
  QTimer insert_timer_;
  QTimer programme_timer_;
  QElapsedTimer clock_;
  QString last_run_time_;
};

}  // namespace telvane::ui
