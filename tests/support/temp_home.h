#pragma once
// A private state folder for a test: VELKA_TA_HOME and XDG_RUNTIME_DIR point
// into a fresh temporary directory while the object lives, so every test
// starts with its own registry store, lock files and runtime endpoints.
#include <string>
#include <string_view>

namespace testsupport {

class TempHome {
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
    std::string oldHome_, oldRuntime_;
    bool hadHome_ = false, hadRuntime_ = false;
};

// Reads a whole file; empty when it cannot be read.
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& text);
// Waits until the file at `path` holds `needle`; false after `timeoutMs`.
bool waitForText(const std::string& path, std::string_view needle, int timeoutMs = 5000);
// The build tree's bin folder (programs such as ta-sim and tactl).
std::string binDir();

}  // namespace testsupport
