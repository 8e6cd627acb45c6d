#pragma once

// The store obeys a handful of settings; they are copied in whenever the configuration loads.

#include "config/settings.h"
#include "store/store_options.h"

namespace telvane::app {

store::StoreOptions StoreOptionsFrom(const config::Settings& settings);

}  // namespace telvane::app
