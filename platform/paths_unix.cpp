#include "platform/paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifndef VELKA_TA_SOURCE_DIR
#define VELKA_TA_SOURCE_DIR "."
#endif

namespace platform::paths {

namespace fs = std::filesystem;

namespace {

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string userHome() {
    std::string home = env("HOME");
    if (!home.empty()) return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return "/tmp";
}

// Creating the folder is best effort: a caller that then cannot open a file
// in it reports that failure with its own code.
std::string ensureDir(std::string dir) {
    std::error_code ec;
    fs::create_directories(dir, ec);
    return dir;
}

std::string exeDir() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

}  // namespace

std::string homeDir() {
    std::string dir = env("VELKA_TA_HOME");
    if (dir.empty()) {
        const std::string state = env("XDG_STATE_HOME");
        dir = (state.empty() ? userHome() + "/.local/state" : state) + "/velka-ta";
    }
    return ensureDir(std::move(dir));
}

std::string runtimeDir() {
    const std::string runtime = env("XDG_RUNTIME_DIR");
    return ensureDir(runtime.empty() ? homeDir() + "/run" : runtime + "/velka-ta");
}

std::string registryDbPath() {
    return homeDir() + "/registry.db";
}

std::string installDir() {
    std::string dir = env("VELKA_TA_INSTALL_DIR");
    if (!dir.empty()) return dir;
    const std::string bin = exeDir();
    if (!bin.empty()) {
        std::error_code ec;
        const fs::path installed = fs::path(bin) / ".." / "share" / "velka-ta";
        if (fs::is_directory(installed, ec)) return fs::weakly_canonical(installed, ec).string();
    }
    return VELKA_TA_SOURCE_DIR;
}

std::string dataDir() {
    return installDir() + "/data";
}
std::string helpDir() {
    return installDir() + "/data/help";
}
std::string profilesDir() {
    return homeDir() + "/profiles";
}
std::string firmwareDir() {
    return dataDir() + "/firmware";
}

}  // namespace platform::paths
