#include "formats/ui/file_io.h"

namespace telvane::ui {

TFileIo::TFileIo(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("TFileIo"));
  setWindowTitle(QStringLiteral("File Input Output"));
}

}  // namespace telvane::ui
