// The small platform services: time scale, events, paths, insert
// formatting and status texts.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/clock.h"
#include "platform/event.h"
#include "platform/paths.h"
#include "platform/status_codes.h"
#include "platform/text_format.h"
#include "tests/support/env_guard.h"
#include "tests/support/temp_home.h"

using namespace platform;
using testsupport::EnvGuard;

namespace {

struct ScaleRow {
    const char* env;
    double scale;
};

TEST(TimeScale, ReadsOnlyPositiveFiniteNumbers) {
    const ScaleRow rows[] = {
        {nullptr, 1.0}, {"", 1.0},       {"abc", 1.0},    {"0", 1.0},     {"-0.5", 1.0},
        {"nan", 1.0},   {"inf", 1.0},    {"0.1x", 1.0},   {"1e999", 1.0}, {"0.5", 0.5},
        {"2", 2.0},     {"1e-3", 0.001}, {" 0.25", 0.25},
    };
    for (const ScaleRow& row : rows) {
        EnvGuard env;
        env.set("VELKA_TA_TIME_SCALE", row.env);
        reloadTimeScale();
        EXPECT_DOUBLE_EQ(timeScale(), row.scale) << (row.env ? row.env : "(unset)");
    }
    reloadTimeScale();
}

TEST(TimeScale, ScaledPauseNeverVanishesUnlessZero) {
    EnvGuard env;
    env.set("VELKA_TA_TIME_SCALE", "0.05");
    reloadTimeScale();
    EXPECT_EQ(scaled(0).count(), 0);
    EXPECT_EQ(scaled(1).count(), 1);
    EXPECT_EQ(scaled(100).count(), 5);
    EXPECT_EQ(scaled(20000).count(), 1000);
    env.set("VELKA_TA_TIME_SCALE", "1000");
    reloadTimeScale();
    EXPECT_GT(scaled(kInfinite - 1).count(), 0);  // no overflow into negative time-outs
    env.set("VELKA_TA_TIME_SCALE", nullptr);
    reloadTimeScale();
}

TEST(Event, StaysSetUntilResetWakesEveryWaiterAndTimesOutUnset) {
    EnvGuard env;
    env.set("VELKA_TA_TIME_SCALE", "0.05");
    reloadTimeScale();
    Event ev;
    EXPECT_EQ(ev.wait(100), WaitResult::Timeout);
    EXPECT_EQ(ev.wait(0), WaitResult::Timeout);
    std::atomic<int> woken{0};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 4; ++i)
        waiters.emplace_back([&] {
            if (ev.wait(kInfinite) == WaitResult::Signaled) ++woken;
        });
    ev.set();
    for (auto& t : waiters) t.join();
    EXPECT_EQ(woken.load(), 4);
    EXPECT_EQ(ev.wait(0), WaitResult::Signaled);  // manual reset: still set
    ev.reset();
    EXPECT_FALSE(ev.isSet());
    EXPECT_EQ(ev.wait(10), WaitResult::Timeout);
    EXPECT_EQ(Event(true).wait(0), WaitResult::Signaled);
}

TEST(Paths, FollowTheEnvironmentInOrder) {
    testsupport::TempHome home;
    EnvGuard env;
    EXPECT_EQ(paths::homeDir(), home.path());
    EXPECT_EQ(paths::registryDbPath(), home.path() + "/registry.db");
    EXPECT_EQ(paths::runtimeDir(), home.path() + "/run/velka-ta");
    EXPECT_EQ(paths::profilesDir(), home.path() + "/profiles");

    env.set("VELKA_TA_HOME", nullptr);
    env.set("XDG_STATE_HOME", home.file("state").c_str());
    EXPECT_EQ(paths::homeDir(), home.path() + "/state/velka-ta");
    env.set("XDG_STATE_HOME", nullptr);
    env.set("HOME", home.file("user").c_str());
    EXPECT_EQ(paths::homeDir(), home.path() + "/user/.local/state/velka-ta");
    env.set("XDG_RUNTIME_DIR", nullptr);
    EXPECT_EQ(paths::runtimeDir(), home.path() + "/user/.local/state/velka-ta/run");

    env.set("VELKA_TA_INSTALL_DIR", "/opt/velka");
    EXPECT_EQ(paths::installDir(), "/opt/velka");
    EXPECT_EQ(paths::dataDir(), "/opt/velka/data");
    EXPECT_EQ(paths::helpDir(), "/opt/velka/data/help");
    EXPECT_EQ(paths::firmwareDir(), "/opt/velka/data/firmware");
    env.set("VELKA_TA_INSTALL_DIR", nullptr);
    EXPECT_FALSE(paths::installDir().empty());  // the build's source tree
}

struct FormatRow {
    const char* pattern;
    std::vector<FormatArg> args;
    const char* expected;
};

TEST(FormatInserts, Table) {
    using S = std::string;
    const FormatRow rows[] = {
        {"Port %1!s! belegt", {S("COM3")}, "Port COM3 belegt"},
        {"%1", {S("plain")}, "plain"},
        {"%2!s! vor %1!s!", {S("a"), S("b")}, "b vor a"},
        {"%1!u! Bytes", {std::uint64_t{4096}}, "4096 Bytes"},
        {"%1!d!", {std::int64_t{-17}}, "-17"},
        {"Version %1!d!.%2!.2d!", {std::int64_t{2}, std::int64_t{5}}, "Version 2.05"},
        {"%1!.1d!", {std::int64_t{7}}, "7"},
        {"%1!04x!", {std::uint64_t{255}}, "00ff"},
        {"%1!lu!", {std::uint64_t{12}}, "12"},
        {"%1!s!", {std::int64_t{42}}, "42"},  // a number shown as text
        {"%1!d!", {S("x")}, "%1!d!"},         // text cannot take a number's conversion
        {"%3!s! fehlt", {S("a")}, "%3!s! fehlt"},
        {"%1!*d!", {std::int64_t{1}}, "%1!*d!"},
        {"%1!n!", {std::int64_t{1}}, "%1!n!"},  // never a writing conversion
        {"%1!s", {S("a")}, "a!s"},              // no closing '!': plain insert
        {"100%% sicher%nZeile", {}, "100% sicher\nZeile"},
        {"%0 und %x und %", {}, "%0 und %x und %"},
        {"%10!s!",
         {S("1"), S("2"), S("3"), S("4"), S("5"), S("6"), S("7"), S("8"), S("9"), S("zehn")},
         "zehn"},
        {"%1!300s!|", {S("r")}, nullptr},  // width beyond any fixed buffer
    };
    for (const FormatRow& row : rows) {
        const std::string out = formatInserts(row.pattern, row.args);
        if (row.expected)
            EXPECT_EQ(out, row.expected) << row.pattern;
        else
            EXPECT_EQ(out.size(), 301u) << row.pattern;
    }
}

TEST(EscapeControl, KeepsOneOutputLinePerValue) {
    EXPECT_EQ(escapeControl("NI-1 V110 Grüße"), "NI-1 V110 Grüße");
    EXPECT_EQ(escapeControl(std::string("a\nslot=9\rb\t\x01\x7f\\", 14)),
              "a\\nslot=9\\rb\\t\\x01\\x7F\\\\");
    EXPECT_EQ(escapeControl(std::string("\0x", 2)), "\\x00x");
}

}  // namespace

// A number the documents use twice reads as both meanings; our own store code
// no longer reads as the link's "response too long".
TEST(StatusText, NamesEveryMeaningOfANumber) {
    EXPECT_EQ(status::statusText(device::kDeviceNoReplyLine),
              "Profilliste des Geräts unvollständig / Antwortzeile fehlt");
    EXPECT_EQ(status::statusText(serial::kLinkResponseTooLong),
              "Die Antwort ist zu lang für den Puffer");
    EXPECT_EQ(status::statusText(platform::kStoreError),
              "Die Registrierungsdatenbank ist nicht verfügbar");
    EXPECT_EQ(status::statusText(-1), "Unbekannter Fehler");
}
