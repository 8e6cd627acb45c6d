#include "prompt/ui/vga_control_screen.h"

namespace telvane::ui {

TVgaControlScreen::TVgaControlScreen(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("TVgaControlScreen"));
  setWindowTitle(QStringLiteral("VGA Control"));
}

}  // namespace telvane::ui
