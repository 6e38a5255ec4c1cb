// The complete dialect, driven through a real pseudo-terminal with plain
// writes, the way the suite's programs talk to an adapter.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

#include "platform/clock.h"
#include "platform/registry_store.h"
#include "sim/pty_adapter.h"
#include "tests/sim/scenario_files.h"
#include "tests/sim/sim_test_util.h"
#include "tests/sim/xmodem_sender.h"
#include "tests/support/temp_home.h"

namespace {

using simtest::HostPort;
using simtest::listedValue;
using simtest::loadScenario;
using simtest::replyLine;

constexpr char kAck = 0x06, kNak = 0x15, kEot = 0x04, kCan = 0x18;

class DialectTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("VELKA_TA_TIME_SCALE", "0.1", 1);
        platform::reloadTimeScale();
    }

    void start(const sim::Scenario& sc) {
        host.close();
        dev.reset();
        ASSERT_EQ(0, sim::PtyAdapter::start(sc, {}, dev));
        ASSERT_TRUE(host.open(dev->devicePath()));
    }

    // The answer's last line, as the hosts read result codes.
    static std::string resultOf(const std::string& answer) {
        std::string s = answer;
        while (!s.empty() && (s.back() == '\r' || s.back() == '\n')) s.pop_back();
        const std::size_t nl = s.find_last_of('\n');
        return nl == std::string::npos ? s : s.substr(nl + 1);
    }

    std::string ask(const std::string& cmd) { return host.command(cmd); }
    std::string okLine(const std::string& cmd) {
        const std::string a = ask(cmd);
        EXPECT_EQ("OK", resultOf(a)) << cmd << " -> " << a;
        return replyLine(a, cmd);
    }

    testsupport::TempHome home;
    std::unique_ptr<sim::PtyAdapter> dev;
    HostPort host;
};

TEST_F(DialectTest, IdentificationPerDeviceKind) {
    struct Row {
        const char* file;
        const char* identification;
        const char* model;
        const char* version;
        const char* lineHas;
        const char* regionsFrom;  // the region pages skip to this letter
    };
    const Row rows[] = {
        {"box_international.ini", "Velka Technology Corporation", "Tamo T/A ISDN Modem", "V1.4.55",
         "EURO", "Andere:1;"},
        {"box_na.ini", "Velka Technology Corporation", "Tamo T/A ISDN Modem", "V1.4.55", "NI-1",
         "Canada:25;"},
        {"box_6f.ini", "Velka Technology Corporation", "Tamo T/A ISDN Modem6F", "V2.0.12", "EURO",
         "Andere:1;"},
        {"pro_na.ini", "Velka Technology Corporation", "Tamo T/A Pro ISDN Modem", "V3.1.7", "NI-1",
         "Canada:25;"},
        {"pro_international.ini", "Velka Technology Corporation", "Tamo T/A Pro ISDN Modem",
         "V3.1.7", "V110", "Andere:1;"},
        {"pci_card.ini", "Velka Technology Corporation", "Tamo T/A PCI ISDN Modem", "V1.2.3",
         "NI-1", "Canada:25;"},
        {"pc_card.ini", "Velka Technology Corporation", "Tamo T/A0B", "V1.0.9", "EURO",
         "Andere:1;"},
        {"other_maker.ini", "Generic 56K Data/Fax Modem", "56K V.90 Voice", "1.02", "", nullptr},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.file);
        start(loadScenario(r.file));
        ask("ATV1E1&K3\r\n");
        EXPECT_EQ(r.identification, okLine("atI8\r"));
        EXPECT_EQ(r.model, okLine("ati9\r\n"));  // the line feed is part of the echo
        EXPECT_EQ(r.version, okLine("atI3\r"));
        EXPECT_NE(std::string::npos, okLine("atI4\r").find(r.lineHas));
        EXPECT_FALSE(okLine("atI20\r").empty());
        const std::string regions = ask("atI100\r");
        if (r.regionsFrom == nullptr) {
            EXPECT_EQ("ERROR", resultOf(regions));
            continue;
        }
        EXPECT_EQ("OK", resultOf(regions));
        const std::size_t from = regions.find(r.regionsFrom[0]);
        ASSERT_NE(std::string::npos, from);
        EXPECT_EQ(0u, regions.compare(from, std::strlen(r.regionsFrom), r.regionsFrom));
    }
}

TEST_F(DialectTest, ListingPerKindAndRegion) {
    struct Row {
        const char* file;
        std::vector<const char*> present;
        std::vector<const char*> absent;
    };
    const Row rows[] = {
        {"box_international.ini",
         {"*R1=", "*R2=", "!N5=", "*W1=", "*W2=", "!N1=5551234"},
         {"*V1=", "!C6=", "!X22=", "!O", "*K1="}},
        {"box_6f.ini", {"*R1=", "*R2=", "!N5="}, {"*V1=", "!C6="}},
        {"box_na.ini",
         {"*V1=", "*A2=", "*K1=60", "*M=30", "!C6=01555123400101", "!X22=", "!X10=", "!O0"},
         {"!N5=", "*W1="}},
        {"pro_na.ini", {"*R1=", "*V1=", "!O0", "!C6="}, {"*R2=", "*V2=", "!N5="}},
        {"pro_international.ini",
         {"*R1=", "*W1=", "!N5=", "!O0"},
         {"*R2=", "*W2=", "!C6=", "!X22="}},
        {"pci_card.ini", {"!C6=", "!X22=", "!O0"}, {"*R1=", "!N5="}},
        {"pc_card.ini", {"%A2=96", "%P8="}, {"*R1=", "!N5=", "!O", "!C6=", "!X22="}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.file);
        start(loadScenario(r.file));
        const std::string listing = ask("AT&V\r");
        EXPECT_EQ("OK", resultOf(listing));
        EXPECT_LT(listing.size(), 4096u);
        std::size_t last = 0;
        for (const char* mark : {"&Y0", "STORED PROFILE 0:", "STORED PROFILE 1:",
                                 "STORED PROFILE 2:", "TELEPHONE NUMBERS"}) {
            const std::size_t at = listing.find(mark);
            ASSERT_NE(std::string::npos, at) << mark;
            EXPECT_GT(at, last) << mark;
            last = at;
        }
        const std::string stored0 = listing.substr(listing.find("STORED PROFILE 0:"));
        for (const char* p : r.present) EXPECT_NE(std::string::npos, stored0.find(p)) << p;
        for (const char* p : r.absent) EXPECT_EQ(std::string::npos, listing.find(p)) << p;
    }
}

TEST_F(DialectTest, SettingsStoredWithAmpWShowInTheNextListing) {
    start(loadScenario("box_na.ini"));
    // The lines of a profile write, in the writer's order and form.
    const char* lines[] = {
        "AT!C1=1%A2=95\r",
        "AT*P25\r",
        "AT!N1=5550001!N2=5550002\r",
        "AT!T1=3!T2=5\r",
        "AT!A1\r",
        "AT!C6=0155500010101!C7=0155500020101!C4=0!C5=1\r",
        "AT%P5=1%P6=300%P7=60\r",
        "AT!X10=1!X11=2!X12=3!X13=4!X14=5!X15=6\r",
        "AT!X22=1!X1=2!X2=12345!X3=R\r",
        "AT!O3\r",
        "AT%P8=1\r\r",
        "AT*E1=2*E2=1\r",
        "AT*R1=1*R2=0\r",
        "AT*K1=*3\r",
        "AT*M=45\r",
        "AT&W1\r",
    };
    for (const char* l : lines) EXPECT_EQ("OK", resultOf(ask(l))) << l;
    EXPECT_EQ("OK", resultOf(ask("AT&Y1\r")));
    EXPECT_EQ("OK", resultOf(ask("at@date=03-14-27@time=12:34:56\r\r")));
    EXPECT_EQ("OK", resultOf(ask("ATZ1\r")));
    // What the device does not have, or cannot take, is refused.
    EXPECT_EQ("ERROR", resultOf(ask("AT!N5=1\r")));
    EXPECT_EQ("ERROR", resultOf(ask("AT%A2=3\r")));
    EXPECT_EQ("ERROR", resultOf(ask("AT&W3\r")));
    EXPECT_EQ("ERROR", resultOf(ask("at@date=13-01-27\r")));

    const std::string listing = ask("AT&V\r");
    const std::size_t p1 = listing.find("STORED PROFILE 1:");
    const std::size_t p2 = listing.find("STORED PROFILE 2:");
    ASSERT_NE(std::string::npos, p1);
    const std::string section1 = listing.substr(p1, p2 - p1);
    const std::pair<const char*, const char*> expected[] = {
        {"*P", "25"},        {"%A2=", "95"},  {"!C1=", "1"},  {"!N1=", "5550001"},
        {"!N2=", "5550002"}, {"!T1=", "3"},   {"!A", "1"},    {"!C6=", "0155500010101"},
        {"!C5=", "1"},       {"%P6=", "300"}, {"!X15=", "6"}, {"!X22=", "1"},
        {"!X3=", "R"},       {"!O", "3"},     {"%P8=", "1"},  {"*E1=", "2"},
        {"*E2=", "1"},       {"*R1=", "1"},   {"*K1=", "*3"}, {"*M=", "45"}};
    for (const auto& [param, value] : expected) {
        std::string got;
        EXPECT_TRUE(listedValue(section1, param, got)) << param;
        EXPECT_EQ(value, got) << param;
    }
    const std::size_t p0 = listing.find("STORED PROFILE 0:");
    std::string n1;
    EXPECT_TRUE(listedValue(listing.substr(p0, p1 - p0), "!N1=", n1));
    EXPECT_EQ("5551234", n1);
    EXPECT_NE(std::string::npos, listing.find("&Y1"));
    // After ATZ1 the working profile is profile 1.
    EXPECT_TRUE(listedValue(listing.substr(0, p0), "!N1=", n1));
    EXPECT_EQ("5550001", n1);

    // The reset: factory settings, then a restart.
    EXPECT_EQ("OK", resultOf(ask("at>f\r")));
    EXPECT_EQ("OK", resultOf(ask("atz\r")));
    const std::string reset = ask("AT&V\r");
    EXPECT_NE(std::string::npos, reset.find("&Y0"));
    EXPECT_EQ(std::string::npos, reset.find("5550001"));
    EXPECT_EQ(std::string::npos, reset.find("5551234"));
}

// --- the firmware loader -------------------------------------------------

struct Download {
    bool crc;
    std::uint32_t naks = 0;
};

// Sends the image block by block; the first block goes out once with a
// spoiled sum first. Returns false when the loader stops answering.
bool sendImage(HostPort& host, const std::string& image, Download& d) {
    const std::size_t blocks = (image.size() + 1023) / 1024;
    for (std::size_t n = 0; n < blocks; ++n) {
        std::string block = simtest::xmodemBlock(static_cast<std::uint8_t>((n + 1) & 0xFF),
                                                 image.substr(n * 1024, 1024), d.crc);
        if (n == 0) {
            std::string bad = block;
            bad[1000] ^= 0x55;
            host.write(bad);
            const std::string r = host.readBytes(1);
            if (r != std::string(1, kNak)) return false;
            ++d.naks;
        }
        for (int tries = 0;; ++tries) {
            if (tries > 20) return false;
            host.write(block);
            const std::string r = host.readBytes(1);
            if (r == std::string(1, kAck)) break;
            if (r != std::string(1, kNak)) return false;
            ++d.naks;
        }
    }
    host.write(std::string(1, kEot));
    return host.readBytes(1) == std::string(1, kAck);
}

TEST_F(DialectTest, FirmwareDownloadInBothModes) {
    struct Row {
        const char* file;
        bool crc;
        bool loaderMode;  // only the boot state answers
        const char* finalText;
        std::uint32_t extraNaks;
    };
    const Row rows[] = {
        {"box_international.ini", true, false, "...\r\n", 0},
        {"fault_download_nak_storm.ini", false, false, "...\r\n", 5},
        {"pc_card.ini", true, false, ".", 0},
        {"boot_state.ini", true, true, "...\r\n", 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.file);
        start(loadScenario(r.file));
        if (r.loaderMode) {
            EXPECT_EQ("AT\r", host.command("AT\r", 300));  // the boot loader says nothing
            host.write("at@load\r");
        } else {
            EXPECT_EQ("OK", resultOf(ask("at@quit\r")));
            host.write("AT$Z\r");
            EXPECT_NE(std::string::npos, host.readUntil("user\r", 3000, true).find("user\r"));
            host.write("at@load\r");
        }
        EXPECT_NE(std::string::npos, host.readUntil("(y/n)?", 3000, true).find("(y/n)?"));
        host.write("y\r");
        EXPECT_NE(std::string::npos, host.readUntil("loaded\r", 3000, true).find("loaded\r"));
        const std::string startChar(1, r.crc ? 'C' : kNak);
        EXPECT_NE(std::string::npos, host.readUntil(startChar, 5000, true).find(startChar));

        const std::string image = simtest::testImage(5 * 1024 + 300, "1.5.0");
        Download d{r.crc};
        ASSERT_TRUE(sendImage(host, image, d));
        EXPECT_EQ(1u + r.extraNaks, d.naks);
        const std::string tail = host.readUntil(r.finalText, 5000, true);
        EXPECT_NE(std::string::npos, tail.find(r.finalText)) << tail;
        std::string received;
        dev->withEngine([&](sim::Adapter& a) { received = a.receivedImage(); });
        EXPECT_EQ(image, received);
        // The adapter restarts with the new firmware and reports its version.
        EXPECT_EQ("V1.5.0", okLine("atI3\r"));
    }
}

TEST_F(DialectTest, LoaderCancelsWithCanAndReturnsToCommands) {
    start(loadScenario("fault_download_can.ini"));
    host.write("at@load\r");
    host.readUntil("(y/n)?", 3000, true);
    host.write("y\r");
    host.readUntil("C", 5000, true);
    const std::string image = simtest::testImage(8 * 1024);
    std::string got;
    for (int n = 0; n < 4 && got.find(kCan) == std::string::npos; ++n) {
        host.write(simtest::xmodemBlock(static_cast<std::uint8_t>(n + 1),
                                        image.substr(n * 1024, 1024), true));
        got += host.readBytes(n < 3 ? 1 : 3);
    }
    EXPECT_EQ(std::string(3, kAck) + std::string(3, kCan), got);
    // The suite then sends EOT and at@quit; the firmware takes commands again.
    host.write(std::string(1, kEot));
    EXPECT_EQ("OK", resultOf(ask("at@quit\r")));
    std::string received = "unset";
    dev->withEngine([&](sim::Adapter& a) { received = a.receivedImage(); });
    EXPECT_EQ("", received);
}

// --- status query fallbacks ------------------------------------------------

TEST_F(DialectTest, BootStateAndMessageModeAnswerTheProbes) {
    for (const char* file : {"boot_state.ini", "message_mode.ini"}) {
        SCOPED_TRACE(file);
        const bool message = std::string(file) == "message_mode.ini";
        start(loadScenario(file));
        // No complete answer to atI8, and no OK for a bare "at".
        EXPECT_EQ("atI8\r", host.command("atI8\r", 300));
        EXPECT_EQ(std::string::npos, host.command("at\r", 300).find("OK"));
        EXPECT_NE(std::string::npos, host.command("ati9\r\n", 300).find("Tamo T/A ISDN Modem"));
        const std::string msg = host.readFor(0) + (host.write("at@msg\r\n"), host.readFor(300));
        EXPECT_EQ(message, msg.find("cause") != std::string::npos) << msg;
        EXPECT_EQ(message, msg.find("user") != std::string::npos) << msg;
        if (!message) continue;
        EXPECT_EQ("OK", resultOf(ask("at@quit\r\n")));
        EXPECT_EQ("OK", resultOf(ask("AT\r")));
        EXPECT_EQ("Velka Technology Corporation", okLine("atI8\r"));
    }
}

// --- North-American line detection ----------------------------------------

std::size_t countOf(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

std::string labelValue(const std::string& listing, const std::string& label) {
    const std::size_t at = listing.find(label);
    if (at == std::string::npos) return "<missing>";
    const std::size_t colon = listing.find(':', at);
    const std::size_t end = listing.find('\r', colon);
    std::string v = listing.substr(colon + 1, end - colon - 1);
    v.erase(0, v.find_first_not_of(' '));
    return v;
}

TEST_F(DialectTest, LineStatusListings) {
    start(loadScenario("box_na.ini"));
    const std::string vdd = ask("AT>VDD\r");
    EXPECT_EQ("OK", resultOf(vdd));
    EXPECT_EQ("Successful", labelValue(vdd, "Initialisation status"));
    EXPECT_EQ("North America", labelValue(vdd, "Current location"));
    EXPECT_EQ("National ISDN", labelValue(vdd, "Detected switch type"));
    EXPECT_EQ("Auto", labelValue(vdd, "SPIDs supported"));

    // Both SPIDs of the stored profile are in use.
    const std::string vdl = ask("AT>VDL\r");
    EXPECT_EQ("OK", resultOf(vdl));
    EXPECT_EQ(2u, countOf(vdl, "- activated and operational"));

    const std::string list = ask("AT$I\r");
    EXPECT_EQ("OK", resultOf(list));
    EXPECT_NE(
        std::string::npos,
        list.find("\r\n01555123400101;5551234;dv;avail\r\n01555123500101;5551235;dv;avail\r\n"));

    // Clearing the line settings, storing and restarting the profile.
    EXPECT_EQ("OK", resultOf(ask("AT!N1=!N2=!C6=!C7=!C4=0!C5=0\r")));
    EXPECT_EQ("OK", resultOf(ask("AT&W0\r")));
    EXPECT_EQ("OK", resultOf(ask("ATZ0\r")));
    const std::string cleared = ask("AT>VDL\r");
    EXPECT_EQ(std::string::npos, cleared.find("operational"));
    EXPECT_NE(std::string::npos, cleared.find("Channel 1 - activated\r\n"));

    // A SPID the switch accepts is taken into the first free channel.
    const std::string ok = ask("AT$I01555123400101\r");
    EXPECT_EQ("OK", resultOf(ok));
    EXPECT_NE(std::string::npos, ask("AT>VDL\r").find("Channel 1 - activated and operational"));
    // A rejected one: its verdict line ends in ".", which the host waits for.
    const std::string rejected = ask("AT$I09999999990101\r");
    EXPECT_EQ("NO CARRIER", resultOf(rejected));
    EXPECT_NE(std::string::npos, rejected.find(".\r\n"));
}

TEST_F(DialectTest, LineDetectionFaultsAndInternationalDevices) {
    start(loadScenario("fault_line_in_progress.ini"));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ("In-Progress", labelValue(ask("AT>VDD\r"), "Initialisation status")) << i;
    const std::string vdd = ask("AT>VDD\r");
    EXPECT_EQ("Successful", labelValue(vdd, "Initialisation status"));
    EXPECT_EQ("Unknown", labelValue(vdd, "Detected switch type"));
    EXPECT_EQ("Yes", labelValue(vdd, "SPIDs supported"));
    EXPECT_EQ("BUSY", resultOf(ask("AT$I0155512340\r")));
    EXPECT_EQ("OK", resultOf(ask("AT$I0155512340\r")));
    EXPECT_EQ("OK", resultOf(ask("AT$I0155512340\r")));  // the last result repeats
    EXPECT_EQ("ERROR", resultOf(ask("AT$I0155512350\r")));

    start(loadScenario("box_international.ini"));
    for (const char* cmd : {"AT>VDD\r", "AT>VDL\r", "AT$I\r", "AT$I0101\r"}) {
        EXPECT_EQ("ERROR", resultOf(ask(cmd))) << cmd;
    }
}

// --- several adapters ----------------------------------------------------------

TEST_F(DialectTest, TwoAdaptersOnTwoPortsAtOnce) {
    std::unique_ptr<sim::PtyAdapter> a, b;
    sim::PtyAdapter::Options oa, ob;
    oa.comName = "COM11";
    ob.comName = "COM12";
    ASSERT_EQ(0, sim::PtyAdapter::start(loadScenario("box_international.ini"), oa, a));
    ASSERT_EQ(0, sim::PtyAdapter::start(loadScenario("pro_na.ini"), ob, b));
    ASSERT_NE(a->devicePath(), b->devicePath());
    platform::RegKey key;
    ASSERT_EQ(0, platform::RegKey::open(platform::RegRoot::LocalMachine, sim::kSerialCommKey, key));
    std::string ca, cb;
    key.readString(a->devicePath(), ca);
    key.readString(b->devicePath(), cb);
    EXPECT_EQ("COM11", ca);
    EXPECT_EQ("COM12", cb);

    auto talk = [](const std::string& path, const std::string& model, const std::string& number,
                   int& good) {
        HostPort port;
        if (!port.open(path)) return;
        for (int i = 0; i < 15; ++i) {
            if (replyLine(port.command("ati9\r\n"), "ati9\r\n") != model) continue;
            if (port.command("AT!N1=" + number + "\r").find("OK") == std::string::npos) continue;
            ++good;
        }
    };
    int goodA = 0, goodB = 0;
    std::thread ta(talk, a->devicePath(), "Tamo T/A ISDN Modem", "111", std::ref(goodA));
    std::thread tb(talk, b->devicePath(), "Tamo T/A Pro ISDN Modem", "222", std::ref(goodB));
    ta.join();
    tb.join();
    EXPECT_EQ(15, goodA);
    EXPECT_EQ(15, goodB);
    // Each kept its own profile.
    HostPort pa, pb;
    ASSERT_TRUE(pa.open(a->devicePath()));
    ASSERT_TRUE(pb.open(b->devicePath()));
    EXPECT_NE(std::string::npos, pa.command("AT&V\r").find("!N1=111 "));
    EXPECT_NE(std::string::npos, pb.command("AT&V\r").find("!N1=222 "));
}

}  // namespace
