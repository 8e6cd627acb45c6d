#include "runorder/ui/run_screen.h"

#include <QCloseEvent>

namespace telvane::ui {

TRunScreen::TRunScreen(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("TRunScreen"));
  setWindowTitle(QStringLiteral("Run Order"));
  setFocusPolicy(Qt::StrongFocus);
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);
  setPalette(p);
}

void TRunScreen::closeEvent(QCloseEvent* event) {
  // Closing only hides the run order; the program keeps it for its whole run.
  event->ignore();
  if (parentWidget() != nullptr) parentWidget()->hide();
}

}  // namespace telvane::ui
