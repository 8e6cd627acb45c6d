#pragma once

// telvane-tool simulate: a script prompted against the soft card on a stepped clock, with no
// real waiting, reporting each change of the on-air story and how well the card was kept fed.

#include <ostream>
#include <string>
#include <vector>

namespace telvane::prompt {

// args: the words after "simulate":
//   FILE [--speed S] [--seconds T] [--start ID] [--edit-every MS]
// Exit status 0, 1 on a failure, 2 on wrong usage.
int RunSimulateCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace telvane::prompt
