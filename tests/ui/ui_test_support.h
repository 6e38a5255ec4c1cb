#pragma once
// Helpers for tests that drive widgets: one QApplication for the test
// program (offscreen, with a fixed font so layouts and pictures do not depend
// on the machine), event pumping, and a way to act inside a modal loop.
#include <QApplication>
#include <functional>

namespace uitest {

QApplication& app();
// Runs pending events, deferred deletions included.
void pump();
// Runs `step` as soon as the next event loop (typically a modal dialog's)
// handles events.
void whenModal(std::function<void()> step);

// As the first base of a fixture, so that widget members find the application.
struct WithApp {
    WithApp() { app(); }
};

}  // namespace uitest
