#pragma once

// The prompt control panel: a small tool window over SpeedPanel that the operator steers the
// prompt speed and the story jumps from, by buttons, keys, the scroller or the mouse pad.

#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "prompt/speed_panel.h"

class QLabel;

namespace telvane::ui {

// The controls' hints, from the message catalogue.
struct PromptControlHints {
  std::string top;        // 503
  std::string previous;   // 504
  std::string next;       // 505
  std::string stop;       // 506
  std::string pause;      // 507
  std::string rate;       // 508
  std::string direction;  // 509
  std::string cue_up;     // 542
  std::string cue_down;   // 543
  std::string latch;      // 1000

  static PromptControlHints From(const std::function<std::string(int)>& message_text);
};

class TPromptControl : public QWidget {
  Q_OBJECT

 public:
  TPromptControl(std::unique_ptr<prompt::SpeedPanel> panel, const PromptControlHints& hints,
                 int pixels_per_inch, QWidget* parent = nullptr);
  ~TPromptControl() override;

  // What the scroll engine talks to while this window is open.
  prompt::SpeedPanel& panel() { return *panel_; }

 signals:
  // The operator closed the window; it deletes itself once control returns to the event loop.
  void Closed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QToolButton* AddButton(const char* name, const std::string& hint, QStyle::StandardPixmap picture,
                         bool toggle);
  void Refresh();
  void PlaceControls();
  void RememberPlace();

  std::unique_ptr<prompt::SpeedPanel> panel_;
  int pixels_per_inch_;
  QWidget* left_panel_ = nullptr;
  QWidget* centre_panel_ = nullptr;
  QWidget* right_panel_ = nullptr;
  // Top of script, previous story, next story, stop, pause.
  std::array<QToolButton*, 5> buttons_{};
  QScrollBar* speed_bar_ = nullptr;
  QWidget* mouse_pad_ = nullptr;
  QToolButton* cue_up_ = nullptr;
  QToolButton* cue_down_ = nullptr;
  QLabel* rate_ = nullptr;
  QToolButton* direction_ = nullptr;
  QToolButton* latch_ = nullptr;
};

}  // namespace telvane::ui
