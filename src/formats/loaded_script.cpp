#include "formats/loaded_script.h"

namespace telvane::formats {

namespace {

// The tool has no catalogue: it names the reports it may give.
std::string Describe(int n) {
  switch (n) {
    case 24:
      return "Error loading the file:";
    case 25:
      return "a line record is damaged";
    case 26:
      return "the file header is not valid";
    case 191:
      return "The file cannot be read";
    case 308:
      return "The file's fonts differ";
    case 762:
      return "Some values were corrected while loading";
    default:
      return "message " + std::to_string(n);
  }
}

}  // namespace

platform::BoxAnswer ToolOperator::Ask(std::string_view text, platform::BoxKind kind,
                                      platform::BoxButtons buttons) {
  if (kind == platform::BoxKind::kError || kind == platform::BoxKind::kWarning ||
      kind == platform::BoxKind::kInformation) {
    err_ << text << '\n';
  }
  return buttons == platform::BoxButtons::kOkCancel || buttons == platform::BoxButtons::kOk
             ? platform::BoxAnswer::kOk
             : platform::BoxAnswer::kYes;
}

const std::string& ToolOperator::MessageText(int n) const {
  texts_.push_back(Describe(n));
  return texts_.back();
}

}  // namespace telvane::formats
