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
#include "ui/dialog_facility.h"
#include "ui/framework_ids.h"
#include "ui/wait_cursor.h"

namespace {

// Set by a thread-local guard when the worker thread itself has ended, not
// only its work function.
std::atomic<bool> workerThreadEnded{false};
struct ThreadEndMark {
    ~ThreadEndMark() { workerThreadEnded = true; }
};

// Work of the test's own, run on the dialog's worker thread, which it marks.
CDelayDlg::Work onWorker(std::function<std::int32_t()> work, std::thread::id* thread = nullptr) {
    return [work = std::move(work), thread] {
        thread_local ThreadEndMark mark;
        (void)mark;
        if (thread) *thread = std::this_thread::get_id();
        return work();
    };
}

// A box from the work: without a display it takes its default button (Yes).
int askFromWorker() {
    return ui::messageBox(nullptr, "Gerät antwortet nicht. Weiter warten?", "", ui::Icon::Question,
                          ui::Buttons::YesNo);
}

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
    std::thread::id workThread;
    CDelayDlg dialog(profiles, config::ReadAnimation(16),
                     onWorker([&] { return std::int32_t(++calls == 1 ? 1002 : 0); }, &workThread));
    bool shownWhenStarted = false;
    uitest::whenModal([&] { shownWhenStarted = dialog.isVisible(); });

    EXPECT_EQ(dialog.DoModal(), 1002);

    EXPECT_TRUE(shownWhenStarted);
    EXPECT_TRUE(dialog.IsDone());
    EXPECT_TRUE(workerThreadEnded) << "the run returned before its worker thread was gone";
    EXPECT_NE(workThread, std::this_thread::get_id());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.IsRunning());
    EXPECT_EQ(ui::waitCursorDepth(), 0);
    // A second run starts with a fresh result.
    EXPECT_EQ(dialog.DoModal(), 0);
    EXPECT_EQ(calls, 2);
}

TEST_F(DelayFixture, TheUserInterfaceStaysAliveWhileTheWorkRuns) {
    platform::Event release;
    CDelayDlg* self = nullptr;
    CDelayDlg dialog(profiles, config::WriteAnimation(2), [&] {
        // What the profile engine does from its thread.
        self->SetBusyText(1295, "ignored: the dialog's own table has the text");
        self->SetBusyText(4711, "Ein Text ohne Nummer");
        release.wait(platform::kInfinite);
        return std::int32_t(0);
    });
    self = &dialog;
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

// The work goes on once the dialog is being destroyed and then asks for a
// box: the destructor has to wait for the work and show the box meanwhile,
// instead of both threads waiting for each other.
TEST_F(DelayFixture, DestroyingTheDialogWhileItRunsWaitsForTheWorkAndShowsItsBox) {
    platform::Event release;
    // The work's state lives on the heap and is used after the wait, so a
    // work that outlived its dialog shows up under ASan.
    const std::string tag(64, 'w');
    auto* dialog = new CDelayDlg(profiles, 1381, onWorker([&release, tag] {
                                     release.wait(platform::kInfinite);
                                     const bool yes = askFromWorker() == ui::IDYES;
                                     return std::int32_t(tag.size() == 64 && yes ? 8001 : 1);
                                 }));
    QPointer<CDelayDlg> watch(dialog);
    bool wasPlaying = false;
    whenTrue([&] { return watch && watch->IsRunning(); },
             [&] {
                 wasPlaying = watch->AnimationControlWidget()->isPlaying();
                 release.set();
                 delete watch.data();
             });
    EXPECT_EQ(dialog->DoModal(), 8001);
    EXPECT_TRUE(wasPlaying);
    EXPECT_TRUE(workerThreadEnded);
    EXPECT_EQ(ui::waitCursorDepth(), 0);
}

// An application told to quit ends every event loop, the busy dialog's too;
// the work (here asking for a box after the quit) must still end before the
// run returns, and its code must be the result. Quitting marks the thread
// for good, so this runs in a child.
TEST_F(DelayFixture, QuittingTheApplicationDuringTheWorkStillReturnsTheWorksCode) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            platform::Event started;
            platform::Event quitting;
            CDelayDlg dialog(profiles, 1381, onWorker([&] {
                                 started.set();
                                 quitting.wait(platform::kInfinite);
                                 return std::int32_t(askFromWorker() == ui::IDYES ? 1017 : 1);
                             }));
            whenTrue([&] { return started.isSet(); },
                     [&] {
                         QCoreApplication::exit(0);
                         quitting.set();
                     });
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

    const auto reading = MakeReadDelayDlg(profiles, device, settings, config::ReadAnimation(16));
    const auto readTitles = titlesOf(*reading);
    ASSERT_EQ(reading->DoModal(), 0);
    EXPECT_EQ(profiles.activeProfile, 2);
    EXPECT_EQ(*readTitles, (QStringList{QStringLiteral("Verbindet mit Gerät..."),
                                        QStringLiteral("Liest von Gerät...")}));

    profiles.activeProfile = 1;
    const auto writing = MakeWriteDelayDlg(profiles, device, config::WriteAnimation(16));
    const auto writeTitles = titlesOf(*writing);
    ASSERT_EQ(writing->DoModal(), 0);
    EXPECT_EQ(*writeTitles, (QStringList{QStringLiteral("Verbindet mit Gerät..."),
                                         QStringLiteral("Schreibt zu Gerät..."),
                                         QStringLiteral("Gerät wird gestartet...")}));

    CDeviceProfiles again;
    again.deviceKind = device.type;
    ASSERT_EQ(MakeReadDelayDlg(again, device, settings, config::ReadAnimation(16))->DoModal(), 0);
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

    const auto reading = MakeReadDelayDlg(profiles, device, settings, config::ReadAnimation(1));
    EXPECT_EQ(reading->DoModal(), expected);
    EXPECT_FALSE(reading->isVisible());
    EXPECT_EQ(ui::waitCursorDepth(), 0);
}

}  // namespace
