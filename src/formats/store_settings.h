#pragma once

// The store obeys a handful of settings; they are copied in whenever a configuration is
// loaded, by the program and by every tool that lays out a script.

#include <array>

#include "config/settings.h"
#include "prompt/prompt_fonts.h"
#include "store/store_options.h"

namespace telvane::formats {

store::StoreOptions StoreOptionsFrom(const config::Settings& settings);

// The eight prompt fonts of the configuration, for the prompt font table.
std::array<prompt::PromptFont, prompt::kPromptFonts> PromptFontsFrom(
    const config::Settings& settings);

}  // namespace telvane::formats
