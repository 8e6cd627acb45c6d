#pragma once

// The prompt preview: the presenter's prompt at one third of its size, drawn by the prompt
// renderer into an image of colour numbers and shown through the eight-colour table.

#include <QWidget>
#include <functional>

#include "prompt/prompt_render.h"

namespace telvane::ui {

class TPromptOutput : public QWidget {
  Q_OBJECT

 public:
  explicit TPromptOutput(const prompt::PromptRenderer& renderer, QWidget* parent = nullptr);

  // Where the preview starts: while prompting the engine's preview top, otherwise the top of
  // the script.
  void SetTopSource(std::function<prompt::PromptPosition()> top) { top_ = std::move(top); }
  // A blanked prompt shows black until the next draw.
  void SetBlack(bool black);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const prompt::PromptRenderer& renderer_;
  std::function<prompt::PromptPosition()> top_;
  bool black_ = false;
};

}  // namespace telvane::ui
