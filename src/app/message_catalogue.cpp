#include "app/message_catalogue.h"

#include <charconv>

#include "app/text_lines.h"
#include "platform/files.h"

namespace telvane::app {

MessageCatalogue::MessageCatalogue() : slots_(kLastSlot + 1) {}

void MessageCatalogue::Parse(std::string_view bytes) {
  slots_.assign(kLastSlot + 1, std::string());
  bool heading = true;
  ForEachLine(bytes, [&](std::string_view line) {
    if (heading) {
      heading = false;
      return;
    }
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) return;
    const std::string_view number = TrimBlanks(line.substr(0, eq));
    int n = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), n);
    if (ec != std::errc() || end != number.data() + number.size()) return;
    if (n < kFirstSlot || n > kLastSlot) return;
    slots_[static_cast<std::size_t>(n)] = std::string(line.substr(eq + 1));
  });
}

Status MessageCatalogue::Load(const std::string& path) {
  auto bytes = platform::ReadWholeFile(path);
  if (!bytes) return bytes.error();
  Parse(*bytes);
  return {};
}

const std::string& MessageCatalogue::Text(int n) const {
  static const std::string kEmpty;
  if (n < kFirstSlot || n > kLastSlot) return kEmpty;
  return slots_[static_cast<std::size_t>(n)];
}

std::string CatalogueFileForLanguage(char language) {
  switch (language) {
    case 'B':
      return "tv32msg.ger";
    case 'C':
      return "tv32msg.fre";
    default:
      return "telvn32.msg";
  }
}

}  // namespace telvane::app
