#include "ui/gui_thread.h"

#include <QCoreApplication>
#include <QThread>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace ui {

namespace {

struct QueuedCall {
    const std::function<void()>* call;
    bool done = false;
};

// The calls waiting for the user-interface thread. Process-wide on purpose:
// any worker may ask, and the one user-interface thread answers them all.
class GuiCallQueue {
public:
    void submit(const std::function<void()>& call) {
        QueuedCall queued{&call};
        std::unique_lock lock(mutex_);
        pending_.push_back(&queued);
        guiWake_.notify_all();
        lock.unlock();
        // Runs the call from the event loop when the thread is not in a join.
        QMetaObject::invokeMethod(
            qApp, [this] { serve(); }, Qt::QueuedConnection);
        lock.lock();
        callDone_.wait(lock, [&] { return queued.done; });
    }

    // On the user-interface thread: runs every queued call. A call may run
    // an event loop of its own (a modal box), which may serve the next one.
    void serve() {
        std::unique_lock lock(mutex_);
        while (!pending_.empty()) {
            QueuedCall* next = pending_.front();
            pending_.pop_front();
            lock.unlock();
            (*next->call)();
            lock.lock();
            next->done = true;
            callDone_.notify_all();
        }
    }

    void waitServing(const std::atomic<bool>& finished) {
        std::unique_lock lock(mutex_);
        for (;;) {
            if (finished.load()) return;
            if (!pending_.empty()) {
                lock.unlock();
                serve();
                lock.lock();
                continue;
            }
            guiWake_.wait(lock);
        }
    }

    // Taken under the lock, so a waiter between its check and its wait
    // cannot miss it.
    void wake() {
        const std::lock_guard lock(mutex_);
        guiWake_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable guiWake_;
    std::condition_variable callDone_;
    std::deque<QueuedCall*> pending_;
};

GuiCallQueue& queue() {
    static GuiCallQueue instance;
    return instance;
}

}  // namespace

bool onGuiThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

void runOnGuiThread(const std::function<void()>& call) {
    if (onGuiThread()) {
        call();
        return;
    }
    queue().submit(call);
}

WorkerThread::~WorkerThread() {
    join();
}

void WorkerThread::start(std::function<void()> work) {
    join();
    finished_ = false;
    thread_ = std::thread([this, work = std::move(work)] {
        work();
        finished_ = true;
        queue().wake();
    });
}

void WorkerThread::join() {
    if (!thread_.joinable()) return;
    if (onGuiThread()) queue().waitServing(finished_);
    thread_.join();
}

}  // namespace ui
