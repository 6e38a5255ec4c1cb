// Device changes: the simulator channel between two real programs, the
// system's udev monitor as far as this machine has one, and the device-node
// keys a handler reads while a change is delivered.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <filesystem>

#include "platform/device_change.h"
#include "platform/device_change_notifier.h"
#include "platform/paths.h"
#include "platform/registry_store.h"
#include "tests/support/process.h"
#include "tests/support/temp_home.h"

using namespace platform;

namespace {

// Changes from any of the source's descriptors until `count` arrived or
// the deadline passed.
std::vector<DeviceChange> waitForChanges(DeviceChangeSource& source, std::size_t count) {
    std::vector<DeviceChange> changes;
    QElapsedTimer clock;
    clock.start();
    while (changes.size() < count && clock.elapsed() < 20000) {
        std::vector<pollfd> fds;
        for (const int fd : source.fds()) fds.push_back({fd, POLLIN, 0});
        if (::poll(fds.data(), fds.size(), 500) <= 0) continue;
        for (const auto& p : fds) {
            if (!(p.revents & POLLIN)) continue;
            for (auto& c : source.readPending(p.fd)) changes.push_back(std::move(c));
        }
    }
    return changes;
}

std::string simScenario() {
    return std::string(VELKA_TA_SOURCE_DIR) + "/sim/scenarios/box_international.ini";
}

TEST(DeviceChangeTextTest, AnnouncementsDecodeOnlyWhenWellFormed) {
    DeviceChange arrival;
    arrival.event = kDeviceArrival;
    arrival.devNode = 0x08800004;
    arrival.devicePath = "/dev/pts/4";
    arrival.hardwareKey = simulatorHardwareKey("com4");
    EXPECT_EQ(arrival.hardwareKey, "VELKA_TECHNOLOGY_CORPORATION\\TAMO_TA\\COM4");
    DeviceChange back;
    ASSERT_TRUE(decodeDeviceAnnouncement(encodeDeviceAnnouncement(arrival), back));
    EXPECT_EQ(back.event, kDeviceArrival);
    EXPECT_EQ(back.deviceType, kDeviceTypeDevNode);
    EXPECT_EQ(back.devNode, 0x08800004u);
    EXPECT_EQ(back.devicePath, "/dev/pts/4");
    EXPECT_EQ(back.hardwareKey, arrival.hardwareKey);

    const std::string good = encodeDeviceAnnouncement(arrival);
    auto with = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const std::string refused[] = {
        "",
        good.substr(0, good.size() - 1),
        good + "x",
        with("VTAD", "VTAM"),
        with("00008000", "00008001"),  // neither arrival nor removal
        with("00008000", "8000g"),
        with("00008000", "000080000"),
        with("/dev/pts/4", "/dev/\x01"),
        with("COM4", std::string(300, 'A')),
    };
    for (const auto& text : refused) {
        DeviceChange out;
        out.devNode = 7;
        EXPECT_FALSE(decodeDeviceAnnouncement(text, out)) << text;
        EXPECT_EQ(out.devNode, 7u);
    }
}

TEST(DeviceChangeTextTest, HardwareKeysAndNodeKeys) {
    EXPECT_EQ(makeHardwareKey({"usb", "Velka Technology Corporation", "", "ttyUSB0"}),
              "USB\\VELKA_TECHNOLOGY_CORPORATION\\TTYUSB0");
    EXPECT_EQ(makeHardwareKey({"a\\b\x7f"}), "A_B_");
    EXPECT_EQ(makeHardwareKey({std::string(400, 'x')}).size(), kMaxHardwareKey);
    EXPECT_EQ(devNodeKeyPath(0xA004), "Config Manager\\Enum\\0000A004");
    EXPECT_NE(devNodeNumber(136, 4), devNodeNumber(136, 5));
    EXPECT_NE(devNodeNumber(136, 4), devNodeNumber(188, 4));
}

TEST(DeviceChangeSourceTest, SimulatorAnnouncesItsPortsComingAndGoing) {
    testsupport::TempHome home;
    std::string note;
    auto source = DeviceChangeSource::create(note);
    ASSERT_TRUE(source);
    // This machine may or may not run udev; either way the monitor starts,
    // and without udev the reason is one line that names it.
    if (!source->watchesUdev()) {
        EXPECT_NE(note.find("udev"), std::string::npos);
    }
    EXPECT_EQ(source->fds().size(), source->watchesUdev() ? 2u : 1u);

    testsupport::ChildProcess sim;
    ASSERT_TRUE(sim.start("ta-sim", {"--scenario", simScenario(), "--port", "COM5"}));
    const std::string line = sim.readLines(1);
    ASSERT_EQ(line.rfind("COM5 ", 0), 0u) << line;
    const std::string device = line.substr(5, line.find('\n') - 5);
    sim.stop(SIGTERM);

    const auto changes = waitForChanges(*source, 2);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].event, kDeviceArrival);
    EXPECT_EQ(changes[1].event, kDeviceRemoveComplete);
    for (const auto& c : changes) {
        EXPECT_EQ(c.devicePath, device);
        EXPECT_EQ(c.hardwareKey, simulatorHardwareKey("COM5"));
        EXPECT_EQ(c.devNode, changes[0].devNode);
    }
}

TEST(DeviceChangeSourceTest, ListenerThatDiedIsCleanedUp) {
    testsupport::TempHome home;
    const std::string dir = paths::runtimeDir() + "/devchange";
    // A listener that ends without cleaning up leaves its socket file.
    const pid_t child = fork();
    if (child == 0) {
        std::string note;
        DeviceChangeSource::create(note).release();
        _exit(0);
    }
    ASSERT_GT(child, 0);
    waitpid(child, nullptr, 0);
    ASSERT_FALSE(std::filesystem::is_empty(dir));

    DeviceChange change;
    change.event = kDeviceArrival;
    announceDeviceChange(change);
    EXPECT_TRUE(std::filesystem::is_empty(dir));
}

TEST(DeviceChangeNotifierTest, HandlerReadsTheNodeKeyWhileTheChangeIsDelivered) {
    testsupport::TempHome home;
    int argc = 1;
    char name[] = "device_change_test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);

    std::vector<std::pair<std::uint32_t, std::string>> seen;
    std::string note;
    auto notifier = DeviceChangeNotifier::create(
        [&](const DeviceChange& change) {
            RegKey key;
            std::string hardwareKey;
            if (RegKey::open(RegRoot::DynData, devNodeKeyPath(change.devNode), key) == kOk)
                key.readString(kHardwareKeyValue, hardwareKey);
            seen.emplace_back(change.event, hardwareKey);
            if (seen.size() == 2) QCoreApplication::quit();
        },
        note);
    ASSERT_TRUE(notifier);

    DeviceChange change;
    change.devNode = 0x1234;
    change.hardwareKey = simulatorHardwareKey("COM2");
    change.event = kDeviceArrival;
    announceDeviceChange(change);
    change.event = kDeviceRemoveComplete;
    announceDeviceChange(change);
    app.exec();

    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], std::make_pair(kDeviceArrival, change.hardwareKey));
    EXPECT_EQ(seen[1], std::make_pair(kDeviceRemoveComplete, change.hardwareKey));
    RegKey key;
    EXPECT_EQ(RegKey::open(RegRoot::DynData, devNodeKeyPath(0x1234), key), kFileNotFound);
}

}  // namespace
