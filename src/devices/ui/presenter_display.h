#pragma once

// The presenter's display: the soft card's field drawn through its colour tables, scaled to
// the window, on every frame of the screen. The card moves by one steady frame step per drawn
// frame, so late timer ticks never show as jumps. Keys stand in for a hand controller.

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>

#include "devices/display_link.h"
#include "devices/presenter_frame.h"
#include "devices/soft_card.h"

namespace telvane::ui {

class TPresenterDisplay : public QWidget {
  Q_OBJECT

 public:
  struct Options {
    bool mirror_horizontal = false;
    bool mirror_vertical = false;
    double refresh_hz = 60;
    std::ostream* frame_log = nullptr;  // one line per frame: number, advance, position, speed
    // The card in the operator's own program shares the program's clock with the engine;
    // the display then moves the card to that time instead of stepping a frame period.
    std::function<std::int64_t()> clock_us;
  };

  // link is null for the soft card in this process: its events stay for the engine to read.
  TPresenterDisplay(devices::SoftCard& card, devices::DisplayLink* link, Options options,
                    QWidget* parent = nullptr);

  // The field as the card holds it now, at its own resolution; false when it cannot be written.
  bool WriteScreenshot(const std::string& path) const;
  // One frame: the card steps, its events go out, the picture is composed and drawn.
  void Frame();
  std::int64_t frames() const { return frames_; }

 signals:
  void ScreenshotRequested();
  void QuitRequested();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  devices::SoftCard& card_;
  devices::DisplayLink* link_;
  Options options_;
  QTimer frame_timer_;
  std::int64_t frame_us_ = 16'667;
  std::int64_t now_us_ = 0;
  std::int64_t frames_ = 0;
  devices::PresenterFramer framer_;
  devices::PresenterFrame frame_;
  QImage image_;
};

// The keys and what they do, for --help.
const char* PresenterDisplayKeys();

}  // namespace telvane::ui
