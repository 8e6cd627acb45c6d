#include "runorder/received_text.h"

#include <string>
#include <vector>

#include "runorder/story_status.h"
#include "store/line_fit.h"

namespace telvane::runorder {

using store::e_object;

namespace {

std::vector<std::string> Paragraphs(std::string_view text) {
  std::vector<std::string> out(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      // A CR LF pair ends one paragraph.
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out.emplace_back();
    } else if (c == '\t') {
      out.back() += ' ';
    } else if (static_cast<unsigned char>(c) >= ' ') {
      out.back() += c;
    }
  }
  while (!out.empty() && out.back().empty()) out.pop_back();
  return out;
}

// The style and colour of the story's last character below the slug, or the typing state's.
std::pair<char, char> LastAttributes(const store::ScriptStore& store, e_object* slug,
                                     e_object* last) {
  for (const e_object* l = last; l != slug; l = l->prev) {
    const std::string& style = l->style_b.empty() ? l->style_a : l->style_b;
    const std::string& colour = l->colour_b.empty() ? l->colour_a : l->colour_b;
    if (!style.empty() && !colour.empty()) return {style.back(), colour.back()};
  }
  return {static_cast<char>(store.typing().style), static_cast<char>(store.typing().colour)};
}

}  // namespace

e_object* InsertReceivedText(store::ScriptStore& store, store::r_object& entry,
                             std::string_view text) {
  if (entry.line == nullptr) return nullptr;
  const std::vector<std::string> paragraphs = Paragraphs(text);
  if (paragraphs.empty()) return nullptr;
  e_object* slug = entry.line;
  e_object* last = LastLineOfStory(store, slug);
  const auto [style, colour] = LastAttributes(store, slug, last);
  using namespace store::line_flag;
  const std::uint32_t story_flags = slug->flags & (kStatusMask | kCloaked);
  const std::uint32_t story_state = slug->flags2 & store::line_state::kOutOfTotals;
  if (!store::IsEmptyLine(*last)) last->flags |= kHardReturn;
  for (const std::string& paragraph : paragraphs) {
    e_object* line = store.InsertLine(last, true);
    if (line == nullptr) break;
    line->flags = (line->flags & ~(kStatusMask | kCloaked)) | story_flags;
    line->flags2 |= story_state;
    last = line;
    if (!paragraph.empty()) {
      store::StyledText styled{paragraph, std::string(paragraph.size(), style),
                               std::string(paragraph.size(), colour)};
      last = store::LayOutText(store, line, std::move(styled), 0);
    }
    last->flags |= kHardReturn;
  }
  store.MarkChanged(true);
  return last;
}

}  // namespace telvane::runorder
