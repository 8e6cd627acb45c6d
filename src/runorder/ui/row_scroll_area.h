#pragma once

// A grid of fixed-height rows under one header row that stays put: the run order grid and the
// programme timing grid. The vertical scroll bar's value is the top row (1-based).

#include <QAbstractScrollArea>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <span>
#include <utility>

namespace telvane::ui {

class RowScrollArea : public QAbstractScrollArea {
 public:
  explicit RowScrollArea(QWidget* parent = nullptr) : QAbstractScrollArea(parent) {}

  int top_row() const { return verticalScrollBar()->value(); }
  void SetTopRow(int row) { verticalScrollBar()->setValue(std::max(1, row)); }
  // Data rows that fit below the header.
  int VisibleRows() const { return std::max(1, viewport()->height() / row_height_ - 1); }

 protected:
  void UpdateScrollRange(int rows) {
    verticalScrollBar()->setRange(1, std::max(1, rows - VisibleRows()));
    verticalScrollBar()->setPageStep(std::max(1, VisibleRows()));
  }
  // The row (0 the header, -1 above it) and column (-1 outside) under a point.
  std::pair<int, int> CellAt(QPoint p, std::span<const int> widths) const {
    int column = -1;
    int x = 0;
    for (std::size_t c = 0; c < widths.size(); x += widths[c], ++c) {
      if (p.x() >= x && p.x() < x + widths[c]) {
        column = static_cast<int>(c);
        break;
      }
    }
    if (p.y() < row_height_) return {p.y() < 0 ? -1 : 0, column};
    return {top_row() + (p.y() - row_height_) / row_height_, column};
  }
  // The cell's rectangle; the header row stays at the top.
  QRect CellRect(int row, int column, std::span<const int> widths) const {
    int x = 0;
    for (int c = 0; c < column; ++c) x += widths[static_cast<std::size_t>(c)];
    const int y = row == 0 ? 0 : row_height_ * (row - top_row() + 1);
    return {x, y, widths[static_cast<std::size_t>(column)], row_height_};
  }

  // A cell's text, inset from its left edge, or centred but never left of the inset.
  static void DrawCellText(QPainter& painter, const QRect& rect, const QString& text,
                           bool centred) {
    if (centred) {
      const int left =
          std::max(rect.left() + kTextInset,
                   rect.center().x() - painter.fontMetrics().horizontalAdvance(text) / 2);
      painter.drawText(QRect(left, rect.top(), rect.right() - left, rect.height()),
                       Qt::AlignLeft | Qt::AlignVCenter, text);
    } else {
      painter.drawText(rect.adjusted(kTextInset, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
    }
  }

  static constexpr int kTextInset = 4;
  int row_height_ = 20;
};

}  // namespace telvane::ui
