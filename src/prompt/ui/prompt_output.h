#pragma once

// The prompt preview: the presenter's prompt at one third of its size, drawn by the prompt
// renderer into an image of colour numbers and shown through the eight-colour table.

#include <QWidget>

#include "prompt/prompt_render.h"

namespace telvane::ui {

class TPromptOutput : public QWidget {
  Q_OBJECT

 public:
  explicit TPromptOutput(const prompt::PromptRenderer& renderer, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const prompt::PromptRenderer& renderer_;
};

}  // namespace telvane::ui
