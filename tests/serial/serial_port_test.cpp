// The serial-port service over real pseudo-terminals: names, exclusive
// use, line settings, the wakeable wait, and the stored default settings.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "platform/registry_store.h"
#include "platform/serial_port.h"
#include "tests/serial/serial_test_util.h"
#include "tests/support/temp_home.h"

namespace {

using platform::SerialPort;
using serialtest::RawPeer;

TEST(SerialPortNames, ComNumbersAreParsedStrictly) {
    struct Row {
        const char* name;
        bool ok;
        std::uint32_t n;
    } rows[] = {
        {"COM1", true, 1},   {"com7", true, 7},    {"CoM255", true, 255}, {"COM256", false, 0},
        {"COM0", false, 0},  {"COM01", false, 0},  {"COM", false, 0},     {"COM1a", false, 0},
        {"COM-1", false, 0}, {"LPT1", false, 0},   {"", false, 0},        {"COM1234", false, 0},
    };
    for (const auto& r : rows) {
        std::uint32_t n = 0;
        EXPECT_EQ(r.ok, platform::parseComNumber(r.name, n)) << r.name;
        if (r.ok) {
            EXPECT_EQ(r.n, n) << r.name;
        }
    }
}

TEST(SerialPortNames, ResolveThroughTheStoreThenTheFallback) {
    testsupport::TempHome home;
    ASSERT_EQ(platform::kOk, platform::mapPortName("COM3", "/dev/ttyUSB0"));
    ASSERT_EQ(platform::kOk, platform::mapPortName("COM9", "/dev/pts/77"));
    struct Row {
        const char* name;
        std::int32_t rc;
        const char* path;
    } rows[] = {
        {"COM3", platform::kOk, "/dev/ttyUSB0"},
        {"com3", platform::kOk, "/dev/ttyUSB0"},
        {"\\\\.\\COM9", platform::kOk, "/dev/pts/77"},
        {"COM2", platform::kOk, "/dev/ttyS1"},  // not mapped: the classic device
        {"/dev/null", platform::kOk, "/dev/null"},
        {"Modem", platform::kFileNotFound, ""},
        {"", platform::kFileNotFound, ""},
    };
    for (const auto& r : rows) {
        std::string path;
        EXPECT_EQ(r.rc, platform::resolvePortName(r.name, path)) << r.name;
        if (r.rc == platform::kOk) {
            EXPECT_EQ(r.path, path) << r.name;
        }
    }
}

TEST(SerialPortNames, MappingANameAgainMovesIt) {
    testsupport::TempHome home;
    ASSERT_EQ(platform::kOk, platform::mapPortName("COM4", "/dev/a"));
    ASSERT_EQ(platform::kOk, platform::mapPortName("COM5", "/dev/b"));
    ASSERT_EQ(platform::kOk, platform::mapPortName("com4", "/dev/c"));  // COM4 moves to /dev/c
    ASSERT_EQ(platform::kOk, platform::mapPortName("COM6", "/dev/b"));  // /dev/b is renamed
    std::vector<std::pair<std::string, std::string>> ports;
    ASSERT_EQ(platform::kOk, platform::listPortNames(ports));
    std::vector<std::pair<std::string, std::string>> expected = {{"com4", "/dev/c"},
                                                                 {"COM6", "/dev/b"}};
    std::sort(ports.begin(), ports.end(), [](auto& a, auto& b) { return a.second > b.second; });
    EXPECT_EQ(expected, ports);
    EXPECT_EQ(platform::kInvalidParameter, platform::mapPortName("/dev/x", "/dev/y"));
    EXPECT_EQ(platform::kInvalidParameter, platform::mapPortName("COM1", ""));
    EXPECT_EQ(platform::kInvalidParameter, platform::mapPortName("COM1", "a\\b"));
}

TEST(SerialPortOpen, MissingDevicesAndPlainFilesAreNotFound) {
    testsupport::TempHome home;
    testsupport::writeFile(home.file("plain"), "x");
    SerialPort port;
    EXPECT_EQ(platform::kFileNotFound, port.open("/dev/does-not-exist"));
    EXPECT_EQ(platform::kFileNotFound, port.open(home.file("plain")));
    EXPECT_EQ(platform::kFileNotFound, port.open("NoSuchName"));
    EXPECT_FALSE(port.isOpen());
}

TEST(SerialPortOpen, AnotherProcessHoldingThePortLocksUsOut) {
    testsupport::TempHome home;
    RawPeer peer("COM4");
    ASSERT_TRUE(peer.ok());
    {
        serialtest::PortHolder holder("COM4");
        ASSERT_EQ(platform::kOk, holder.openStatus());
        SerialPort port;
        EXPECT_EQ(platform::kAccessDenied, port.open("COM4"));
    }
    // Released with the other process: the port opens, and once closed again
    // it opens a second time (the exclusive flag does not linger).
    SerialPort port;
    ASSERT_EQ(platform::kOk, port.open("COM4"));
    SerialPort second;
    EXPECT_EQ(platform::kAccessDenied, second.open("COM4"));
    port.close();
    EXPECT_EQ(platform::kOk, second.open("COM4"));
}

TEST(SerialPortLine, SettingsRoundTripAndUnknownSpeedsAreRefused) {
    RawPeer peer("");
    ASSERT_TRUE(peer.ok());
    SerialPort port;
    ASSERT_EQ(platform::kOk, port.open(peer.devicePath()));
    for (std::uint32_t baud : {4800u, 9600u, 19200u, 38400u, 57600u, 115200u, 230400u}) {
        platform::LineSettings line;
        line.baudRate = baud;
        line.stopBits = baud == 9600 ? platform::StopBits::Two : platform::StopBits::One;
        line.parityCheck = baud != 9600;
        ASSERT_EQ(platform::kOk, port.setLine(line)) << baud;
        platform::LineSettings back;
        ASSERT_EQ(platform::kOk, port.getLine(back));
        EXPECT_EQ(baud, back.baudRate);
        EXPECT_EQ(8, back.dataBits);
        EXPECT_EQ(platform::Parity::None, back.parity);
        EXPECT_EQ(line.stopBits, back.stopBits);
        EXPECT_EQ(line.parityCheck, back.parityCheck);
        EXPECT_TRUE(back.ctsFlow);
        EXPECT_FALSE(back.xonXoff);
    }
    // A pty only carries eight bits without parity; a frame the device does
    // not take is refused instead of silently running on another one.
    platform::LineSettings sevenEven;
    sevenEven.dataBits = 7;
    sevenEven.parity = platform::Parity::Even;
    EXPECT_EQ(platform::kInvalidParameter, port.setLine(sevenEven));
    for (std::uint32_t baud : {0u, 300u, 56000u, 128000u, 460800u}) {
        platform::LineSettings line;
        line.baudRate = baud;
        EXPECT_EQ(platform::kInvalidParameter, port.setLine(line)) << baud;
    }
    platform::LineSettings line;
    line.dataBits = 9;
    EXPECT_EQ(platform::kInvalidParameter, port.setLine(line));
}

TEST(SerialPortIo, ReadsOnlyWhatIsQueuedAndCountsIt) {
    RawPeer peer("");
    SerialPort port;
    ASSERT_EQ(platform::kOk, port.open(peer.devicePath()));
    ASSERT_EQ(platform::kOk, port.setLine(platform::LineSettings{}));
    char buf[16];
    std::uint32_t got = 99;
    EXPECT_EQ(platform::kOk, port.read(buf, sizeof buf, got));
    EXPECT_EQ(0u, got);  // nothing queued: no wait
    ASSERT_TRUE(peer.send("hello world"));
    platform::LineErrors errors;
    for (int i = 0; i < 500 && errors.inQueue < 11; ++i) {
        port.clearErrors(errors);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_EQ(11u, errors.inQueue);
    EXPECT_EQ(0u, errors.errors);
    EXPECT_EQ(platform::kOk, port.read(buf, 5, got));
    EXPECT_EQ("hello", std::string(buf, got));
    std::uint32_t written = 0;
    EXPECT_EQ(platform::kOk, port.write("AT\r", 3, written, 1000));
    EXPECT_EQ(3u, written);
    EXPECT_EQ("AT\r", peer.readUntil("\r"));
    EXPECT_EQ(platform::kOk, port.purge(true, true));
    port.clearErrors(errors);
    EXPECT_EQ(0u, errors.inQueue);
}

TEST(SerialPortWait, MaskChangeFromAnotherThreadEndsTheWait) {
    RawPeer peer("");
    SerialPort port;
    ASSERT_EQ(platform::kOk, port.open(peer.devicePath()));
    ASSERT_EQ(platform::kOk, port.setLine(platform::LineSettings{}));
    port.setEventMask(platform::kCommEventRxChar);
    std::uint32_t events = 0;
    ASSERT_EQ(platform::kOk, port.waitEvent(events));  // the mask change itself
    EXPECT_EQ(0u, events);

    ASSERT_TRUE(peer.send("x"));
    ASSERT_EQ(platform::kOk, port.waitEvent(events));
    EXPECT_EQ(platform::kCommEventRxChar, events);
    char c;
    std::uint32_t got = 0;
    port.read(&c, 1, got);

    std::atomic<bool> returned{false};
    std::thread waiter([&] {
        std::uint32_t ev = 7;
        port.waitEvent(ev);
        returned = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(returned);  // nothing arrived: still waiting
    port.setEventMask(0);
    waiter.join();
    EXPECT_TRUE(returned);
}

TEST(SerialPortWait, VanishedDeviceEndsEveryWaitWithAnError) {
    RawPeer peer("");
    SerialPort port;
    ASSERT_EQ(platform::kOk, port.open(peer.devicePath()));
    ASSERT_EQ(platform::kOk, port.setLine(platform::LineSettings{}));
    port.setEventMask(platform::kCommEventRxChar);
    std::uint32_t events = 0;
    port.waitEvent(events);
    peer.vanish();
    EXPECT_EQ(platform::kIoError, port.waitEvent(events));
    EXPECT_EQ(platform::kIoError, port.waitEvent(events));  // at once, again: no hang
    platform::LineErrors errors;
    EXPECT_EQ(platform::kOk, port.clearErrors(errors));
    EXPECT_EQ(platform::kLineErrGone, errors.errors);
    std::uint32_t written = 0;
    EXPECT_EQ(platform::kIoError, port.write("AT\r", 3, written, 1000));
    // A mask change still reaches a waiter so an owner can end its reader.
    port.setEventMask(0);
    EXPECT_EQ(platform::kOk, port.waitEvent(events));
    port.close();  // returns: a dead device does not hang the close
}

TEST(SerialPortDefaults, StoredSettingsAreReadChangedAndWritten) {
    testsupport::TempHome home;
    platform::LineSettings line;
    ASSERT_EQ(platform::kOk, platform::getDefaultCommConfig("COM2", line));  // not stored: defaults
    EXPECT_EQ(57600u, line.baudRate);
    EXPECT_TRUE(line.ctsFlow);
    EXPECT_EQ(platform::kFileNotFound, platform::getDefaultCommConfig("Velka Modem", line));
    EXPECT_EQ(platform::kInvalidParameter, platform::getDefaultCommConfig("a\\b", line));

    ASSERT_EQ(platform::kOk, platform::setDefaultCommSpeed("COM2", 230400));
    ASSERT_EQ(platform::kOk, platform::getDefaultCommConfig("com2", line));
    EXPECT_EQ(230400u, line.baudRate);
    EXPECT_EQ(8, line.dataBits);
    EXPECT_EQ(platform::kInvalidParameter, platform::setDefaultCommSpeed("COM2", 12345));

    // Stored values are outside input: nonsense keeps the defaults.
    platform::RegKey key;
    ASSERT_EQ(platform::kOk, platform::RegKey::create(platform::RegRoot::LocalMachine,
                                                      "HARDWARE\\DEVICEMAP\\COMMCONFIG\\COM2", key));
    key.setDword("BaudRate", 1234567);
    key.setDword("ByteSize", 42);
    key.setDword("Parity", 9);
    key.setString("StopBits", "two");
    ASSERT_EQ(platform::kOk, platform::getDefaultCommConfig("COM2", line));
    EXPECT_EQ(57600u, line.baudRate);
    EXPECT_EQ(8, line.dataBits);
    EXPECT_EQ(platform::Parity::None, line.parity);
    EXPECT_EQ(platform::StopBits::One, line.stopBits);

    // A modem entry that has stored settings is known by its name.
    ASSERT_EQ(platform::kOk, platform::RegKey::create(platform::RegRoot::LocalMachine,
                                                      "HARDWARE\\DEVICEMAP\\COMMCONFIG\\Velka Modem",
                                                      key));
    EXPECT_EQ(platform::kOk, platform::setDefaultCommSpeed("Velka Modem", 115200));
    ASSERT_EQ(platform::kOk, platform::getDefaultCommConfig("Velka Modem", line));
    EXPECT_EQ(115200u, line.baudRate);
}

}  // namespace
