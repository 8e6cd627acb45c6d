#include "prompt/ui/vga_cue_screen.h"

namespace telvane::ui {

TVgaCueScreen::TVgaCueScreen(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("TVgaCueScreen"));
  setWindowTitle(QStringLiteral("VGA Cue Marker"));
}

}  // namespace telvane::ui
