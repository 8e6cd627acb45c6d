#include "editor/ui/edit_screen.h"

#include <QFocusEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <algorithm>

#include "editor/scroll_math.h"
#include "platform/qt/qt_host.h"
#include "store/code_pages.h"

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
constexpr int kFontPanelHeight = 28;
constexpr int kCaptionPanelHeight = 40;
constexpr int kToolPanelHeight = 28;
constexpr int kDragScrollMs = 100;
const QColor kMaroon(0x80, 0, 0);

QLineEdit* Field(QWidget* parent, const char* name, const char* pattern, int width) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(QString::fromLatin1(name));
  field->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QString::fromLatin1(pattern)), field));
  field->setFixedWidth(width);
  return field;
}

QToolButton* Button(QWidget* parent, const char* name, const QString& text) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setText(text);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

QWidget* Strip(QWidget* parent, const char* name) {
  auto* strip = new QWidget(parent);
  strip->setObjectName(QString::fromLatin1(name));
  strip->setAutoFillBackground(true);
  auto* layout = new QHBoxLayout(strip);
  layout->setContentsMargins(2, 1, 2, 1);
  layout->setSpacing(2);
  return strip;
}

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

TEditScreen::TEditScreen(store::ScriptStore& store, config::Settings& settings, QWidget* parent)
    : QWidget(parent),
      store_(store),
      settings_(settings),
      own_run_order_(store),
      run_order_(&own_run_order_),
      prompt_(&own_prompt_),
      panel_hooks_(&own_panel_hooks_),
      font_panel_(store, settings),
      split_left_(kStudioColumnWidth),
      split_wanted_(kStudioColumnWidth),
      prompt_line_(store.refs(), store::OnDelete::kFollow, store::OnNewScript::kClear) {
  setObjectName(QStringLiteral("TEditScreen"));
  setWindowTitle(QStringLiteral("Script"));
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_InputMethodEnabled);

  BuildFontPanel();
  BuildOptionalPanels();
  left_panel_ = Panel(this, "LeftPanel", palette().color(QPalette::Mid));
  prompt_line_panel_ = Panel(left_panel_, "PromptLinePanel", Qt::yellow);
  prompt_line_panel_->setVisible(false);
  split_panel_ = Panel(this, "SplitPanel", kMaroon);
  si_position_panel_ = new QLabel(this);
  si_position_panel_->setObjectName(QStringLiteral("SIPositionPanel"));
  si_position_panel_->setAutoFillBackground(true);
  si_position_panel_->setBackgroundRole(QPalette::ToolTipBase);
  si_position_panel_->setAttribute(Qt::WA_TransparentForMouseEvents);
  si_position_panel_->setVisible(false);
  corner_panel_ = Panel(this, "CornerPanel", palette().color(QPalette::Window));
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
  scroll_down_time_ = new QTimer(this);
  scroll_down_time_->setObjectName(QStringLiteral("ScrollDownTime"));
  scroll_down_time_->setInterval(kDragScrollMs);
  scroll_up_time_ = new QTimer(this);
  scroll_up_time_->setObjectName(QStringLiteral("ScrollUpTime"));
  scroll_up_time_->setInterval(kDragScrollMs);

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

  // Beyond the window the drag scrolls a row a tick towards the pointer.
  connect(scroll_down_time_, &QTimer::timeout, this, [this] {
    model_->DragLinesTo(model_->visible_rows());
    AfterInput();
  });
  connect(scroll_up_time_, &QTimer::timeout, this, [this] {
    model_->DragLinesTo(-1);
    AfterInput();
  });

  edit_font_panel_->setVisible(settings_.Bool(config::Key::kMenuFontPanel));
  caption_panel_->setVisible(settings_.Bool(config::Key::kMenuCaptionPanel));
  macro_panel_->setVisible(settings_.Bool(config::Key::kMenuMacroPanel));
  RebuildModel();
  ApplySettings();
}

TEditScreen::~TEditScreen() = default;

void TEditScreen::BuildFontPanel() {
  edit_font_panel_ = Strip(this, "EditFontPanel");
  auto* layout = static_cast<QHBoxLayout*>(edit_font_panel_->layout());
  edit_font_number_ = Field(edit_font_panel_, "EditFontNumber", "[1-8]", 24);
  edit_font_number_->setMaxLength(1);
  edit_font_box_ = new QComboBox(edit_font_panel_);
  edit_font_box_->setObjectName(QStringLiteral("EditFontBox"));
  edit_font_box_->addItems(QFontDatabase::families());
  edit_prompt_size_ = Field(edit_font_panel_, "EditPromptSize", "[0-9]{0,3}", 40);
  edit_prompt_size_->setMaxLength(3);
  edit_script_size_ = Field(edit_font_panel_, "EditScriptSize", "[0-9]{0,2}", 32);
  edit_script_size_->setMaxLength(2);
  edit_return_btn_ = Button(edit_font_panel_, "EditReturnBtn", QStringLiteral("\u21b5"));
  edit_enps_refresh_btn_ = Button(edit_font_panel_, "EditEnpsRefreshBtn", QStringLiteral("ENPS"));
  edit_enps_refresh_btn_->setVisible(false);
  for (QWidget* w : std::initializer_list<QWidget*>{edit_font_number_, edit_font_box_,
                                                    edit_prompt_size_, edit_script_size_,
                                                    edit_return_btn_, edit_enps_refresh_btn_}) {
    layout->addWidget(w);
  }
  layout->addStretch();

  connect(edit_font_number_, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (!text.isEmpty()) FontChanged(font_panel_.ChooseFontNumber(text.toStdString()));
  });
  connect(edit_font_box_, &QComboBox::activated, this, [this](int index) {
    FontChanged(font_panel_.SetFace(edit_font_box_->itemText(index).toStdString()));
  });
  connect(edit_prompt_size_, &QLineEdit::editingFinished, this, [this] {
    FontChanged(font_panel_.SetPromptSize(edit_prompt_size_->text().toStdString()));
  });
  connect(edit_script_size_, &QLineEdit::editingFinished, this, [this] {
    FontChanged(font_panel_.SetEditSize(edit_script_size_->text().toStdString()));
  });
  connect(edit_return_btn_, &QToolButton::clicked, this, [this] { panel_hooks_->ReturnPressed(); });
  connect(edit_enps_refresh_btn_, &QToolButton::clicked, this,
          [this] { panel_hooks_->EnpsRefresh(); });
}

void TEditScreen::BuildOptionalPanels() {
  caption_panel_ = Strip(this, "CaptionPanel");
  caption_data_ = new QListWidget(caption_panel_);
  caption_data_->setObjectName(QStringLiteral("CaptionData"));
  caption_data_->setFocusPolicy(Qt::NoFocus);
  caption_panel_->layout()->addWidget(caption_data_);

  macro_panel_ = Strip(this, "MacroPanel");
  for (int n = 0; n < editor::kMacroButtons; ++n) {
    const QByteArray name = "MacroBtn" + QByteArray::number(n);
    QToolButton* button = Button(macro_panel_, name.constData(), QString::number(n + 1));
    macro_panel_->layout()->addWidget(button);
    connect(button, &QToolButton::clicked, this, [this, n] { panel_hooks_->PlayMacro(n); });
  }
  static_cast<QHBoxLayout*>(macro_panel_->layout())->addStretch();

  background_message_panel_ = Strip(this, "BackgroundMessagePanel");
  background_message_ = new QLineEdit(background_message_panel_);
  background_message_->setObjectName(QStringLiteral("BackgroundMessageData"));
  background_message_panel_->layout()->addWidget(background_message_);
  // Enter sets the band's message; an empty entry clears it.
  connect(background_message_, &QLineEdit::returnPressed, this, [this] {
    panel_hooks_->SetBackgroundMessage(
        store::Utf8ToCodePage(background_message_->text().toStdString(), store::kDefaultCodePage));
  });
  background_message_panel_->setVisible(false);

  background_timer_panel_ = Strip(this, "BackgroundTimerPanel");
  background_timer_data_ = Field(background_timer_panel_, "BackgroundTimerData", "[0-9:]{0,8}", 80);
  background_timer_btn_ = Button(background_timer_panel_, "BackgroundTimerBtn",
                                 QString::fromStdString(editor::TimerText(0)));
  background_timer_panel_->layout()->addWidget(background_timer_data_);
  background_timer_panel_->layout()->addWidget(background_timer_btn_);
  static_cast<QHBoxLayout*>(background_timer_panel_->layout())->addStretch();
  connect(background_timer_btn_, &QToolButton::clicked, this, [this] {
    const std::optional<int> seconds =
        editor::ParseTimerEntry(background_timer_data_->text().toStdString());
    if (!seconds) {
      emit StatusMessage(QStringLiteral("Timer entry must be hh:mm:ss"));
      return;
    }
    panel_hooks_->StartBackgroundTimer(*seconds);
  });
  background_timer_panel_->setVisible(false);
}

void TEditScreen::FontChanged(editor::FontChange change) {
  using editor::FontChange;
  switch (change) {
    case FontChange::kRefused:
    case FontChange::kNone:
      break;
    case FontChange::kTypingFont:
      Redraw();
      break;
    case FontChange::kEditFont:
      ApplySettings();
      emit FontsChanged();
      break;
    case FontChange::kPromptFont:
      emit FontsChanged();
      break;
  }
  // A refused entry shows the font's values again.
  RefreshFontStrip();
}

void TEditScreen::RefreshFontStrip() {
  const config::PromptFontSetting& font = font_panel_.shown();
  const QSignalBlocker b1(edit_font_number_), b2(edit_font_box_), b3(edit_prompt_size_),
      b4(edit_script_size_);
  edit_font_number_->setText(QString::fromStdString(font_panel_.FontNumberText()));
  const QString face = QString::fromStdString(font.name);
  if (edit_font_box_->findText(face) < 0) edit_font_box_->insertItem(0, face);
  edit_font_box_->setCurrentIndex(edit_font_box_->findText(face));
  edit_prompt_size_->setText(QString::number(font.prompt_size));
  edit_script_size_->setText(QString::number(font.edit_size));
}

void TEditScreen::SetBackgroundMessage(const QString& text) {
  background_message_->setText(text);
  background_message_panel_->setVisible(message_panel_on_ || !text.isEmpty());
  LayOutPanels();
  Redraw();
}

void TEditScreen::SetFontPanelVisible(bool on) {
  edit_font_panel_->setVisible(on);
  LayOutPanels();
  Redraw();
}

void TEditScreen::SetCaptionPanelVisible(bool on) {
  caption_panel_->setVisible(on);
  LayOutPanels();
  Redraw();
}

void TEditScreen::SetMacroPanelVisible(bool on) {
  macro_panel_->setVisible(on);
  LayOutPanels();
  Redraw();
}

void TEditScreen::SetBackgroundMessagePanelVisible(bool on) {
  message_panel_on_ = on;
  background_message_panel_->setVisible(on || !background_message_->text().isEmpty());
  LayOutPanels();
  Redraw();
}

void TEditScreen::SetBackgroundTimerPanelVisible(bool on) {
  background_timer_panel_->setVisible(on);
  LayOutPanels();
  Redraw();
}

void TEditScreen::SetEnpsRefreshVisible(bool on) {
  edit_enps_refresh_btn_->setVisible(on);
}

void TEditScreen::SetCaptionData(const QStringList& lines) {
  caption_data_->clear();
  caption_data_->addItems(lines);
}

void TEditScreen::ShowBackgroundTimer(long long remaining_seconds) {
  if (remaining_seconds < 0) {
    background_timer_btn_->setText(QString::fromStdString(editor::TimerText(0)));
    background_timer_btn_->setProperty("picture", 0);
    return;
  }
  background_timer_btn_->setText(QString::fromStdString(editor::TimerText(remaining_seconds)));
  background_timer_btn_->setProperty("picture", editor::TimerPicture(remaining_seconds));
}

void TEditScreen::PlaceCaretAt(store::e_object* line, int column) {
  if (line == nullptr) return;
  model_->MoveCaretTo(line, column);
  AfterInput();
}

void TEditScreen::SetPromptLine(const store::e_object* line, bool prompting) {
  // The reference only names the line; the marker never changes it.
  prompt_line_ = const_cast<store::e_object*>(line);
  prompting_ = prompting;
  PlacePromptLine();
}

void TEditScreen::PlacePromptLine() {
  const store::e_object* target = prompt_line_.get();
  int row = 0;
  const int rows = VisibleRows();
  const store::e_object* line = model_->top_line();
  for (; target != nullptr && line != nullptr && line != store_.edit_tail() && row < rows;
       line = line->next, ++row) {
    if (line == target) break;
  }
  if (target == nullptr || line != target || row >= rows) {
    prompt_line_panel_->setVisible(false);
    return;
  }
  QPalette p = prompt_line_panel_->palette();
  p.setColor(QPalette::Window, prompting_ ? QColor(Qt::red) : QColor(Qt::yellow));
  prompt_line_panel_->setPalette(p);
  prompt_line_panel_->setGeometry(kLeftPanelWidth - kPromptLinePanelWidth,
                                  row * row_metrics_.row_height, kPromptLinePanelWidth,
                                  row_metrics_.row_height);
  prompt_line_panel_->setVisible(true);
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
  RefreshFontStrip();
  metrics_ = std::make_unique<QtEditFontMetrics>(settings_);
  colours_ = editor::EditorColoursFrom(settings_);
  row_metrics_ = editor::ComputeRowMetrics(*metrics_, 0);
  layouter_ = std::make_unique<editor::RowLayouter>(*metrics_, colours_);
  editor::EditorOptions options = editor::EditorOptionsFrom(settings_);
  options.editing_disabled = editing_disabled_;
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
  PlacePromptLine();
  update();
}

namespace {

// A panel counts while it is not hidden, also before the window is first shown.
int HeightOf(const QWidget* panel, int height) {
  return panel->isHidden() ? 0 : height;
}

}  // namespace

int TEditScreen::rows_top() const {
  return HeightOf(edit_font_panel_, kFontPanelHeight) +
         HeightOf(caption_panel_, kCaptionPanelHeight) + HeightOf(macro_panel_, kToolPanelHeight) +
         HeightOf(background_message_panel_, kToolPanelHeight) +
         HeightOf(background_timer_panel_, kToolPanelHeight);
}

int TEditScreen::text_left() const {
  return left_panel_->x() + left_panel_->width();
}

int TEditScreen::TextAreaRight() const {
  return width() - vert_scroll_bar_->width();
}

int TEditScreen::RowsBottom() const {
  return height() - horiz_scroll_bar_->sizeHint().height();
}

int TEditScreen::VisibleRows() const {
  return std::max(1, (RowsBottom() - rows_top()) / std::max(row_metrics_.row_height, 1));
}

bool TEditScreen::StudioColumnShown() const {
  return store_.options().studio_instructions && store_.options().view_si;
}

void TEditScreen::LayOutPanels() {
  const int bar = vert_scroll_bar_->sizeHint().width();
  const int hbar = horiz_scroll_bar_->sizeHint().height();
  int y = 0;
  const std::pair<QWidget*, int> panels[] = {{edit_font_panel_, kFontPanelHeight},
                                             {caption_panel_, kCaptionPanelHeight},
                                             {macro_panel_, kToolPanelHeight},
                                             {background_message_panel_, kToolPanelHeight},
                                             {background_timer_panel_, kToolPanelHeight}};
  for (const auto& [panel, h] : panels) {
    const int height_now = HeightOf(panel, h);
    panel->setGeometry(0, y, width(), height_now);
    y += height_now;
  }
  const int top = y;
  const bool studio = StudioColumnShown();
  // The operator's split is kept, so a window that was narrow for a while gives it back.
  split_left_ = editor::ClampSplit(split_wanted_, width(), kLeftPanelWidth, bar);
  const int margin_left = studio ? split_left_ + kSplitPanelWidth : 0;
  left_panel_->setGeometry(margin_left, top, kLeftPanelWidth, height() - top - hbar);
  split_panel_->setGeometry(split_left_, top, kSplitPanelWidth, height() - top - hbar);
  split_panel_->setVisible(studio);
  vert_scroll_bar_->setGeometry(width() - bar, top, bar, height() - top - hbar);
  horiz_scroll_bar_->setGeometry(0, height() - hbar, width() - bar, hbar);
  corner_panel_->setGeometry(width() - bar, height() - hbar, bar, hbar);
  horiz_scroll_bar_->setPageStep(std::max(1, TextAreaRight() - text_left()));
  PlacePromptLine();
}

editor::RowOptions TEditScreen::RowOptionsNow() const {
  editor::RowOptions o;
  o.show_hard_returns = show_hard_returns_;
  o.colour_selection = settings_.Bool(config::Key::kMenuColorSel);
  o.studio_column = StudioColumnShown();
  o.current_font = store_.typing().font;
  o.text_left = text_left();
  o.scroll_x = scroll_x_;
  o.split_left = o.studio_column ? split_left_ : 0;
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
  PlacePromptLine();
  if (!edit_font_number_->hasFocus()) {
    const QString number = QString::fromStdString(font_panel_.FontNumberText());
    if (edit_font_number_->text() != number) RefreshFontStrip();
  }
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
      PlacePromptLine();
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
  // Alt with a letter belongs to the menu bar's access keys.
  const bool alt = (event->modifiers() & Qt::AltModifier) != 0;
  if (alt && !ctrl) {
    QWidget::keyPressEvent(event);
    return;
  }
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
  if (StudioColumnShown() && event->button() == Qt::LeftButton && pos.y() >= rows_top() &&
      pos.x() >= split_left_ && pos.x() < split_left_ + kSplitPanelWidth) {
    split_dragging_ = true;
    split_grab_ = pos.x() - split_left_;
    return;
  }
  const int row = (pos.y() - rows_top()) / std::max(row_metrics_.row_height, 1);
  if (pos.y() < rows_top() || LineAtRow(row) == nullptr) return;
  setFocus();
  if (pos.x() >= left_panel_->x() && pos.x() < text_left()) {
    if (event->button() == Qt::LeftButton) {
      model_->SetStudioTyping(false);
      model_->SelectLineAt(row);
    } else if (event->button() == Qt::RightButton) {
      if (store::r_object* entry = model_->StoryAtRow(row)) emit ShowStoryInRunOrder(entry);
      return;
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

void TEditScreen::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (split_dragging_) {
    split_wanted_ = editor::ClampSplit(pos.x() - split_grab_, width(), kLeftPanelWidth,
                                       vert_scroll_bar_->sizeHint().width());
    LayOutPanels();
    si_position_panel_->setText(QString::number(split_left_));
    si_position_panel_->adjustSize();
    si_position_panel_->move(split_left_ + kSplitPanelWidth + 2, rows_top());
    si_position_panel_->setVisible(true);
    si_position_panel_->raise();
    Redraw();
    return;
  }
  if (!model_->dragging_lines()) return;
  if (pos.y() < rows_top()) {
    scroll_down_time_->stop();
    if (!scroll_up_time_->isActive()) scroll_up_time_->start();
    return;
  }
  const int rh = std::max(row_metrics_.row_height, 1);
  if (pos.y() >= rows_top() + VisibleRows() * rh) {
    scroll_up_time_->stop();
    if (!scroll_down_time_->isActive()) scroll_down_time_->start();
    return;
  }
  scroll_up_time_->stop();
  scroll_down_time_->stop();
  model_->DragLinesTo((pos.y() - rows_top()) / rh);
  AfterInput();
}

void TEditScreen::mouseReleaseEvent(QMouseEvent* event) {
  QWidget::mouseReleaseEvent(event);
  split_dragging_ = false;
  si_position_panel_->setVisible(false);
  scroll_up_time_->stop();
  scroll_down_time_->stop();
  model_->EndLineDrag();
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
