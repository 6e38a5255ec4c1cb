#include "tests/ui/ui_test_support.h"

#include <gtest/gtest.h>
#include <QFont>
#include <QTimer>
#include <cstdlib>
#include <memory>

namespace uitest {

namespace {
std::unique_ptr<QApplication> instance;

// The application ends with the test run, while Qt's own globals still
// exist; left to static destruction it would outlive some of them.
class AppEnvironment : public ::testing::Environment {
public:
    void TearDown() override {
        if (!instance) return;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        instance.reset();
    }
};
}  // namespace

QApplication& app() {
    static int argc = 1;
    static char name[] = "velka-ui-test";
    static char* argv[] = {name, nullptr};
    if (!instance) {
        if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
        instance = std::make_unique<QApplication>(argc, argv);
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
        QApplication::setApplicationDisplayName(QStringLiteral("Tamo TA"));
        static bool registered = false;
        if (!registered) {
            registered = true;
            ::testing::AddGlobalTestEnvironment(new AppEnvironment);
        }
    }
    return *instance;
}

void pump() {
    app();
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void whenModal(std::function<void()> step) {
    app();
    QTimer::singleShot(0, &app(), std::move(step));
}

}  // namespace uitest
