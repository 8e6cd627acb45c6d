#pragma once

// RunGrid: the run order's grid, drawn cell by cell from RunGridModel, with the header row
// fixed above the scrolled story rows. Mouse and keys go to the model.

#include <QLabel>
#include <QTimer>
#include <array>
#include <functional>

#include "runorder/run_grid_model.h"
#include "runorder/ui/row_scroll_area.h"

namespace telvane::ui {

class RunGrid : public RowScrollArea {
  Q_OBJECT

 public:
  RunGrid(runorder::RunOrder& run_order, runorder::RunGridModel& model,
          const config::Settings& settings, QWidget* parent = nullptr);

  void set_message_text(std::function<QString(int)> text) { message_text_ = std::move(text); }
  // A dropped file is read (appended at the end of the script; true when it was). The text of
  // a "Quillbox" record joins the story under the drop; a receiver, when given, takes it for
  // the story's slug line instead.
  using FileReader = std::function<bool(const std::string& path)>;
  using TextReceiver = std::function<void(store::e_object* slug, const std::string& text)>;
  void set_drop_handlers(FileReader read_file, TextReceiver receive_text) {
    read_file_ = std::move(read_file);
    receive_text_ = std::move(receive_text);
  }
  // Re-reads the rows and redraws.
  void Refresh();
  int row_height() const { return row_height_; }
  // The row and column under a point of the viewport; row 0 is the header, -1 beyond.
  std::pair<int, int> CellAt(QPoint point) const;
  QRect CellRect(int row, int column) const;

 signals:
  void Request(const runorder::GridRequest& request);
  void TypedIdChanged(const QString& text);
  void StatusMessage(const QString& text);
  // The left button was released over a story's font cell.
  void FontCellReleased(int row);
  // The header row was drawn (the programme timing window follows the grid).
  void HeaderPainted();
  // A dropped file's story took its place: the prompt or editor is repositioned.
  void FileStoryPlaced();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void UpdateColumns();
  void UpdateScrollRange();
  void DragOver(int y);
  QString CellText(const runorder::Cell& cell) const;
  void PaintCell(QPainter& painter, int row, int column);
  void PaintRuns(QPainter& painter, const QRect& rect, const runorder::Cell& cell,
                 runorder::CellColours colours);

  runorder::RunOrder& run_;
  runorder::RunGridModel& model_;
  std::function<QString(int)> message_text_;
  FileReader read_file_;
  TextReceiver receive_text_;
  std::array<int, runorder::kGridColumns> widths_{};
  std::array<int, 6> configured_{};
  void ShowPresenterTip(int row, QPoint at);

  QLabel* presenter_panel_ = nullptr;
  QTimer presenter_time_;
  QTimer scroll_time_;
  int scroll_direction_ = 0;
  int last_y_ = 0;
};

}  // namespace telvane::ui
