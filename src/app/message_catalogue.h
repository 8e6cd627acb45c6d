#pragma once

// The numbered interface texts. Every window, question and status message takes its text
// from here by number, so that a catalogue file switches the whole interface's language.

#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace telvane::app {

class MessageCatalogue {
 public:
  static constexpr int kFirstSlot = 1;
  static constexpr int kLastSlot = 1740;

  MessageCatalogue();

  // Replaces every slot from the catalogue text: the first line is a heading; each later
  // line is number "=" text. Lines that do not parse are skipped; a later number wins.
  void Parse(std::string_view bytes);
  Status Load(const std::string& path);

  // The text of slot n in the catalogue's code page (empty for an unfilled or unknown slot).
  const std::string& Text(int n) const;

 private:
  std::vector<std::string> slots_;
};

// The catalogue file of an interface language letter: "B" German, "C" French, else English.
std::string CatalogueFileForLanguage(char language);

}  // namespace telvane::app
