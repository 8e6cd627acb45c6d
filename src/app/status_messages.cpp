#include "app/status_messages.h"

#include <cstdio>

#include "store/code_pages.h"

namespace telvane::app {

std::string TimeOfDay(const platform::LocalTime& time) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", time.hour % 100, time.minute % 100,
                time.second % 100);
  return buffer;
}

void StatusMessages::Add(const platform::LocalTime& time, std::string_view text) {
  entries_.push_front(TimeOfDay(time) + " " + std::string(text));
  while (entries_.size() > kMaxEntries) entries_.pop_back();
}

void OperatorLog::Write(const platform::LocalTime& time, std::string_view where,
                        std::string_view text) {
  if (out_ == nullptr) return;
  *out_ << TimeOfDay(time) << ' ' << where << ": "
        << store::CodePageToUtf8(text, store::kDefaultCodePage) << '\n';
  out_->flush();
}

}  // namespace telvane::app
