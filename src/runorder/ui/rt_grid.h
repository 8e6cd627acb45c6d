#pragma once

// RtGrid: the programme timing window's grid, drawn cell by cell from ProgramTiming, with the
// header row fixed above the scrolled rows and one selected row.

#include <array>
#include <functional>

#include "runorder/program_timing.h"
#include "runorder/ui/row_scroll_area.h"

namespace telvane::ui {

class RtGrid : public RowScrollArea {
  Q_OBJECT

 public:
  RtGrid(runorder::ProgramTiming& model, std::array<int, 8> widths, int row_height,
         QWidget* parent = nullptr);

  void set_message_text(std::function<QString(int)> text) { message_text_ = std::move(text); }
  void Refresh();
  int selected_row() const { return selected_; }
  void Select(int row);
  const std::array<int, 8>& widths() const { return widths_; }
  std::pair<int, int> CellAt(QPoint point) const;
  QRect CellRect(int row, int column) const;
  QString CellText(int row, int column) const;

 signals:
  void SelectionChanged(int row);
  void DoubleClicked(int row, int column);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  int Width(int column) const;
  std::array<int, runorder::kTimingColumns> Widths() const;
  void UpdateScrollRange();

  runorder::ProgramTiming& model_;
  std::function<QString(int)> message_text_;
  std::array<int, 8> widths_;
  int selected_ = 0;
};

}  // namespace telvane::ui
