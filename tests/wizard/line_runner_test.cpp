// CLineRunner as a page uses it: the detection on its worker, the status
// texts and the questions arriving on the page's thread while its event loop
// runs.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QThread>
#include <memory>
#include <string>
#include <vector>

#include "tests/sim/scenario_files.h"
#include "tests/support/sim_port.h"
#include "tests/ui/ui_test_support.h"
#include "wizard/line_runner.h"

namespace {

constexpr const char* kPort = "COM7";

class LineRunnerTest : public uitest::WithApp, public ::testing::Test {
protected:
    void Start(const std::string& name) {
        testsupport::setTimeScale(0.05);
        device_ = testsupport::startSim(simtest::loadScenario(name), kPort);
        ASSERT_TRUE(device_);
        QObject::connect(&runner_, &CLineRunner::statusText, [this](const QString& text) {
            onGuiThread_ = onGuiThread_ && QThread::currentThread() == qApp->thread();
            texts_.push_back(text.toStdString());
        });
    }
    // The page's event loop, until the detection ended.
    void RunUntilFinished() {
        QEventLoop loop;
        QObject::connect(&runner_, &CLineRunner::finished, &loop, &QEventLoop::quit,
                         Qt::QueuedConnection);
        loop.exec();
    }

    testsupport::TempHome home_;
    std::unique_ptr<sim::PtyAdapter> device_;
    CLineRunner runner_;
    std::vector<std::string> texts_;
    bool onGuiThread_ = true;
};

TEST_F(LineRunnerTest, StatusTextsReachThePageWhileItsLoopRuns) {
    Start("line_ni1_autospid.ini");
    wizard::LineSequenceSettings settings;
    settings.portName = kPort;
    runner_.StartLineStatus(settings);
    RunUntilFinished();
    EXPECT_FALSE(runner_.Running());
    EXPECT_EQ(runner_.LineResult().result, 0);
    EXPECT_EQ(runner_.LineResult().spidList.numbers.size(), 5u);
    EXPECT_TRUE(onGuiThread_);
    EXPECT_EQ(texts_.back(), wizard::kTextDetectionDone);
}

TEST_F(LineRunnerTest, SearchAsksOnThePagesThreadAndEndsOnNo) {
    Start("line_5ess.ini");
    wizard::SpidSearchSettings settings;
    settings.portName = kPort;
    settings.areaCode = "514";
    settings.number1 = "5559999";  // no pattern finds it
    settings.number2 = "5551235";
    std::vector<std::uint32_t> asked;
    int tried = 0;
    QObject::connect(&runner_, &CLineRunner::spidTried, [&](const QString&, bool) { ++tried; });
    runner_.StartSpidSearch(settings, {},
                            [&](std::uint32_t message) {
                                EXPECT_EQ(QThread::currentThread(), qApp->thread());
                                asked.push_back(message);
                                return false;
                            },
                            {});
    RunUntilFinished();
    EXPECT_EQ(asked, std::vector<std::uint32_t>{wizard::kMsgAskSearchSpid2});
    EXPECT_EQ(runner_.SpidResult().result, 0);
    EXPECT_FALSE(runner_.SpidResult().nextEnabled);
    EXPECT_FALSE(runner_.SpidState().spid1Found || runner_.SpidState().spid2Found);
    EXPECT_EQ(tried, 9);  // every pattern of the shipped file, for number 1 only
}

}  // namespace
