#include "prompt/ui/prompt_output.h"

namespace telvane::ui {

TPromptOutput::TPromptOutput(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("TPromptOutput"));
  setWindowTitle(QStringLiteral("Prompt Preview"));
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::black);
  setPalette(p);
}

}  // namespace telvane::ui
