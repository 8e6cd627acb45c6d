#pragma once

// Story identifiers: parsing them from a slug line, rewriting the slug so that it begins with
// the bracketed identifier, matching them (FindStory) and ordering them (StoryIdLess).

#include <cstddef>
#include <string>
#include <string_view>

#include "runorder/run_order_options.h"
#include "store/script_store.h"

namespace telvane::runorder {

struct SlugIds {
  std::string story_id;
  std::string second_id;
  // The identifier characters' place in the full text: [id_begin, id_begin + story_id.size()).
  std::size_t id_begin = 0;
  // Where the text after the identifiers (and their closing bracket) begins.
  std::size_t rest_begin = 0;
  bool bracketed = false;
};

// Skips the blanks, reads non-blanks up to a comma into story_id (8 kept), after the comma
// non-blanks into second_id (8 kept), and stops at the first blank. A slug that already begins
// with the open bracket yields the text between the brackets, so that parsing a rewritten
// slug gives the same identifiers again.
SlugIds ParseSlug(std::string_view text, const RunOrderOptions& options);

// Parses the slug line's identifiers into its entry (second_id in upper case unless "Newstar
// Remote Script"), and, unless "Remove Number On Prompt", rewrites the slug text so that it
// begins with the open bracket, the identifiers and the close bracket; the brackets take the
// identifier's first font and colour (the selected prompt font and colour byte 240 when it is
// empty), plus bold with "Force Bold".
void ParseSlugInto(store::ScriptStore& store, store::r_object& entry,
                   const RunOrderOptions& options);

// Trimmed, upper case, padded on the left with "0" to 8 characters.
std::string PaddedId(std::string_view id);
std::string TrimUpper(std::string_view text);

// The first entry whose padded identifier equals id's (and, with "Multi Run", whose second_id
// in upper case equals program); RunEnd when none.
store::r_object* FindStory(const store::ScriptStore& store, std::string_view id,
                           std::string_view program, bool multi_run);

// Whether identifier a orders before b: by leading digits, then the rest, as resequenced
// run orders have always been ordered.
bool StoryIdLess(std::string_view a, std::string_view b, bool decimal_story_numbers,
                 bool multi_run);

// The slug line's text; without its bracketed identifier when remove_number.
std::string SlugText(const store::r_object& entry, const RunOrderOptions& options,
                     bool remove_number);

}  // namespace telvane::runorder
