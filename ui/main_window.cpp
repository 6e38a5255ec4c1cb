#include "ui/main_window.h"

#include <mutex>

namespace ui {

namespace {
struct MainWindow {
    std::mutex mutex;
    std::string endpoint;
};
MainWindow& mainWindow() {
    static MainWindow w;
    return w;
}
}  // namespace

void setMainWindowEndpoint(const std::string& endpoint) {
    auto& w = mainWindow();
    std::lock_guard lock(w.mutex);
    w.endpoint = endpoint;
}

std::string mainWindowEndpoint() {
    auto& w = mainWindow();
    std::lock_guard lock(w.mutex);
    return w.endpoint;
}

}  // namespace ui
