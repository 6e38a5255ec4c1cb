// The complete dialect, driven through a real pseudo-terminal with plain
// writes, the way the suite's programs talk to an adapter.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <thread>

#include "tests/sim/scenario_files.h"
#include "tests/sim/sim_test_util.h"
#include "tests/support/sim_port.h"

namespace {

using simtest::HostPort;
using simtest::listedValue;
using simtest::loadScenario;
using simtest::replyLine;

class DialectTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::setTimeScale(0.1); }

    void start(const sim::Scenario& sc) {
        host.close();
        dev = testsupport::startSim(sc);
        ASSERT_TRUE(dev && host.open(dev->devicePath()));
    }

    // The answer's last line, as the hosts read result codes.
    static std::string resultOf(const std::string& answer) {
        std::string s = answer;
        while (!s.empty() && (s.back() == '\r' || s.back() == '\n')) s.pop_back();
        return s.substr(s.find_last_of('\n') + 1);
    }

    std::string ask(const std::string& cmd) { return host.command(cmd); }
    std::string okLine(const std::string& cmd) {
        const std::string a = ask(cmd);
        EXPECT_EQ("OK", resultOf(a)) << cmd << " -> " << a;
        return replyLine(a, cmd);
    }
    bool waitFor(const std::string& text) {
        return host.readUntil(text, 5000, true).find(text) != std::string::npos;
    }
    // The value the host's reader finds for `param` in `text`; "<none>" without one.
    static std::string valueOf(const std::string& text, const std::string& param) {
        std::string value;
        return listedValue(text, param, value) ? value : "<none>";
    }

    testsupport::TempHome home;
    std::unique_ptr<sim::PtyAdapter> dev;
    HostPort host;
};

TEST_F(DialectTest, ListingPerKindAndRegion) {
    struct Row {
        const char *file, *present, *absent;  // parameters in stored profile 0, and nowhere
    };
    const Row rows[] = {
        {"box_international.ini", "*R1= *R2= !N5= *W1= *W2= !N1=5551234",
         "*V1= !C6= !X22= !O *K1="},
        {"box_6f.ini", "*R1= *R2= !N5=", "*V1= !C6="},
        {"box_na.ini", "*V1= *A2= *K1=60 *M=30 !C6=01555123400101 !X22= !X10= !O0", "!N5= *W1="},
        {"pro_na.ini", "*R1= *V1= !O0 !C6=", "*R2= *V2= !N5="},
        {"pro_international.ini", "*R1= *W1= !N5= !O0", "*R2= *W2= !C6= !X22="},
        {"pci_card.ini", "!C6= !X22= !O0", "*R1= !N5="},
        {"pc_card.ini", "%A2=96 %P8=", "*R1= !N5= !O !C6= !X22="},
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
            EXPECT_TRUE(at != std::string::npos && at > last) << mark;
            last = at;
        }
        const std::string stored0 = listing.substr(listing.find("STORED PROFILE 0:"));
        std::istringstream present(r.present), absent(r.absent);
        for (std::string p; present >> p;) EXPECT_NE(std::string::npos, stored0.find(p)) << p;
        for (std::string p; absent >> p;) EXPECT_EQ(std::string::npos, listing.find(p)) << p;
    }
}

TEST_F(DialectTest, SettingsStoredWithAmpWShowInTheNextListing) {
    start(loadScenario("box_na.ini"));
    // The lines of a profile write, in the writer's order and form, then
    // the active profile, the clock and the restart.
    for (const char* line :
         {"AT!C1=1%A2=95\r", "AT*P25\r", "AT!N1=5550001!N2=5550002\r", "AT!T1=3!T2=5\r", "AT!A1\r",
          "AT!C6=0155500010101!C7=0155500020101!C4=0!C5=1\r", "AT%P5=1%P6=300%P7=60\r",
          "AT!X10=1!X11=2!X12=3!X13=4!X14=5!X15=6\r", "AT!X22=1!X1=2!X2=12345!X3=R\r", "AT!O3\r",
          "AT%P8=1\r\r", "AT*E1=2*E2=1\r", "AT*R1=1*R2=0\r", "AT*K1=*3\r", "AT*M=45\r", "AT&W1\r",
          "AT&Y1\r", "at@date=03-14-27@time=12:34:56\r\r", "ATZ1\r"})
        EXPECT_EQ("OK", resultOf(ask(line))) << line;
    // What the device does not have, or cannot take, is refused.
    for (const char* line : {"AT!N5=1\r", "AT%A2=3\r", "AT&W3\r", "at@date=13-01-27\r"})
        EXPECT_EQ("ERROR", resultOf(ask(line))) << line;

    const std::string listing = ask("AT&V\r");
    const std::size_t p0 = listing.find("STORED PROFILE 0:"),
                      p1 = listing.find("STORED PROFILE 1:");
    const std::string section1 = listing.substr(p1, listing.find("STORED PROFILE 2:") - p1);
    // Each parameter and the value the host's reader must find for it.
    std::istringstream expected(
        "*P 25 %A2= 95 !C1= 1 !N2= 5550002 !T1= 3 !A 1 !C6= 0155500010101 !C5= 1 %P6= 300 "
        "!X15= 6 !X3= R !O 3 %P8= 1 *E2= 1 *R1= 1 *K1= *3 *M= 45");
    for (std::string param, value; expected >> param >> value;)
        EXPECT_EQ(value, valueOf(section1, param)) << param;
    EXPECT_EQ("5551234", valueOf(listing.substr(p0, p1 - p0), "!N1="));
    EXPECT_EQ("1", valueOf(listing, "&Y"));
    EXPECT_EQ("5550001", valueOf(listing.substr(0, p0), "!N1="));  // ATZ1 loaded profile 1

    // The reset: factory settings, then a restart.
    EXPECT_EQ("OK", resultOf(ask("at>f\r")));
    EXPECT_EQ("OK", resultOf(ask("atz\r")));
    const std::string reset = ask("AT&V\r");
    EXPECT_EQ("0", valueOf(reset, "&Y"));
    EXPECT_EQ(std::string::npos, reset.find("5550001"));
    EXPECT_EQ(std::string::npos, reset.find("5551234"));
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

// The status listing's lines, "label: value" each, as one "label=value;" text.
std::string labels(const std::string& listing) {
    std::string out;
    std::istringstream in(listing);
    for (std::string line; std::getline(in, line);) {
        const std::size_t colon = line.find(": ");
        if (colon != std::string::npos)
            out += line.substr(0, colon) + "=" +
                   line.substr(colon + 2, line.find('\r') - colon - 2) + ";";
    }
    return out;
}

TEST_F(DialectTest, LineStatusListings) {
    start(loadScenario("box_na.ini"));
    EXPECT_EQ(
        "Initialisation status=Successful;Current location=North America;"
        "Detected switch type=National ISDN;SPIDs supported=Auto;",
        labels(ask("AT>VDD\r")));
    // Both SPIDs of the stored profile are in use.
    EXPECT_TRUE(ask("AT>VDL\r")
                    .ends_with("\r\nChannel 1 - activated and operational\r\n"
                               "Channel 2 - activated and operational\r\n\r\nOK\r\n"));
    EXPECT_TRUE(ask("AT$I\r").ends_with(
        "\r\n01555123400101;5551234;dv;avail\r\n01555123500101;5551235;dv;avail\r\n\r\nOK\r\n"));

    // Clearing the line settings, storing and restarting the profile.
    for (const char* line : {"AT!N1=!N2=!C6=!C7=!C4=0!C5=0\r", "AT&W0\r", "ATZ0\r"})
        EXPECT_EQ("OK", resultOf(ask(line))) << line;
    EXPECT_NE(std::string::npos,
              ask("AT>VDL\r").find("Channel 1 - activated\r\nChannel 2 - activated\r\n"));

    // A SPID the switch accepts is taken into the first free channel.
    EXPECT_EQ("OK", resultOf(ask("AT$I01555123400101\r")));
    EXPECT_NE(std::string::npos, ask("AT>VDL\r").find("Channel 1 - activated and operational"));
    // One it does not know is refused.
    EXPECT_EQ("ERROR", resultOf(ask("AT$I09999999990101\r")));
}

TEST_F(DialectTest, LineDetectionFaultsAndInternationalDevices) {
    start(loadScenario("fault_line_in_progress.ini"));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(labels(ask("AT>VDD\r")).starts_with("Initialisation status=In-Progress;")) << i;
    EXPECT_EQ(
        "Initialisation status=Successful;Current location=North America;"
        "Detected switch type=Unknown;SPIDs supported=Yes;",
        labels(ask("AT>VDD\r")));
    // Results by SPID, one per test, the last one repeating.
    for (const auto& [spid, result] :
         std::vector<std::pair<const char*, const char*>>{{"0155512340", "BUSY"},
                                                          {"0155512340", "OK"},
                                                          {"0155512340", "OK"},
                                                          {"0155512350", "ERROR"}})
        EXPECT_EQ(result, resultOf(ask(std::string("AT$I") + spid + "\r"))) << spid;

    start(loadScenario("box_international.ini"));
    for (const char* cmd : {"AT>VDD\r", "AT>VDL\r", "AT$I\r", "AT$I0101\r"})
        EXPECT_EQ("ERROR", resultOf(ask(cmd))) << cmd;
}

// --- several adapters ----------------------------------------------------------

TEST_F(DialectTest, TwoAdaptersOnTwoPortsAtOnce) {
    auto a = testsupport::startSim(loadScenario("box_international.ini"), "COM11");
    auto b = testsupport::startSim(loadScenario("pro_na.ini"), "COM12");
    ASSERT_TRUE(a && b);
    EXPECT_EQ("COM11", testsupport::mappedCom(a->devicePath()));
    EXPECT_EQ("COM12", testsupport::mappedCom(b->devicePath()));

    // Each talks on its own line while the other does, and keeps its own profile.
    auto talk = [](const std::string& path, const std::string& model, const std::string& number,
                   int& good) {
        HostPort port;
        if (!port.open(path)) return;
        for (int i = 0; i < 15; ++i)
            if (replyLine(port.command("ati9\r\n"), "ati9\r\n") == model &&
                resultOf(port.command("AT!N1=" + number + "\r")) == "OK")
                ++good;
        good += port.command("AT&V\r").find("!N1=" + number + " ") != std::string::npos;
    };
    int goodA = 0, goodB = 0;
    std::thread ta(talk, a->devicePath(), "Tamo T/A ISDN Modem", "111", std::ref(goodA));
    std::thread tb(talk, b->devicePath(), "Tamo T/A Pro ISDN Modem", "222", std::ref(goodB));
    ta.join();
    tb.join();
    EXPECT_EQ(16, goodA);
    EXPECT_EQ(16, goodB);
}

}  // namespace
