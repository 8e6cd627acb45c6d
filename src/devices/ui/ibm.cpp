#include "devices/ui/ibm.h"

namespace telvane::ui {

TIbm::TIbm(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("TIbm"));
  setWindowTitle(QStringLiteral("Prompt Card"));
}

}  // namespace telvane::ui
