#include "runorder/ui/rt_grid.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "platform/qt/qt_host.h"
#include "store/code_pages.h"

namespace telvane::ui {

RtGrid::RtGrid(runorder::ProgramTiming& model, std::array<int, 8> widths, int row_height,
               QWidget* parent)
    : RowScrollArea(parent), model_(model), widths_(widths) {
  row_height_ = row_height;
  setObjectName(QStringLiteral("RtGrid"));
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(),
          qOverload<>(&QWidget::update));
  UpdateScrollRange();
}

void RtGrid::Refresh() {
  if (selected_ > model_.line_rows()) selected_ = 0;
  UpdateScrollRange();
  viewport()->update();
}

void RtGrid::Select(int row) {
  selected_ = row >= 1 && row <= model_.line_rows() ? row : 0;
  viewport()->update();
  emit SelectionChanged(selected_);
}

int RtGrid::Width(int column) const {
  if (column < 8) return widths_[static_cast<std::size_t>(column)];
  int used = 0;
  for (const int w : widths_) used += w;
  return std::max(0, viewport()->width() - used);
}

std::array<int, runorder::kTimingColumns> RtGrid::Widths() const {
  std::array<int, runorder::kTimingColumns> widths{};
  for (int c = 0; c < runorder::kTimingColumns; ++c) widths[static_cast<std::size_t>(c)] = Width(c);
  return widths;
}

std::pair<int, int> RtGrid::CellAt(QPoint p) const {
  return RowScrollArea::CellAt(p, Widths());
}

QRect RtGrid::CellRect(int row, int column) const {
  return RowScrollArea::CellRect(row, column, Widths());
}

void RtGrid::UpdateScrollRange() {
  RowScrollArea::UpdateScrollRange(model_.RowCount(VisibleRows()));
}

QString RtGrid::CellText(int row, int column) const {
  const runorder::Cell cell = row == 0 ? model_.HeaderCell(column) : model_.DataCell(row, column);
  QString text = QString::fromStdString(
      store::CodePageToUtf8(cell.text, store::CodePageOfCharset(cell.charset)));
  if (cell.message != 0 && message_text_) text += message_text_(cell.message);
  return text;
}

void RtGrid::resizeEvent(QResizeEvent* event) {
  RowScrollArea::resizeEvent(event);
  UpdateScrollRange();
}

void RtGrid::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), platform::qt::ColourOf(model_.options().run_b));
  const int last = std::min(top_row() + VisibleRows(), model_.line_rows());
  const auto paint = [&](int row, int column) {
    const QRect rect = CellRect(row, column);
    if (rect.width() <= 0) return;
    const runorder::CellColours colours =
        row == 0 ? runorder::ProgramTiming::HeaderColours()
                 : model_.Colours(row, column, row == selected_, hasFocus());
    painter.fillRect(rect, platform::qt::ColourOf(colours.background));
    painter.setPen(QColor(0xC0, 0xC0, 0xC0));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.setPen(platform::qt::ColourOf(colours.text));
    const QString text = CellText(row, column);
    const bool centred = row != 0 && model_.DataCell(row, column).centred;
    painter.save();
    painter.setClipRect(rect);
    DrawCellText(painter, rect, text, centred);
    painter.restore();
  };
  for (int row = top_row(); row <= last; ++row) {
    for (int c = 0; c < runorder::kTimingColumns; ++c) paint(row, c);
  }
  for (int c = 0; c < runorder::kTimingColumns; ++c) paint(0, c);
}

void RtGrid::mousePressEvent(QMouseEvent* event) {
  const auto [row, column] = CellAt(event->position().toPoint());
  if (row >= 1 && column >= 0) Select(row);
}

void RtGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  const auto [row, column] = CellAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && model_.LineAt(row) != nullptr && column >= 0) {
    emit DoubleClicked(row, column);
  }
}

}  // namespace telvane::ui
