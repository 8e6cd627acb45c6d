#pragma once

// Text that another program drops on a story ("Quillbox" records): it joins the story as new
// paragraphs after its last line.

#include <string_view>

#include "store/script_store.h"

namespace telvane::runorder {

// Appends text (8-bit, in the slug line's code page) to the story of entry: each carriage
// return or line feed ends a paragraph, tabs become blanks and other control characters are
// dropped. The new lines take the story's status, inactive and cloaked marks and the style
// and colour of the story's last character, and the script is marked changed; the caller
// counts the story again. Yields the last new line, null when nothing was inserted.
store::e_object* InsertReceivedText(store::ScriptStore& store, store::r_object& entry,
                                    std::string_view text);

}  // namespace telvane::runorder
