#include "editor/ui/edit_screen.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

#include "editor/scroll_math.h"
#include "platform/qt/qt_host.h"

namespace telvane::ui {

namespace {

constexpr int kLeftPanelWidth = 21;
constexpr int kPromptLinePanelWidth = 8;
constexpr int kStudioColumnWidth = 160;
constexpr int kSplitPanelWidth = 4;
constexpr int kScrollMaximum = 10000;
constexpr int kHorizontalRange = 4000;
constexpr int kCaretWidth = 2;
constexpr int kBlinkMs = 500;

QWidget* Panel(QWidget* parent, const char* name, const QColor& colour) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setAutoFillBackground(true);
  QPalette p = panel->palette();
  p.setColor(QPalette::Window, colour);
  panel->setPalette(p);
  // Presses in the margin are the editor's own (line selection).
  panel->setAttribute(Qt::WA_TransparentForMouseEvents);
  return panel;
}

std::optional<editor::Key> EditorKey(int key) {
  using editor::Key;
  switch (key) {
    case Qt::Key_Backspace:
      return Key::kBackspace;
    case Qt::Key_Delete:
      return Key::kDelete;
    case Qt::Key_Left:
      return Key::kLeft;
    case Qt::Key_Right:
      return Key::kRight;
    case Qt::Key_Up:
      return Key::kUp;
    case Qt::Key_Down:
      return Key::kDown;
    case Qt::Key_Home:
      return Key::kHome;
    case Qt::Key_End:
      return Key::kEnd;
    case Qt::Key_PageUp:
      return Key::kPageUp;
    case Qt::Key_PageDown:
      return Key::kPageDown;
    case Qt::Key_Insert:
      return Key::kInsert;
    default:
      return std::nullopt;
  }
}

}  // namespace

TEditScreen::TEditScreen(store::ScriptStore& store, const config::Settings& settings,
                         QWidget* parent)
    : QWidget(parent),
      store_(store),
      settings_(settings),
      own_run_order_(store),
      run_order_(&own_run_order_),
      prompt_(&own_prompt_) {
  setObjectName(QStringLiteral("TEditScreen"));
  setWindowTitle(QStringLiteral("Script"));
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_InputMethodEnabled);

  background_message_ = new QLabel(this);
  background_message_->setObjectName(QStringLiteral("BackgroundMessagePanel"));
  background_message_->setVisible(false);
  left_panel_ = Panel(this, "LeftPanel", palette().color(QPalette::Mid));
  prompt_line_panel_ = Panel(left_panel_, "PromptLinePanel", Qt::yellow);
  prompt_line_panel_->setVisible(false);
  vert_scroll_bar_ = new QScrollBar(Qt::Vertical, this);
  vert_scroll_bar_->setObjectName(QStringLiteral("VertScrollBar"));
  vert_scroll_bar_->setRange(0, kScrollMaximum);
  vert_scroll_bar_->setFocusPolicy(Qt::NoFocus);
  horiz_scroll_bar_ = new QScrollBar(Qt::Horizontal, this);
  horiz_scroll_bar_->setObjectName(QStringLiteral("HorizScrollBar"));
  horiz_scroll_bar_->setRange(0, kHorizontalRange);
  horiz_scroll_bar_->setFocusPolicy(Qt::NoFocus);
  time_cursor_ = new QTimer(this);
  time_cursor_->setObjectName(QStringLiteral("TimeCursor"));
  time_cursor_->setInterval(kBlinkMs);

  connect(vert_scroll_bar_, &QScrollBar::actionTriggered, this,
          [this](int action) { OnVerticalAction(action); });
  connect(horiz_scroll_bar_, &QScrollBar::valueChanged, this, [this](int value) {
    scroll_x_ = value;
    update();
  });
  connect(time_cursor_, &QTimer::timeout, this, [this] {
    caret_on_ = !caret_on_;
    update();
  });

  RebuildModel();
  ApplySettings();
}

TEditScreen::~TEditScreen() = default;

void TEditScreen::SetBackgroundMessage(const QString& text) {
  background_message_->setText(text);
  background_message_->setVisible(!text.isEmpty());
  LayOutPanels();
  update();
}

void TEditScreen::SetRunOrderEdits(editor::RunOrderEdits& run_order) {
  run_order_ = &run_order;
  RebuildModel();
}

void TEditScreen::SetPromptEditHooks(editor::PromptEditHooks& prompt) {
  prompt_ = &prompt;
  RebuildModel();
}

void TEditScreen::RebuildModel() {
  const bool insert = model_ == nullptr || model_->insert_mode();
  model_ = std::make_unique<editor::EditorModel>(store_, *run_order_, *prompt_);
  if (!insert) model_->ToggleInsert();
  editor::EditorOptions options = editor::EditorOptionsFrom(settings_);
  options.editing_disabled = editing_disabled_;
  model_->SetOptions(options);
  model_->SetVisibleRows(VisibleRows());
}

void TEditScreen::ApplySettings() {
  metrics_ = std::make_unique<QtEditFontMetrics>(settings_);
  colours_ = editor::EditorColoursFrom(settings_);
  row_metrics_ = editor::ComputeRowMetrics(*metrics_, 0);
  layouter_ = std::make_unique<editor::RowLayouter>(*metrics_, colours_);
  editor::EditorOptions options = editor::EditorOptionsFrom(settings_);
  options.editing_disabled = editing_disabled_;
  options.disable_on_air_edit = model_->options().disable_on_air_edit;
  model_->SetOptions(options);
  LayOutPanels();
  Redraw();
}

void TEditScreen::SetShowHardReturns(bool on) {
  show_hard_returns_ = on;
  update();
}

void TEditScreen::SetEditingDisabled(bool disabled) {
  editing_disabled_ = disabled;
  editor::EditorOptions options = model_->options();
  options.editing_disabled = disabled;
  model_->SetOptions(options);
}

void TEditScreen::Redraw() {
  index_line_ = nullptr;
  model_->SetVisibleRows(VisibleRows());
  SyncScrollBars();
  update();
}

int TEditScreen::rows_top() const {
  return background_message_->isVisible() ? background_message_->sizeHint().height() : 0;
}

int TEditScreen::text_left() const {
  return left_panel_->x() + left_panel_->width();
}

int TEditScreen::TextAreaRight() const {
  return width() - vert_scroll_bar_->width();
}

int TEditScreen::VisibleRows() const {
  const int rows_height = height() - rows_top() - horiz_scroll_bar_->sizeHint().height();
  return std::max(1, rows_height / std::max(row_metrics_.row_height, 1));
}

void TEditScreen::LayOutPanels() {
  const int top = rows_top();
  const int bar = vert_scroll_bar_->sizeHint().width();
  const int hbar = horiz_scroll_bar_->sizeHint().height();
  background_message_->setGeometry(0, 0, width(), top);
  const store::StoreOptions& o = store_.options();
  const int studio = o.studio_instructions && o.view_si ? kStudioColumnWidth + kSplitPanelWidth : 0;
  left_panel_->setGeometry(studio, top, kLeftPanelWidth, height() - top - hbar);
  prompt_line_panel_->setGeometry(kLeftPanelWidth - kPromptLinePanelWidth, 0, kPromptLinePanelWidth,
                                  row_metrics_.row_height * 2);
  vert_scroll_bar_->setGeometry(width() - bar, top, bar, height() - top - hbar);
  horiz_scroll_bar_->setGeometry(0, height() - hbar, width() - bar, hbar);
  horiz_scroll_bar_->setPageStep(std::max(1, TextAreaRight() - text_left()));
}

editor::RowOptions TEditScreen::RowOptionsNow() const {
  editor::RowOptions o;
  o.show_hard_returns = show_hard_returns_;
  o.colour_selection = settings_.Bool(config::Key::kMenuColorSel);
  o.studio_column = store_.options().studio_instructions && store_.options().view_si;
  o.current_font = store_.typing().font;
  o.text_left = text_left();
  o.scroll_x = scroll_x_;
  o.split_left = o.studio_column ? kStudioColumnWidth : 0;
  return o;
}

store::e_object* TEditScreen::LineAtRow(int row) const {
  store::e_object* line = model_->top_line();
  for (int r = 0; r < row && line != nullptr; ++r) {
    line = line->next;
    if (line == store_.edit_tail()) return nullptr;
  }
  return line;
}

void TEditScreen::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayOutPanels();
  Redraw();
}

void TEditScreen::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect dirty = event->rect();
  const int top = rows_top();
  const int bottom = height() - horiz_scroll_bar_->height();
  const int rh = std::max(row_metrics_.row_height, 1);
  painter.setClipRect(QRect(0, top, TextAreaRight(), bottom - top));
  int y = top;
  for (store::e_object* line = model_->top_line();
       line != nullptr && line != store_.edit_tail() && y < bottom; line = line->next, y += rh) {
    if (y + rh >= dirty.top() && y <= dirty.bottom()) PaintRow(painter, *line, y);
  }
  if (y < bottom) {
    painter.fillRect(QRect(0, y, TextAreaRight(), bottom - y),
                     platform::qt::ColourOf(colours_.edit_b));
    const editor::RowOptions options = RowOptionsNow();
    if (options.studio_column) {
      painter.fillRect(QRect(options.split_left, y, kSplitPanelWidth, bottom - y),
                       QColor(0x80, 0, 0));
    }
  }
  PaintCaret(painter);
}

void TEditScreen::PaintRow(QPainter& painter, const store::e_object& line, int y) {
  const editor::RowOptions options = RowOptionsNow();
  const int rh = row_metrics_.row_height;
  const editor::RowLayout row =
      layouter_->Layout(store_, line, options, y, rh, metrics_->EditSize(0));
  const int charset = store::CharsetOf(line);
  painter.fillRect(QRect(0, y, TextAreaRight(), rh), platform::qt::ColourOf(row.fill));
  if (row.studio) {
    const int split = options.split_left;
    painter.fillRect(QRect(0, y, split, rh), platform::qt::ColourOf(row.studio->background));
    painter.fillRect(QRect(split, y, kSplitPanelWidth, rh), QColor(0x80, 0, 0));
    painter.save();
    painter.setClipRect(QRect(0, y, split, rh), Qt::IntersectClip);
    painter.setFont(metrics_->StyledFont(0, 0));
    painter.setPen(platform::qt::ColourOf(row.studio->text));
    painter.drawText(
        QPoint(row.studio->x + 2, y + row_metrics_.baseline_offset[0] + metrics_->Font(0).ascent),
        BytesToQString(row.studio->bytes, charset));
    painter.restore();
  }
  if (row.highlight) {
    painter.fillRect(QRect(row.highlight->x, y, row.highlight->width, rh),
                     platform::qt::ColourOf(colours_.high_b));
  }
  painter.save();
  painter.setClipRect(QRect(text_left(), y, TextAreaRight() - text_left(), rh), Qt::IntersectClip);
  for (const editor::Run& run : row.runs) {
    if (run.opaque)
      painter.fillRect(QRect(run.x, y, run.width, rh), platform::qt::ColourOf(run.background));
    painter.setFont(metrics_->StyledFont(run.font, run.style & 0x7));
    painter.setPen(platform::qt::ColourOf(run.text));
    const int baseline = y + row_metrics_.baseline_offset[static_cast<std::size_t>(run.font)] +
                         metrics_->Font(run.font).ascent;
    painter.drawText(QPoint(run.x, baseline), BytesToQString(run.bytes, charset));
  }
  painter.restore();
  if (row.hook) {
    painter.setPen(QPen(Qt::black, row.hook->pen_width));
    const QPoint points[3] = {
        {row.hook->x0, row.hook->y0}, {row.hook->x1, row.hook->y1}, {row.hook->x2, row.hook->y2}};
    painter.drawPolyline(points, 3);
  }
}

void TEditScreen::PaintCaret(QPainter& painter) {
  if (!caret_on_ || !hasFocus()) return;
  const int row = model_->caret_row();
  store::e_object* line = LineAtRow(row);
  if (line == nullptr || line != model_->current_line()) return;
  const auto column = static_cast<std::size_t>(model_->caret_column());
  const int x =
      model_->studio_typing()
          ? 2 + metrics_->TextWidth(0, 0, std::string_view(line->studio_text).substr(0, column),
                                    store::CharsetOf(*line))
          : text_left() + 2 - scroll_x_ + layouter_->ColumnX(*line, column, RowOptionsNow());
  const int y = rows_top() + row * row_metrics_.row_height;
  // Inverted, so a second draw would give the row back.
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter.fillRect(QRect(x, y, kCaretWidth, row_metrics_.row_height), Qt::white);
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TEditScreen::AfterInput() {
  const editor::Damage damage = model_->TakeDamage();
  const std::string status = model_->TakeStatusText();
  if (!status.empty()) emit StatusMessage(QString::fromStdString(status));

  store::e_object* line = model_->current_line();
  if (line != nullptr && !store::IsMargin(*line) && !model_->studio_typing()) {
    const int caret_x = layouter_->ColumnX(*line, static_cast<std::size_t>(model_->caret_column()),
                                           RowOptionsNow());
    const int offset =
        editor::HorizontalOffsetFor(caret_x, scroll_x_, TextAreaRight() - text_left() - 4);
    if (offset != scroll_x_) {
      scroll_x_ = std::min(offset, kHorizontalRange);
      horiz_scroll_bar_->setValue(scroll_x_);
      update();
    }
  }
  SyncScrollBars();
  caret_on_ = true;
  time_cursor_->start();
  if (damage.empty()) {
    const int y = rows_top() + model_->caret_row() * row_metrics_.row_height;
    update(QRect(0, y, TextAreaRight(), row_metrics_.row_height));
    return;
  }
  // Only the rows that changed are drawn again.
  const int first = rows_top() + damage.first_row * row_metrics_.row_height;
  const int last = damage.last_row == editor::Damage::kToBottom
                       ? height()
                       : rows_top() + (damage.last_row + 1) * row_metrics_.row_height;
  update(QRect(0, first, TextAreaRight(), last - first));
  const int y = rows_top() + model_->caret_row() * row_metrics_.row_height;
  update(QRect(0, y, TextAreaRight(), row_metrics_.row_height));
}

void TEditScreen::SyncScrollBars() {
  // Counting from the top is a walk over the script: only done when the caret line or the
  // number of lines changed.
  const store::e_object* current = model_->current_line();
  if (current != index_line_ || store_.line_count() != index_line_count_) {
    long long index = 0;
    for (const store::e_object* l = store_.first_line();
         l != nullptr && l != store_.edit_tail() && l != current; l = l->next) {
      ++index;
    }
    index_line_ = current;
    index_line_count_ = store_.line_count();
    current_index_ = index;
  }
  const QSignalBlocker block(vert_scroll_bar_);
  vert_scroll_bar_->setValue(
      editor::ScrollPositionOf(current_index_, store_.line_count(), kScrollMaximum));
}

void TEditScreen::OnVerticalAction(int action) {
  using editor::Key;
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
      model_->Wheel(1);
      break;
    case QAbstractSlider::SliderSingleStepSub:
      model_->Wheel(-1);
      break;
    case QAbstractSlider::SliderPageStepAdd:
      model_->KeyDown({Key::kPageDown});
      break;
    case QAbstractSlider::SliderPageStepSub:
      model_->KeyDown({Key::kPageUp});
      break;
    case QAbstractSlider::SliderToMinimum:
      model_->KeyDown({Key::kHome, true});
      break;
    case QAbstractSlider::SliderToMaximum:
      model_->KeyDown({Key::kEnd, true});
      break;
    case QAbstractSlider::SliderMove:
      model_->ScrollToIndex(editor::IndexAtScrollPosition(vert_scroll_bar_->sliderPosition(),
                                                          kScrollMaximum, store_.line_count()));
      update();
      return;
    default:
      return;
  }
  AfterInput();
  vert_scroll_bar_->setSliderPosition(vert_scroll_bar_->value());
}

void TEditScreen::keyPressEvent(QKeyEvent* event) {
  const bool ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
  const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
  const int key = event->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    if (!ctrl) model_->KeyPress(13);
  } else if (key == Qt::Key_Minus && ctrl) {
    model_->KeyDown({editor::Key::kMinus, ctrl, shift});
  } else if (key == Qt::Key_Y && ctrl) {
    model_->DeleteWholeLine();
  } else if (const std::optional<editor::Key> k = EditorKey(key)) {
    model_->KeyDown({*k, ctrl, shift});
  } else if (!ctrl && !event->text().isEmpty()) {
    for (const char32_t c : event->text().toUcs4()) {
      if (c >= 32 && c != 127) model_->TypeUnicode(c);
    }
  } else {
    QWidget::keyPressEvent(event);
    return;
  }
  AfterInput();
}

void TEditScreen::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  const int row = (pos.y() - rows_top()) / std::max(row_metrics_.row_height, 1);
  if (pos.y() < rows_top() || LineAtRow(row) == nullptr) return;
  setFocus();
  if (pos.x() >= left_panel_->x() && pos.x() < text_left()) {
    if (event->button() == Qt::LeftButton) {
      model_->SetStudioTyping(false);
      model_->SelectLineAt(row);
    }
  } else if (pos.x() < left_panel_->x() && event->button() == Qt::LeftButton) {
    // A press in the studio-instruction column types into it.
    model_->SetStudioTyping(true);
    const std::string& si = LineAtRow(row)->studio_text;
    const int charset = store::CharsetOf(*LineAtRow(row));
    int column = 0;
    while (column < static_cast<int>(si.size()) &&
           2 + metrics_->TextWidth(0, 0, std::string_view(si).substr(0, column + 1), charset) <=
               pos.x()) {
      ++column;
    }
    model_->PlaceCaret(row, column);
  } else if (pos.x() >= text_left() && event->button() == Qt::LeftButton) {
    model_->SetStudioTyping(false);
    const int column = layouter_->ColumnAt(*LineAtRow(row), pos.x() - text_left() - 2 + scroll_x_,
                                           RowOptionsNow());
    model_->PlaceCaret(row, column);
  }
  AfterInput();
}

void TEditScreen::wheelEvent(QWheelEvent* event) {
  const int steps = -event->angleDelta().y() / 120;
  if (steps != 0) {
    model_->Wheel(steps);
    AfterInput();
  }
  event->accept();
}

void TEditScreen::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  caret_on_ = true;
  time_cursor_->start();
  update();
}

void TEditScreen::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  time_cursor_->stop();
  caret_on_ = false;
  update();
}

bool TEditScreen::focusNextPrevChild(bool /*next*/) {
  // Tab is text here, not a focus move.
  return false;
}

}  // namespace telvane::ui
