#include "runorder/ui/run_grid.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <optional>

#include "platform/qt/qt_host.h"
#include "runorder/quillbox.h"
#include "store/code_pages.h"

namespace telvane::ui {

using runorder::RunGridModel;

namespace {

constexpr int kTimeColumnWidth = 56;
// The registered format, as another program offers it here and as Qt names a Windows
// clipboard format it carries.
const QString kQuillboxFormats[] = {
    QStringLiteral("Quillbox"), QStringLiteral("application/x-qt-windows-mime;value=\"Quillbox\"")};
// Longer names were never accepted by the drop.
constexpr qsizetype kMaxDroppedName = 254;

std::optional<QString> QuillboxFormat(const QMimeData* data) {
  for (const QString& format : kQuillboxFormats) {
    if (data->hasFormat(format)) return format;
  }
  return std::nullopt;
}

bool HasLocalFile(const QMimeData* data) {
  if (!data->hasUrls()) return false;
  const QList<QUrl> urls = data->urls();
  return std::any_of(urls.begin(), urls.end(), [](const QUrl& u) { return u.isLocalFile(); });
}

// Copy and link drops of a story's text or of files; a move from another program would
// take its text away.
bool Acceptable(const QDropEvent* event) {
  const Qt::DropActions allowed = event->possibleActions() & (Qt::CopyAction | Qt::LinkAction);
  return allowed != 0 && (QuillboxFormat(event->mimeData()) || HasLocalFile(event->mimeData()));
}

void AcceptCopyOrLink(QDropEvent* event) {
  event->setDropAction((event->possibleActions() & Qt::CopyAction) != 0 ? Qt::CopyAction
                                                                        : Qt::LinkAction);
  event->accept();
}

}  // namespace

RunGrid::RunGrid(runorder::RunOrder& run_order, RunGridModel& model,
                 const config::Settings& settings, QWidget* parent)
    : RowScrollArea(parent), run_(run_order), model_(model) {
  using config::Key;
  setObjectName(QStringLiteral("RunGrid"));
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  viewport()->setAcceptDrops(true);
  row_height_ = std::max(8, settings.Int(Key::kMainGridRowHeight));
  QFont font(QString::fromStdString(settings.Text(Key::kMainGridFontName)));
  font.setPointSize(std::max(4, settings.Int(Key::kMainGridFontSize)));
  const config::FontStyle style = settings.Style(Key::kMainGridFontStyle);
  font.setBold(style.bold);
  font.setItalic(style.italic);
  setFont(font);
  const Key keys[6] = {Key::kRunOrderC0, Key::kRunOrderC1, Key::kRunOrderC2,
                       Key::kRunOrderC3, Key::kRunOrderC4, Key::kRunOrderC5};
  for (std::size_t i = 0; i < configured_.size(); ++i) {
    configured_[i] = std::max(0, settings.Int(keys[i]));
  }
  // A time column stored as 0 would stay invisible once shown again.
  for (const std::size_t i : {std::size_t{2}, std::size_t{3}}) {
    if (configured_[i] == 0) configured_[i] = kTimeColumnWidth;
  }
  presenter_panel_ = new QLabel(viewport());
  presenter_panel_->setObjectName(QStringLiteral("PresenterPanel"));
  presenter_panel_->setAutoFillBackground(true);
  presenter_panel_->setBackgroundRole(QPalette::ToolTipBase);
  presenter_panel_->setForegroundRole(QPalette::ToolTipText);
  QFont tip_font(QStringLiteral("Arial"));
  tip_font.setPixelSize(12);
  presenter_panel_->setFont(tip_font);
  presenter_panel_->hide();
  presenter_time_.setSingleShot(true);
  presenter_time_.setInterval(1500);
  connect(&presenter_time_, &QTimer::timeout, presenter_panel_, &QWidget::hide);
  scroll_time_.setInterval(100);
  connect(&scroll_time_, &QTimer::timeout, this, [this] { DragOver(last_y_); });
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
    run_.set_top_row(value);
    viewport()->update();
  });
  Refresh();
}

void RunGrid::Refresh() {
  model_.Refresh();
  UpdateColumns();
  UpdateScrollRange();
  viewport()->update();
}

void RunGrid::UpdateColumns() {
  const runorder::GridOptions& o = model_.options();
  int used = 0;
  for (std::size_t i = 0; i < configured_.size(); ++i) {
    widths_[i] = configured_[i];
    if ((i == 2 && !o.display_run_times) || (i == 3 && !o.display_accumulation_times)) {
      widths_[i] = 0;
    }
    used += widths_[i];
  }
  widths_[6] = std::max(0, viewport()->width() - used - 6);
}

void RunGrid::UpdateScrollRange() {
  RowScrollArea::UpdateScrollRange(model_.RowCount(VisibleRows()));
}

std::pair<int, int> RunGrid::CellAt(QPoint p) const {
  return RowScrollArea::CellAt(p, widths_);
}

QRect RunGrid::CellRect(int row, int column) const {
  return RowScrollArea::CellRect(row, column, widths_);
}

void RunGrid::resizeEvent(QResizeEvent* event) {
  RowScrollArea::resizeEvent(event);
  UpdateColumns();
  UpdateScrollRange();
}

QString RunGrid::CellText(const runorder::Cell& cell) const {
  const auto message = [this](int n) { return message_text_ ? message_text_(n) : QString(); };
  QString text = QString::fromStdString(
      store::CodePageToUtf8(cell.text, store::CodePageOfCharset(cell.charset)));
  if (cell.message != 0) text += message(cell.message);
  if (cell.prefix_message != 0) text = message(cell.prefix_message) + QStringLiteral(" : ") + text;
  return text;
}

void RunGrid::PaintCell(QPainter& painter, int row, int column) {
  const QRect rect = CellRect(row, column);
  if (rect.width() <= 0) return;
  const bool header = row == 0;
  const runorder::Cell cell = header ? model_.HeaderCell(column) : model_.DataCell(row, column);
  const runorder::CellColours colours =
      header ? RunGridModel::HeaderColours() : model_.Colours(row, column, hasFocus());
  painter.fillRect(rect, platform::qt::ColourOf(colours.background));
  painter.setPen(QColor(0xC0, 0xC0, 0xC0));
  painter.drawRect(rect.adjusted(0, 0, -1, -1));
  painter.setPen(platform::qt::ColourOf(colours.text));
  painter.save();
  painter.setClipRect(rect);
  const QString text = CellText(cell);
  if (!cell.style.empty()) {
    PaintRuns(painter, rect, cell, colours);
  } else {
    DrawCellText(painter, rect, text, cell.centred);
  }
  painter.restore();
  if (!header && model_.SeparatorAbove(row)) {
    painter.fillRect(QRect(rect.left(), rect.top() - 2, rect.width(), 4),
                     platform::qt::ColourOf(0xFF0000));
  }
}

void RunGrid::PaintRuns(QPainter& painter, const QRect& rect, const runorder::Cell& cell,
                        runorder::CellColours colours) {
  int x = rect.left() + kTextInset;
  const int code_page = store::CodePageOfCharset(cell.charset);
  for (const runorder::CellRun& run :
       runorder::CellRuns(cell, colours, model_.options().colour_selection)) {
    QFont font = painter.font();
    font.setBold(font.bold() || run.bold);
    font.setItalic(font.italic() || run.italic);
    font.setUnderline(run.underline);
    painter.setFont(font);
    const QString text = QString::fromStdString(store::CodePageToUtf8(run.bytes, code_page));
    const int width = painter.fontMetrics().horizontalAdvance(text);
    if (run.opaque) {
      painter.fillRect(QRect(x, rect.top() + 1, width, rect.height() - 2),
                       platform::qt::ColourOf(run.colours.background));
    }
    painter.setPen(platform::qt::ColourOf(run.colours.text));
    painter.drawText(QRect(x, rect.top(), std::max(0, rect.right() - x), rect.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, text);
    x += width;
  }
}

void RunGrid::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), platform::qt::ColourOf(model_.options().run_b));
  const int last = std::min(top_row() + VisibleRows(), model_.story_count() + 1);
  for (int row = top_row(); row <= last; ++row) {
    for (int c = 0; c < runorder::kGridColumns; ++c) PaintCell(painter, row, c);
  }
  for (int c = 0; c < runorder::kGridColumns; ++c) PaintCell(painter, 0, c);
  emit HeaderPainted();
}

void RunGrid::mousePressEvent(QMouseEvent* event) {
  const auto [row, column] = CellAt(event->position().toPoint());
  if (row < 1 || column < 0) return;
  if (event->button() == Qt::LeftButton) {
    model_.Press(row, column);
    last_y_ = event->position().toPoint().y();
    emit TypedIdChanged({});
  } else if (event->button() == Qt::RightButton) {
    model_.RightClick(row, column);
    activateWindow();
  }
  Refresh();
}

void RunGrid::DragOver(int y) {
  const int visible = VisibleRows();
  const int row = std::clamp(CellAt({0, y}).first, top_row(), top_row() + visible);
  const runorder::DragStep step = model_.MoveTo(row, top_row(), visible);
  if (step.message != 0 && message_text_) emit StatusMessage(message_text_(step.message));
  if (step.scroll != 0) SetTopRow(top_row() + step.scroll);
  // The scroll timer repeats the step while the pointer stays beyond the visible rows.
  const bool beyond = y < row_height_ * 2 || y > row_height_ * visible;
  if (step.scroll != 0 && beyond && !step.ended) {
    scroll_time_.start();
  } else {
    scroll_time_.stop();
  }
  Refresh();
}

void RunGrid::mouseMoveEvent(QMouseEvent* event) {
  if ((event->buttons() & Qt::LeftButton) == 0) return;
  last_y_ = event->position().toPoint().y();
  DragOver(last_y_);
}

void RunGrid::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  scroll_time_.stop();
  model_.Release();
  const QPoint at = event->position().toPoint();
  const auto [row, column] = CellAt(at);
  if (column == 5) {
    emit FontCellReleased(row);
    ShowPresenterTip(row, at);
  } else {
    presenter_panel_->hide();
  }
  Refresh();
}

void RunGrid::ShowPresenterTip(int row, QPoint at) {
  const std::optional<runorder::Cell> tip = model_.PresenterTip(row);
  if (!tip) {
    presenter_panel_->hide();
    return;
  }
  const QString text = CellText(*tip);
  presenter_panel_->setText(text);
  presenter_panel_->setGeometry(at.x() + 20, at.y() + 20,
                                presenter_panel_->fontMetrics().horizontalAdvance(text) + 10,
                                presenter_panel_->fontMetrics().height() + 4);
  presenter_panel_->show();
  presenter_panel_->raise();
  presenter_time_.start();
}

void RunGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  const auto [row, column] = CellAt(event->position().toPoint());
  emit TypedIdChanged({});
  if (row < 1 || column < 0 || event->button() != Qt::LeftButton) return;
  const runorder::GridRequest request = model_.DoubleClick(row, column);
  Refresh();
  if (request.kind != runorder::GridRequest::Kind::kNone) emit Request(request);
}

void RunGrid::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_End && (event->modifiers() & Qt::ControlModifier) != 0) {
    run_.ShowLastStory();
  } else if (key == Qt::Key_Delete) {
    run_.DeleteStories();
  } else if (key == Qt::Key_Up || key == Qt::Key_Down) {
    const int row = model_.RowOf(run_.SelectedStory()) + (key == Qt::Key_Up ? -1 : 1);
    if (row >= 1 && row <= model_.story_count() + 1) run_.SelectRows(row, row);
  } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    const runorder::GridRequest request = model_.Enter();
    if (request.kind != runorder::GridRequest::Kind::kNone) emit Request(request);
  } else if (key == Qt::Key_Backspace) {
    model_.Backspace();
  } else if (key != Qt::Key_Escape && !event->text().isEmpty()) {
    const std::string bytes = store::Utf8ToCodePage(event->text().toStdString(), 1252);
    for (const char c : bytes) model_.TypeCharacter(c);
  } else {
    RowScrollArea::keyPressEvent(event);
    return;
  }
  emit TypedIdChanged(QString::fromStdString(store::CodePageToUtf8(model_.typed_id(), 1252)));
  Refresh();
}

void RunGrid::focusOutEvent(QFocusEvent* event) {
  model_.ClearTypedId();
  emit TypedIdChanged({});
  RowScrollArea::focusOutEvent(event);
  viewport()->update();
}

void RunGrid::dragEnterEvent(QDragEnterEvent* event) {
  if (Acceptable(event)) AcceptCopyOrLink(event);
}

void RunGrid::dragMoveEvent(QDragMoveEvent* event) {
  if (Acceptable(event)) AcceptCopyOrLink(event);
}

void RunGrid::dropEvent(QDropEvent* event) {
  if (!Acceptable(event)) return;
  const QMimeData* data = event->mimeData();
  const int row = std::max(0, CellAt(event->position().toPoint()).first);
  if (const std::optional<QString> format = QuillboxFormat(data)) {
    store::r_object* entry = model_.EntryAt(row);
    if (entry == nullptr || entry == run_.run_end() || entry->line == nullptr) return;
    const QByteArray record = data->data(*format);
    const auto text = runorder::QuillboxText(
        std::string_view(record.constData(), static_cast<std::size_t>(record.size())),
        store::CodePageOfCharset(store::CharsetOf(*entry->line)));
    if (!text) return;
    if (receive_text_) {
      receive_text_(entry->line, *text);
    } else {
      model_.ReceiveText(row, *text);
    }
    AcceptCopyOrLink(event);
  } else if (read_file_) {
    for (const QUrl& url : data->urls()) {
      if (!url.isLocalFile()) continue;
      const QString path = url.toLocalFile();
      if (path.isEmpty() || path.size() > kMaxDroppedName) continue;
      const int before = run_.story_count();
      if (read_file_(path.toStdString()) && run_.story_count() > before) {
        model_.PlaceAppendedStory(row);
        emit FileStoryPlaced();
      }
    }
    AcceptCopyOrLink(event);
  }
  Refresh();
}

}  // namespace telvane::ui
