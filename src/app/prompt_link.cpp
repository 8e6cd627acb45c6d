#include "app/prompt_link.h"

#include "app/application.h"

namespace telvane::app {

void PromptLink::StatusMessage(std::string_view text) {
  if (text.empty()) {
    app_.ClearStatusLine();
  } else {
    app_.ShowStatusMessage(text);
  }
}

void PromptLink::Information(std::string_view text) {
  app_.Ask(text, platform::BoxKind::kInformation, platform::BoxButtons::kOk);
}

std::string PromptLink::MessageText(int number) const { return app_.MessageText(number); }

void PromptLink::ShowMessage(int catalogue_number, platform::BoxKind kind) {
  app_.Ask(app_.MessageText(catalogue_number), kind, platform::BoxButtons::kOk);
}

}  // namespace telvane::app
