#include "tests/support/temp_home.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace testsupport {

namespace {
void saveEnv(const char* name, std::string& value, bool& had) {
    const char* v = std::getenv(name);
    had = v != nullptr;
    if (had) value = v;
}
void restoreEnv(const char* name, const std::string& value, bool had) {
    if (had)
        setenv(name, value.c_str(), 1);
    else
        unsetenv(name);
}
}  // namespace

TempHome::TempHome() {
    std::string pattern = (std::filesystem::temp_directory_path() / "velka-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    std::filesystem::create_directories(path_ + "/run");
    saveEnv("VELKA_TA_HOME", oldHome_, hadHome_);
    saveEnv("XDG_RUNTIME_DIR", oldRuntime_, hadRuntime_);
    setenv("VELKA_TA_HOME", path_.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (path_ + "/run").c_str(), 1);
}

TempHome::~TempHome() {
    restoreEnv("VELKA_TA_HOME", oldHome_, hadHome_);
    restoreEnv("XDG_RUNTIME_DIR", oldRuntime_, hadRuntime_);
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

bool waitForText(const std::string& path, std::string_view needle, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (readFile(path).find(needle) == std::string::npos) {
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

std::string binDir() {
    const char* dir = std::getenv("VELKA_TA_TEST_BIN_DIR");
    return dir ? std::string(dir) + "/bin" : std::string("bin");
}

}  // namespace testsupport
