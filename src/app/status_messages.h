#pragma once

// The status message list: newest first, at most 250 entries of "hh:mm:ss message".

#include <cstddef>
#include <deque>
#include <ostream>
#include <string>
#include <string_view>

#include "platform/host.h"

namespace telvane::app {

class StatusMessages {
 public:
  static constexpr std::size_t kMaxEntries = 250;

  void Add(const platform::LocalTime& time, std::string_view text);
  void Clear() { entries_.clear(); }
  const std::deque<std::string>& entries() const { return entries_; }

 private:
  std::deque<std::string> entries_;
};

// "hh:mm:ss".
std::string TimeOfDay(const platform::LocalTime& time);

// What the operator saw, also written to a stream (standard error in the program) so that a
// run without a screen and a support log show the same texts. Texts arrive in code page 1252.
class OperatorLog {
 public:
  explicit OperatorLog(std::ostream* out) : out_(out) {}
  void Write(const platform::LocalTime& time, std::string_view where, std::string_view text);

 private:
  std::ostream* out_;
};

}  // namespace telvane::app
