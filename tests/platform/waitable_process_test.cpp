// Command lines split without a shell, and children waited for: to their
// exit code, or until the waiter is asked to stop.
#include "platform/waitable_process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/status_codes.h"
#include "tests/support/temp_home.h"

namespace {

TEST(SplitCommandLine, SeparatesAtBlanksOutsideQuotes) {
    const struct {
        const char* line;
        std::vector<std::string> args;
    } rows[] = {
        {"ta-modems %1", {"ta-modems", "%1"}},
        {"  a\t b  ", {"a", "b"}},
        {"\"C:\\Program Files\\panel.exe\" \"%1\"", {"C:\\Program Files\\panel.exe", "%1"}},
        {"a\"b c\"d e", {"ab cd", "e"}},
        {"x \"\" y", {"x", "", "y"}},
        {"x \"unclosed rest", {"x", "unclosed rest"}},
        {"", {}},
        {" \t ", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(platform::splitCommandLine(row.line), row.args);
    }
}

TEST(WaitableProcess, WaitsForTheExitCodeOrUntilAskedToStop) {
    platform::WaitableProcess missing;
    EXPECT_EQ(missing.start({"/nonexistent/program"}), platform::kFileNotFound);
    EXPECT_EQ(missing.start({}), platform::kFileNotFound);
    EXPECT_FALSE(missing.wait({}));

    platform::WaitableProcess quick;
    ASSERT_EQ(quick.start({"sh", "-c", "exit 3"}), platform::kOk);
    EXPECT_TRUE(quick.wait({}));
    EXPECT_EQ(quick.exitCode(), 3);

    testsupport::TempHome home;
    const std::string ended = home.file("ended");
    platform::WaitableProcess endless;
    ASSERT_EQ(
        endless.start({"/bin/sh", "-c", "while [ ! -e '" + ended + "' ]; do sleep 0.02; done"}),
        platform::kOk);
    std::stop_source stop;
    // Most likely asked while the wait already sleeps; either way it must end.
    std::jthread stopper([&stop] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        stop.request_stop();
    });
    EXPECT_FALSE(endless.wait(stop.get_token()));
    testsupport::writeFile(ended, "");
    EXPECT_TRUE(endless.wait({}));
}

}  // namespace
