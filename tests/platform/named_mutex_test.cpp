// Named mutexes between processes: a holder in another process makes a
// waiter time out, and a holder that dies releases the mutex.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "platform/clock.h"
#include "platform/named_mutex.h"

using namespace platform;

namespace {

// A child process that takes the mutex, reports it through a pipe and then
// holds it until it is killed.
class Holder {
public:
    explicit Holder(const std::string& name) {
        int fds[2];
        if (pipe(fds) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            ::close(fds[0]);
            NamedMutex m(name);
            const char ok = m.lock(kInfinite) == WaitResult::Signaled ? 'y' : 'n';
            if (::write(fds[1], &ok, 1) != 1) _exit(1);
            for (;;) pause();
        }
        ::close(fds[1]);
        char answer = 0;
        locked_ = ::read(fds[0], &answer, 1) == 1 && answer == 'y';
        ::close(fds[0]);
    }
    ~Holder() { kill(); }
    bool locked() const { return locked_; }
    void kill() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    bool locked_ = false;
};

// A scale at which the waits below stay well apart on a loaded machine; the
// program runs alone, so the setting needs no undoing.
struct NamedMutexTest : ::testing::Test {
    void SetUp() override {
        setenv("VELKA_TA_TIME_SCALE", "0.1", 1);
        reloadTimeScale();
    }
};

TEST_F(NamedMutexTest, SecondHolderInSameProcessWaitsLikeAnyOther) {
    NamedMutex a("Velka-test-same");
    NamedMutex b("Velka-test-same");
    ASSERT_TRUE(a.tryLock());
    EXPECT_TRUE(a.tryLock());  // already held by this object
    EXPECT_FALSE(b.tryLock());
    EXPECT_EQ(b.lock(200), WaitResult::Timeout);
    a.unlock();
    EXPECT_FALSE(a.held());
    EXPECT_EQ(b.lock(200), WaitResult::Signaled);
    EXPECT_TRUE(b.held());
}

TEST_F(NamedMutexTest, HolderInOtherProcessMakesWaiterTimeOutUntilItIsKilled) {
    Holder holder(kDeviceAccessMutex);
    ASSERT_TRUE(holder.locked());
    NamedMutex m(kDeviceAccessMutex);
    EXPECT_EQ(m.lock(500), WaitResult::Timeout);
    EXPECT_FALSE(m.held());
    holder.kill();
    EXPECT_EQ(m.lock(kDeviceAccessWaitMs), WaitResult::Signaled);
}

TEST_F(NamedMutexTest, WaiterGetsTheMutexWhenTheHolderDiesDuringTheWait) {
    Holder holder("Velka-test-dies");
    ASSERT_TRUE(holder.locked());
    NamedMutex m("Velka-test-dies");
    std::thread killer([&] {
        sleepMs(300);
        holder.kill();
    });
    EXPECT_EQ(m.lock(kDeviceAccessWaitMs), WaitResult::Signaled);
    killer.join();
}

TEST_F(NamedMutexTest, NamesWithSlashesStayInTheRuntimeFolder) {
    NamedMutex a("../x/y");
    NamedMutex b("../x/y");
    ASSERT_TRUE(a.tryLock());
    EXPECT_FALSE(b.tryLock());
}

}  // namespace
