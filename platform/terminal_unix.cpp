#include <unistd.h>

#include "platform/terminal.h"

namespace platform {

bool isTerminal(std::FILE* stream) {
    return stream && ::isatty(::fileno(stream)) == 1;
}

}  // namespace platform
