#pragma once

// The prompt preview: the presenter's prompt at one third of its size, drawn by the prompt
// renderer into an image of colour numbers and shown through the eight-colour table.

#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>

#include "prompt/idle_page.h"
#include "prompt/preview_caret.h"
#include "prompt/prompt_render.h"

class QKeyEvent;

namespace telvane::ui {

class TPromptOutput : public QWidget {
  Q_OBJECT

 public:
  explicit TPromptOutput(const prompt::PromptRenderer& renderer, QWidget* parent = nullptr);

  // Where the preview starts: while prompting the engine's preview top, otherwise the top of
  // the script.
  void SetTopSource(std::function<prompt::PromptPosition()> top) { top_ = std::move(top); }
  // While nothing is prompted the preview shows the card's idle page: the look, or nothing
  // while prompting.
  void SetIdleSource(std::function<std::optional<prompt::IdlePageLook>()> idle) {
    idle_ = std::move(idle);
  }
  // A blanked prompt shows black until the next draw.
  void SetBlack(bool black);

  // While prompting the preview shows the editor's caret and a click places it.
  void SetPromptingSource(std::function<bool()> prompting) { prompting_ = std::move(prompting); }
  // The editor's caret: its line and column.
  void SetCaretSource(std::function<prompt::CaretPlace()> caret) { caret_ = std::move(caret); }
  // Places the editor's caret at a line and column.
  void SetCaretPlacer(std::function<void(store::e_object*, int)> placer) {
    placer_ = std::move(placer);
  }

  // The caret as drawn now, in window coordinates; nothing while it is hidden.
  std::optional<prompt::PreviewCaret> CaretShown() const;

 signals:
  // A click while prompting: the editor should take the focus.
  void EditorFocusWanted();
  // Typing in the preview belongs to the editor.
  void KeyForEditor(QKeyEvent* event);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  prompt::PreviewFrame Frame() const;
  bool Prompting() const { return prompting_ && prompting_(); }
  void RestartBlink();

  const prompt::PromptRenderer& renderer_;
  std::function<prompt::PromptPosition()> top_;
  std::function<std::optional<prompt::IdlePageLook>()> idle_;
  prompt::FontFaces idle_faces_;
  std::function<bool()> prompting_;
  std::function<prompt::CaretPlace()> caret_;
  std::function<void(store::e_object*, int)> placer_;
  QTimer blink_;
  bool caret_on_ = false;
  bool black_ = false;
};

}  // namespace telvane::ui
