#include "ui/help.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QUrl>
#include <deque>
#include <mutex>

namespace ui {

namespace {
constexpr std::size_t kKeep = 256;

struct HelpState {
    std::mutex mutex;
    std::deque<HelpRequest> recorded;
    HelpHandler handler;
};

HelpState& state() {
    static HelpState s;
    return s;
}

void openInViewer(const HelpRequest& request) {
    if (!qApp || QGuiApplication::platformName() == QLatin1String("offscreen")) return;
    const QString html = QString::fromStdString(htmlHelpPath(request.file));
    if (!QFileInfo::exists(html)) return;
    QUrl url = QUrl::fromLocalFile(html);
    if (request.context) url.setFragment(QString::number(request.context));
    QDesktopServices::openUrl(url);
}
}  // namespace

std::string htmlHelpPath(const std::string& helpFile) {
    const std::size_t slash = helpFile.find_last_of("/\\");
    const std::size_t dot = helpFile.find_last_of('.');
    const bool hasExt = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExt ? helpFile.substr(0, dot) : helpFile) + ".html";
}

void openHelp(const std::string& file, HelpCommand command, std::uint32_t context) {
    HelpRequest request{file, command, context};
    HelpHandler handler;
    {
        auto& s = state();
        std::lock_guard lock(s.mutex);
        s.recorded.push_back(request);
        if (s.recorded.size() > kKeep) s.recorded.pop_front();
        handler = s.handler;
    }
    if (handler)
        handler(request);
    else
        openInViewer(request);
}

ScopedHelpHandler::ScopedHelpHandler(HelpHandler handler) {
    auto& s = state();
    std::lock_guard lock(s.mutex);
    previous_ = std::exchange(s.handler, std::move(handler));
}

ScopedHelpHandler::~ScopedHelpHandler() {
    auto& s = state();
    std::lock_guard lock(s.mutex);
    s.handler = std::move(previous_);
}

std::vector<HelpRequest> recordedHelpRequests() {
    auto& s = state();
    std::lock_guard lock(s.mutex);
    return {s.recorded.begin(), s.recorded.end()};
}

void clearRecordedHelpRequests() {
    auto& s = state();
    std::lock_guard lock(s.mutex);
    s.recorded.clear();
}

}  // namespace ui
