// Any bytes as a message catalogue and as a translation table: never a crash, every slot
// and entry readable afterwards.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/message_catalogue.h"
#include "app/translation_tables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  telvane::app::MessageCatalogue catalogue;
  catalogue.Parse(bytes);
  std::size_t total = 0;
  for (int n = telvane::app::MessageCatalogue::kFirstSlot - 1;
       n <= telvane::app::MessageCatalogue::kLastSlot + 1; ++n) {
    total += catalogue.Text(n).size();
  }
  if (total > size) std::abort();
  const telvane::app::TranslationTable table = telvane::app::ParseTranslationTable(bytes);
  if (table.size() != 256) std::abort();
  return 0;
}
