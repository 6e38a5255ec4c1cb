// The busy dialog: its work on a worker thread, the user interface alive
// meanwhile, the work's result as the dialog's result whatever ends the run
// -- first with work of the test's own, then reading and writing a simulated
// adapter through a real pseudo-terminal.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>
#include <thread>

#include "config/busy_animation.h"
#include "config/delay_dlg.h"
#include "device/device_info.h"
#include "platform/clock.h"
#include "platform/event.h"
#include "profile/device_profiles.h"
#include "profile/profile_settings.h"
#include "sim/scenario.h"
#include "tests/support/sim_port.h"
#include "tests/ui/ui_test_support.h"
#include "ui/animation_control.h"
#include "ui/wait_cursor.h"

namespace {

// Set by a thread-local guard when the worker thread itself has ended, not
// only its work function.
std::atomic<bool> workerThreadEnded{false};
struct ThreadEndMark {
    ~ThreadEndMark() { workerThreadEnded = true; }
};

class FakeDelayDlg : public CDelayDlg {
public:
    FakeDelayDlg(CDeviceProfiles& profiles, const CDeviceInfo& device, int animation,
                 std::function<std::int32_t(FakeDelayDlg&)> work)
        : CDelayDlg(profiles, device, animation), work_(std::move(work)) {}
    ~FakeDelayDlg() override { WaitForWork(); }

    std::thread::id workThread;

protected:
    std::int32_t Work() override {
        thread_local ThreadEndMark mark;
        (void)mark;
        workThread = std::this_thread::get_id();
        return work_(*this);
    }

private:
    std::function<std::int32_t(FakeDelayDlg&)> work_;
};

// Every title the dialog shows, as the work's steps set them.
std::shared_ptr<QStringList> titlesOf(QWidget& dialog) {
    auto titles = std::make_shared<QStringList>();
    QObject::connect(&dialog, &QWidget::windowTitleChanged,
                     [titles](const QString& t) { *titles << t; });
    return titles;
}

struct DelayFixture : uitest::WithApp, ::testing::Test {
    void SetUp() override {
        testsupport::setTimeScale(0.2);
        workerThreadEnded = false;
    }
    void TearDown() override { uitest::pump(); }

    // Polls on the user-interface thread (inside the dialog's modal loop)
    // until `condition` holds, then runs `then`.
    void whenTrue(std::function<bool()> condition, std::function<void()> then) {
        auto* timer = new QTimer(&uitest::app());
        timer->setInterval(5);
        QObject::connect(timer, &QTimer::timeout, [timer, condition, then] {
            if (!condition()) return;
            timer->stop();
            timer->deleteLater();
            then();
        });
        timer->start();
    }

    CDeviceProfiles profiles;
    CDeviceInfo device;
};

TEST_F(DelayFixture, AWorkThatFailsAtOnceStillReturnsItsCodeAfterTheWorkerEnded) {
    int calls = 0;
    FakeDelayDlg dialog(profiles, device, config::ReadAnimation(16),
                        [&](FakeDelayDlg&) { return std::int32_t(++calls == 1 ? 1002 : 0); });
    bool shownWhenStarted = false;
    uitest::whenModal([&] { shownWhenStarted = dialog.isVisible(); });

    EXPECT_EQ(dialog.DoModal(), 1002);

    EXPECT_TRUE(shownWhenStarted);
    EXPECT_TRUE(dialog.IsDone());
    EXPECT_TRUE(workerThreadEnded) << "the run returned before its worker thread was gone";
    EXPECT_NE(dialog.workThread, std::this_thread::get_id());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.IsRunning());
    EXPECT_EQ(ui::waitCursorDepth(), 0);
    // A second run starts with a fresh result.
    EXPECT_EQ(dialog.DoModal(), 0);
    EXPECT_EQ(calls, 2);
}

TEST_F(DelayFixture, TheUserInterfaceStaysAliveWhileTheWorkRuns) {
    platform::Event release;
    FakeDelayDlg dialog(profiles, device, config::WriteAnimation(2), [&](FakeDelayDlg& self) {
        // What the profile engine does from its thread.
        self.SetBusyText(1295, "ignored: the dialog's own table has the text");
        self.SetBusyText(4711, "Ein Text ohne Nummer");
        release.wait(platform::kInfinite);
        return std::int32_t(0);
    });
    bool checked = false;
    whenTrue([&] { return dialog.BusyText() == QStringLiteral("Ein Text ohne Nummer"); },
             [&] {
                 checked = true;
                 EXPECT_TRUE(dialog.isVisible());
                 EXPECT_FALSE(dialog.isEnabled());
                 EXPECT_TRUE(dialog.AnimationControlWidget()->isPlaying());
                 EXPECT_EQ(dialog.AnimationControlWidget()->number(), 1386);
                 EXPECT_EQ(ui::waitCursorDepth(), 1);
                 dialog.close();
                 dialog.reject();
                 EXPECT_TRUE(dialog.isVisible()) << "the busy dialog cannot be closed by the user";
                 release.set();
             });
    const auto titles = titlesOf(dialog);

    EXPECT_EQ(dialog.DoModal(), 0);

    EXPECT_TRUE(checked);
    EXPECT_EQ(*titles, (QStringList{QStringLiteral("Schreibt zu Gerät..."),
                                    QStringLiteral("Ein Text ohne Nummer")}));
    EXPECT_FALSE(dialog.AnimationControlWidget()->isPlaying());
    EXPECT_TRUE(dialog.isEnabled());
    EXPECT_EQ(ui::waitCursorDepth(), 0);
}

TEST_F(DelayFixture, DestroyingTheDialogWhileItRunsWaitsForTheWorkAndKeepsItsResult) {
    platform::Event release;
    // The work's state lives on the heap and is used after the wait, so a
    // subclass part that went before its worker ended shows up under ASan.
    const std::string tag(64, 'w');
    auto* dialog = new FakeDelayDlg(profiles, device, 1381, [&, tag](FakeDelayDlg&) {
        release.wait(platform::kInfinite);
        return std::int32_t(tag.size() == 64 ? 8001 : 1);
    });
    QPointer<FakeDelayDlg> watch(dialog);
    bool wasPlaying = false;
    whenTrue([&] { return watch && watch->IsRunning(); },
             [&] {
                 wasPlaying = watch->AnimationControlWidget()->isPlaying();
                 // The work finishes a moment later on its own thread; the
                 // destructor has to wait for it.
                 std::thread([&] {
                     platform::sleepMs(50);
                     release.set();
                 }).detach();
                 delete watch.data();
             });
    EXPECT_EQ(dialog->DoModal(), 8001);
    EXPECT_TRUE(wasPlaying);
    EXPECT_TRUE(workerThreadEnded);
    EXPECT_EQ(ui::waitCursorDepth(), 0);
}

// An application told to quit ends every event loop, the busy dialog's too;
// the work must still end before the run returns, and its code must be the
// result. Quitting marks the thread for good, so this runs in a child.
TEST_F(DelayFixture, QuittingTheApplicationDuringTheWorkStillReturnsTheWorksCode) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            platform::Event started;
            FakeDelayDlg dialog(profiles, device, 1381, [&](FakeDelayDlg&) {
                started.set();
                platform::sleepMs(300);
                return std::int32_t(1017);
            });
            whenTrue([&] { return started.isSet(); }, [] { QCoreApplication::exit(0); });
            const std::int32_t result = dialog.DoModal();
            const bool ok = result == 1017 && workerThreadEnded && !dialog.IsRunning() &&
                            ui::waitCursorDepth() == 0;
            std::_Exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

// --------------------------------------------------------------- real parts

struct SimFixture : DelayFixture {
    testsupport::TempHome home;
    CProfileSettings settings;
};

TEST_F(SimFixture, ReadsAndWritesAllProfilesOfASimulatedAdapter) {
    sim::Scenario scenario = sim::defaultScenario(sim::Kind::PcCard, false);
    scenario.activeProfile = 2;
    const auto adapter = testsupport::startSim(scenario, "COM7");
    ASSERT_NE(adapter, nullptr);
    device.SetPort("COM7");
    device.type = profiles.deviceKind = 16;
    device.region = profiles.northAmerica = 0;

    CReadDelayDlg reading(profiles, device, settings, config::ReadAnimation(device.type));
    const auto readTitles = titlesOf(reading);
    ASSERT_EQ(reading.DoModal(), 0);
    EXPECT_EQ(profiles.activeProfile, 2);
    EXPECT_EQ(*readTitles, (QStringList{QStringLiteral("Verbindet mit Gerät..."),
                                        QStringLiteral("Liest von Gerät...")}));

    profiles.activeProfile = 1;
    CWriteDelayDlg writing(profiles, device, config::WriteAnimation(device.type));
    const auto writeTitles = titlesOf(writing);
    ASSERT_EQ(writing.DoModal(), 0);
    EXPECT_EQ(*writeTitles, (QStringList{QStringLiteral("Verbindet mit Gerät..."),
                                         QStringLiteral("Schreibt zu Gerät..."),
                                         QStringLiteral("Gerät wird gestartet...")}));

    CDeviceProfiles again;
    again.deviceKind = device.type;
    CReadDelayDlg check(again, device, settings, config::ReadAnimation(device.type));
    ASSERT_EQ(check.DoModal(), 0);
    EXPECT_EQ(again.activeProfile, 1) << "the write reached the adapter";
}

TEST_F(SimFixture, AReadThatFailsAtOnceGivesTheReadersCode) {
    // No adapter behind the port: the reader fails before it sends anything.
    device.SetPort("COM9");
    device.type = 1;
    device.region = 1;
    CDeviceProfiles direct;
    const std::int32_t expected = direct.ReadProfiles(device, settings);
    ASSERT_NE(expected, 0);

    CReadDelayDlg reading(profiles, device, settings, config::ReadAnimation(1));
    EXPECT_EQ(reading.DoModal(), expected);
    EXPECT_FALSE(reading.isVisible());
    EXPECT_EQ(ui::waitCursorDepth(), 0);
}

}  // namespace
