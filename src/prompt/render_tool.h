#pragma once

// telvane-tool render: a script file laid out and drawn as the prompt page a start at a story
// would send, written as a PNG, or its run words counted.

#include <ostream>
#include <string>
#include <vector>

namespace telvane::prompt {

// args: the words after "render":
//   FILE [--story ID] [--preview] --out PAGE.png
//   FILE [--story ID] --encode
// Exit status 0, 1 on a failure, 2 on wrong usage.
int RunRenderCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace telvane::prompt
