#pragma once
// Work that a worker thread hands to the user-interface thread (a message
// box, a file dialog) without ever making the two wait for each other.
//
// A worker queues the call and waits for it; the user-interface thread runs
// queued calls from its event loop, and also while it waits for a worker in
// `WorkerThread::join`. A blocking queued call would deadlock there: the
// worker waits for the event loop, the event loop's thread waits for the
// worker.
#include <atomic>
#include <functional>
#include <thread>
#include <type_traits>

#include "ui/ui_export.h"

namespace ui {

// True on the application's user-interface thread, and everywhere while no
// application exists (there is no other thread to hand anything to).
VELKA_UI_EXPORT bool onGuiThread();

// Runs `call` on the user-interface thread and returns when it has run.
VELKA_UI_EXPORT void runOnGuiThread(const std::function<void()>& call);

template <typename F>
auto callOnGuiThread(F&& f) -> std::invoke_result_t<F&> {
    using Result = std::invoke_result_t<F&>;
    if (onGuiThread()) return f();
    Result result{};
    runOnGuiThread([&] { result = f(); });
    return result;
}

// One worker thread, joined at the latest when this goes. Joined on the
// user-interface thread, the wait runs the calls that workers queue for it.
class VELKA_UI_EXPORT WorkerThread {
public:
    WorkerThread() = default;
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Starts `work`; a worker still running is joined first.
    void start(std::function<void()> work);
    // The work has returned (also true before the first start).
    bool finished() const { return finished_.load(); }
    void join();

private:
    std::atomic<bool> finished_{true};
    std::thread thread_;
};

}  // namespace ui
