#pragma once
// Whether a standard stream is a terminal (a progress bar) or a pipe or file
// (plain lines for scripts).
#include <cstdio>

namespace platform {

bool isTerminal(std::FILE* stream);

}  // namespace platform
