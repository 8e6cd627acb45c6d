// The link diagnostic of the About box: reports, never repairs.

#include <string>

#include "store/script_store.h"

namespace telvane::store {

namespace {

bool Aligned(const e_object& l) {
  const std::size_t text = l.text_a.size() + l.text_b.size();
  return l.style_a.size() + l.style_b.size() == text &&
         l.colour_a.size() + l.colour_b.size() == text;
}

}  // namespace

LinkReport ScriptStore::CheckScriptLinks() const {
  LinkReport report;
  const bool ring = prompting_ && options_.continuous_prompt_mode;
  const e_object* line = ring ? edit_head_ : chain_first_;
  const e_object* stop = ring ? edit_tail_ : chain_last_;
  for (; line != stop; line = line->next) {
    int code = 0;
    if (line->next == nullptr || line->next->prev != line) {
      code = 1;
    } else if (!Aligned(*line)) {
      code = 16;
    } else if (IsSlugLine(*line) && (line->story == nullptr || line->story->line != line)) {
      code = 2;
    }
    if (code != 0) {
      report.code = code;
      report.line = line;
      break;
    }
  }
  for (const r_object* entry = run_head_; entry != nullptr && entry != run_tail_;
       entry = entry->next) {
    int code = 0;
    if (entry->next == nullptr || entry->next->prev != entry) {
      code = 4;
    } else if (entry->line != nullptr && entry->line->story != entry) {
      code = 8;
    }
    if (code != 0) {
      report.code |= code;
      report.entry = entry;
      break;
    }
  }
  return report;
}

std::string LinkReportText(const LinkReport& report) {
  const auto line_text = [](const e_object* line) {
    return line != nullptr ? line->text_a : std::string();
  };
  switch (report.code) {
    case 0:
      return "Diagnostic Test : Pass";
    case 1:
      return "Edit Link Error :" + line_text(report.line);
    case 2:
      return "Edit Cross Link Error :" + line_text(report.line);
    case 16:
      return "Data to Attribute Mismatch :" + line_text(report.line);
    case 4:
      return "Runorder Link Error :" + line_text(report.entry->line);
    case 8:
      return "Runorder Cross Link Error :" + line_text(report.entry->line);
    default:
      return "Multiple Link Errors: " + std::to_string(report.code);
  }
}

}  // namespace telvane::store
