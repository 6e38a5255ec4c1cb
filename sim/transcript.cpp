#include "sim/transcript.h"

#include <fstream>
#include <sstream>

#include "platform/file_io.h"
#include "platform/ini_file.h"
#include "platform/status_codes.h"

namespace sim {

std::string escapeForLog(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        switch (c) {
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                if (c < 0x20 || c >= 0x7f) {
                    char hex[8];
                    std::snprintf(hex, sizeof hex, "\\x%02X", c);
                    out += hex;
                } else {
                    out.push_back(static_cast<char>(c));
                }
        }
    }
    return out;
}

bool appendTranscript(const std::string& path, std::string_view port, char direction,
                      std::string_view text) {
    std::string record;
    record.append(port).append(" ").append(1, direction).append(" ");
    record += escapeForLog(text);
    record += "\n";
    return platform::appendToFile(path, record) == platform::kOk;
}

std::string readTextFile(const std::string& path) {
    // Bounded and never waiting: a FIFO or /dev/zero under the name reads as
    // nothing instead of blocking or growing without limit.
    std::string text;
    platform::ini::readFileText(path, text);
    return text;
}

}  // namespace sim
