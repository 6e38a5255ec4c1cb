// The serial-port service over real pseudo-terminals: names, exclusive
// use, line settings, the wakeable wait, and the stored default settings.
#include <gtest/gtest.h>

#include <thread>

#include "platform/event.h"
#include "platform/registry_store.h"
#include "platform/serial_port.h"
#include "tests/support/sim_port.h"
#include "tests/support/temp_home.h"

namespace {

using platform::kOk;
using platform::SerialPort;
using testsupport::RawPeer;

TEST(SerialPortNames, ResolveThroughTheStoreThenTheClassicDevice) {
    testsupport::TempHome home;
    ASSERT_EQ(kOk, platform::mapPortName("COM3", "/dev/ttyUSB0"));
    ASSERT_EQ(kOk, platform::mapPortName("COM9", "/dev/pts/77"));
    ASSERT_EQ(kOk, platform::mapPortName("com9", "/dev/pts/78"));  // a name means one device
    struct Row {
        const char* name;
        const char* path;  // nullptr: not found
    } rows[] = {
        {"com3", "/dev/ttyUSB0"},   {"\\\\.\\COM9", "/dev/pts/78"},
        {"COM2", "/dev/ttyS1"},     {"COM255", "/dev/ttyS254"},
        {"/dev/null", "/dev/null"}, {"COM0", nullptr},
        {"COM01", nullptr},         {"COM256", nullptr},
        {"Modem", nullptr},         {"", nullptr},
    };
    for (const auto& r : rows) {
        std::string path;
        EXPECT_EQ(r.path ? kOk : platform::kFileNotFound, platform::resolvePortName(r.name, path))
            << r.name;
        EXPECT_EQ(r.path ? r.path : "", path) << r.name;  // untouched when not found
    }
    std::vector<std::pair<std::string, std::string>> ports;
    ASSERT_EQ(kOk, platform::listPortNames(ports));
    EXPECT_EQ(2u, ports.size());
    EXPECT_EQ(platform::kInvalidParameter, platform::mapPortName("/dev/x", "/dev/y"));
    EXPECT_EQ(platform::kInvalidParameter, platform::mapPortName("COM1", "a\\b"));
}

TEST(SerialPortOpen, OnlyOneHolderAtATimeAcrossProcesses) {
    testsupport::TempHome home;
    testsupport::writeFile(home.file("plain"), "x");
    SerialPort port;
    EXPECT_EQ(platform::kFileNotFound, port.open("/dev/does-not-exist"));
    EXPECT_EQ(platform::kFileNotFound, port.open(home.file("plain")));  // a file is no port

    RawPeer peer("COM4");
    ASSERT_TRUE(peer.ok());
    {
        testsupport::PortHolder holder("COM4");
        ASSERT_EQ(kOk, holder.openStatus());
        EXPECT_EQ(platform::kAccessDenied, port.open("COM4"));
    }
    ASSERT_EQ(kOk, port.open("COM4"));
    SerialPort second;
    EXPECT_EQ(platform::kAccessDenied, second.open("COM4"));
    port.close();
    // The exclusive flag must not outlive our descriptor while the device
    // stays open elsewhere.
    EXPECT_EQ(kOk, second.open("COM4"));
}

TEST(SerialPortLine, SpeedsAndFramesTheDeviceCannotTakeAreRefused) {
    RawPeer peer("");
    SerialPort port;
    ASSERT_EQ(kOk, port.open(peer.devicePath()));
    for (std::uint32_t baud : {4800u, 9600u, 19200u, 38400u, 57600u, 115200u, 230400u}) {
        platform::LineSettings line;
        line.baudRate = baud;
        line.stopBits = baud == 9600 ? platform::StopBits::Two : platform::StopBits::One;
        ASSERT_EQ(kOk, port.setLine(line)) << baud;
        platform::LineSettings back;
        ASSERT_EQ(kOk, port.getLine(back));
        EXPECT_EQ(baud, back.baudRate);
        EXPECT_EQ(line.stopBits, back.stopBits);
        EXPECT_TRUE(back.ctsFlow);
    }
    for (std::uint32_t baud : {0u, 300u, 56000u, 460800u}) {
        platform::LineSettings line;
        line.baudRate = baud;
        EXPECT_EQ(platform::kInvalidParameter, port.setLine(line)) << baud;
    }
    // A pty carries eight bits without parity only; it must not silently run
    // another frame than the one asked for.
    platform::LineSettings sevenEven;
    sevenEven.dataBits = 7;
    sevenEven.parity = platform::Parity::Even;
    EXPECT_EQ(platform::kInvalidParameter, port.setLine(sevenEven));
}

TEST(SerialPortWait, InputAndMaskChangesEndTheWaitAndAVanishedDeviceFailsIt) {
    RawPeer peer("");
    SerialPort port;
    ASSERT_EQ(kOk, port.open(peer.devicePath()));
    ASSERT_EQ(kOk, port.setLine(platform::LineSettings{}));
    port.setEventMask(platform::kCommEventRxChar);
    std::uint32_t events = 0;
    ASSERT_EQ(kOk, port.waitEvent(events));  // the mask change itself
    EXPECT_EQ(0u, events);

    ASSERT_TRUE(peer.send("hello"));
    ASSERT_EQ(kOk, port.waitEvent(events));
    EXPECT_EQ(platform::kCommEventRxChar, events);
    char buf[8];
    std::uint32_t got = 0;
    ASSERT_EQ(kOk, port.read(buf, 3, got));  // only what is asked for, never waiting
    EXPECT_EQ("hel", std::string(buf, got));
    port.purge(true, true);
    ASSERT_EQ(kOk, port.read(buf, sizeof buf, got));
    EXPECT_EQ(0u, got);

    // A wait with nothing to come returns only when the mask changes.
    platform::Event returned;
    std::thread waiter([&] {
        std::uint32_t ev = 7;
        port.waitEvent(ev);
        returned.set();
    });
    EXPECT_EQ(returned.wait(50), platform::WaitResult::Timeout);
    port.setEventMask(platform::kCommEventRxChar);
    waiter.join();

    peer.vanish();
    EXPECT_EQ(platform::kIoError, port.waitEvent(events));
    EXPECT_EQ(platform::kIoError, port.waitEvent(events));
    platform::LineErrors errors;
    EXPECT_EQ(kOk, port.clearErrors(errors));
    EXPECT_EQ(platform::kLineErrGone, errors.errors);
    std::uint32_t written = 0;
    EXPECT_EQ(platform::kIoError, port.write("AT\r", 3, written, 1000));
    port.setEventMask(0);  // an owner can still end its reader
    EXPECT_EQ(kOk, port.waitEvent(events));
}

TEST(SerialPortDefaults, StoredSettingsAreReadChangedAndWritten) {
    testsupport::TempHome home;
    platform::LineSettings line;
    ASSERT_EQ(kOk, platform::getDefaultCommConfig("COM2", line));
    EXPECT_EQ(57600u, line.baudRate);
    EXPECT_EQ(platform::kFileNotFound, platform::getDefaultCommConfig("Velka Modem", line));
    ASSERT_EQ(kOk, platform::setDefaultCommSpeed("COM2", 230400));
    ASSERT_EQ(kOk, platform::getDefaultCommConfig("com2", line));
    EXPECT_EQ(230400u, line.baudRate);
    EXPECT_EQ(platform::kInvalidParameter, platform::setDefaultCommSpeed("COM2", 12345));

    // Stored values are outside input: nonsense keeps the defaults.
    platform::RegKey key;
    ASSERT_EQ(kOk, platform::RegKey::create(platform::RegRoot::LocalMachine,
                                            "HARDWARE\\DEVICEMAP\\COMMCONFIG\\COM2", key));
    key.setDword("BaudRate", 1234567);
    key.setDword("ByteSize", 42);
    key.setDword("Parity", 9);
    key.setString("StopBits", "two");
    ASSERT_EQ(kOk, platform::getDefaultCommConfig("COM2", line));
    EXPECT_EQ(57600u, line.baudRate);
    EXPECT_EQ(8, line.dataBits);
    EXPECT_EQ(platform::Parity::None, line.parity);
    EXPECT_EQ(platform::StopBits::One, line.stopBits);
}

}  // namespace
