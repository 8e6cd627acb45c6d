#include "app/run_order_link.h"

#include "app/application.h"

namespace telvane::app {

using platform::BoxAnswer;
using platform::BoxButtons;
using platform::BoxKind;

std::string RunOrderLink::Join(const runorder::MessagePieces& pieces) const {
  std::string text;
  for (const runorder::MessagePiece& piece : pieces) {
    if (!text.empty()) text += ' ';
    if (const int* n = std::get_if<int>(&piece)) {
      text += app_.MessageText(*n);
    } else {
      text += std::get<std::string>(piece);
    }
  }
  return text;
}

void RunOrderLink::RunOrderChanged() {
  app_.hooks().refresh_script_windows();
}

void RunOrderLink::RefreshEditor() {
  app_.hooks().refresh_script_windows();
}

void RunOrderLink::PromptJumpTo(store::r_object* entry) {
  if (entry != nullptr) app_.engine().JumpToLine(entry->line);
}

void RunOrderLink::PromptResumeOn(store::e_object* line) { app_.engine().JumpToLine(line); }

void RunOrderLink::PromptRestartOn(store::r_object* entry) {
  if (entry != nullptr) app_.engine().JumpToLine(entry->line);
}

void RunOrderLink::PromptRebuild() {
  // The order changed under the card: the page goes again from where it is.
  app_.engine().RememberFeed();
  app_.engine().EditDone();
}

void RunOrderLink::PromptStopRequested() { app_.engine().RequestStop(); }

void RunOrderLink::PromptReposition() {
  if (const store::r_object* air = app_.run_order().air_story()) {
    app_.engine().JumpToLine(air->line);
  }
}

void RunOrderLink::Information(const runorder::MessagePieces& text) {
  app_.Ask(Join(text), BoxKind::kInformation, BoxButtons::kOk);
}

bool RunOrderLink::Confirm(const runorder::MessagePieces& text, runorder::Buttons buttons) {
  const bool yes = buttons == runorder::Buttons::kYesCancel;
  const BoxAnswer answer = app_.Ask(Join(text), BoxKind::kConfirmation,
                                    yes ? BoxButtons::kYesNoCancel : BoxButtons::kOkCancel);
  return answer == (yes ? BoxAnswer::kYes : BoxAnswer::kOk);
}

void RunOrderLink::StatusMessage(const runorder::MessagePieces& text) {
  app_.ShowStatusMessage(Join(text));
}

}  // namespace telvane::app
