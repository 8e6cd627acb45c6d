#pragma once

// The news-copy paragraphs the benchmarks lay out: ordinary words, a bold one now and then.

#include <iterator>
#include <string>

#include "store/line_fit.h"
#include "store/script_store.h"

namespace telvane::bench {

// Lays out a paragraph of `words` words after line, ends it with a hard return and yields
// the new empty line after it. word counts on through the word list between calls.
inline store::e_object* AddParagraph(store::ScriptStore& script, store::e_object* line,
                                     unsigned& word, int words, bool bold_words) {
  static constexpr const char* kWords[] = {"the",  "minister", "said",  "today", "that",
                                           "rail", "fares",    "would", "rise",  "again,",
                                           "by",   "three",    "per",   "cent",  "in-line"};
  store::StyledText text;
  for (int w = 0; w < words; ++w) {
    const std::string s = std::string(kWords[word++ % std::size(kWords)]) + ' ';
    text.text += s;
    text.style.append(s.size(), static_cast<char>(bold_words && w % 7 == 0 ? 0x11 : 0x00));
    text.colour.append(s.size(), '8');
  }
  line = store::LayOutText(script, line, std::move(text), 0);
  line->flags |= store::line_flag::kHardReturn;
  return script.InsertLine(line, true);
}

}  // namespace telvane::bench
