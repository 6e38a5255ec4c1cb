#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/autostart.h"
#include "platform/file_io.h"
#include "platform/program_start.h"
#include "platform/registry_store.h"
#include "platform/status_codes.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

fs::path autostartDir() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config) return fs::path(config) / "autostart";
    const char* home = std::getenv("HOME");
    return fs::path(home ? home : "/tmp") / ".config" / "autostart";
}

// Desktop-entry quoting: the path in double quotes, with `"`, `` ` ``, `$`
// and `\` escaped, and the backslashes doubled once more for the string
// level of the format.
std::string quoteExec(std::string_view program) {
    std::string out = "\"";
    for (const char c : program) {
        if (c == '"' || c == '`' || c == '$') out += "\\\\";
        if (c == '\\') out += "\\\\\\";
        out += c;
    }
    return out + "\"";
}

}  // namespace

std::string autostartFileName(std::string_view valueName) {
    constexpr std::string_view kPrefix = "velkata_";
    std::string lower(valueName);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        const bool keep = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
        if (!keep) c = '-';
    }
    if (lower.starts_with(kPrefix)) lower = "velka-ta-" + lower.substr(kPrefix.size());
    return lower + ".desktop";
}

std::string autostartEntryPath(std::string_view valueName) {
    return (autostartDir() / autostartFileName(valueName)).string();
}

std::string autostartEntryText(std::string_view title, std::string_view program) {
    std::string text = "[Desktop Entry]\nType=Application\nName=";
    text += title;
    text += "\nExec=" + quoteExec(program) + "\nTerminal=false\nX-GNOME-Autostart-enabled=true\n";
    return text;
}

std::int32_t setRunValue(std::string_view valueName, std::string_view command) {
    const std::string program = resolveProgram(command);
    if (program.empty()) return kFileNotFound;
    RegKey key;
    std::int32_t rc = RegKey::create(RegRoot::LocalMachine, kRunKey, key);
    if (rc == kOk) rc = key.setString(valueName, command);
    if (rc != kOk) return rc;
    // Replaced in one step: the desktop never reads half an entry.
    std::error_code ec;
    fs::create_directories(autostartDir(), ec);
    rc = replaceFile(autostartEntryPath(valueName),
                     autostartEntryText(programName(command), program));
    if (rc != kOk) key.deleteValue(valueName);
    return rc;
}

std::int32_t deleteRunValue(std::string_view valueName) {
    std::error_code ec;
    fs::remove(autostartEntryPath(valueName), ec);
    if (ec) return kAccessDenied;
    RegKey key;
    if (RegKey::open(RegRoot::LocalMachine, kRunKey, key) != kOk) return kOk;
    const std::int32_t rc = key.deleteValue(valueName);
    return rc == kFileNotFound ? kOk : rc;
}

}  // namespace platform
