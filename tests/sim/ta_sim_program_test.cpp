// The ta-sim program: ports in the store, answers on the line, state kept
// between runs, the transcript, and a clean end on SIGTERM.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <map>
#include <sstream>

#include "platform/registry_store.h"
#include "platform/serial_port.h"
#include "tests/sim/scenario_files.h"
#include "tests/sim/sim_test_util.h"
#include "tests/support/process.h"
#include "tests/support/sim_port.h"

namespace {

using testsupport::mappedCom;

// Starts ta-sim and reads its "COMn /dev/pts/N" lines, once all `count` are there.
std::map<std::string, std::string> startPorts(testsupport::ChildProcess& sim,
                                              const std::vector<std::string>& args,
                                              std::size_t count) {
    std::map<std::string, std::string> ports;
    if (!sim.start("ta-sim", args)) return ports;
    std::istringstream in(sim.readLines(count));
    for (std::string com, path; in >> com >> path;) ports[com] = path;
    return ports;
}

TEST(TaSimProgram, ServesPortsKeepsStateAndWritesTranscript) {
    testsupport::TempHome home;
    const std::string state = home.file("sim.state"), log = home.file("sim.log");
    const std::string scenario = simtest::scenarioPath("box_international.ini");
    {
        testsupport::ChildProcess sim;
        auto ports = startPorts(sim,
                                {"--scenario", scenario, "--state", state, "--log", log, "--port",
                                 "COM3", "--port", "COM4"},
                                2);
        ASSERT_EQ(2u, ports.size());
        EXPECT_EQ("COM3", mappedCom(ports["COM3"]));
        EXPECT_EQ("COM4", mappedCom(ports["COM4"]));

        simtest::HostPort host, other;
        ASSERT_TRUE(host.open(ports["COM3"]) && other.open(ports["COM4"]));
        for (const char* cmd : {"AT!N1=4711\r", "AT&W2\r", "AT&Y2\r"})
            EXPECT_TRUE(host.command(cmd).ends_with("\r\nOK\r\n")) << cmd;
        EXPECT_EQ("Tamo T/A ISDN Modem", simtest::replyLine(other.command("ati9\r\n"), "ati9\r\n"));

        EXPECT_EQ(0, sim.stop(SIGTERM));
        EXPECT_EQ("", mappedCom(ports["COM3"]));
        EXPECT_EQ("", mappedCom(ports["COM4"]));
    }
    const std::string transcript = testsupport::readFile(log);
    for (const char* line :
         {"COM3 < AT!N1=4711\n", "COM3 < AT&W2\n", "COM3 > \\r\\nOK\\r\\n\n", "COM4 < ati9\n",
          "COM4 > \\r\\nTamo T/A ISDN Modem\\r\\n\\r\\nOK\\r\\n\n"})
        EXPECT_NE(std::string::npos, transcript.find(line)) << line;

    // A second run starts from the stored profiles, with profile 2 active.
    testsupport::ChildProcess again;
    auto ports = startPorts(again, {"--scenario", scenario, "--state", state, "--port", "COM3"}, 1);
    simtest::HostPort host;
    ASSERT_TRUE(host.open(ports["COM3"]));
    const std::string listing = host.command("AT&V\r");
    std::string n1, active;
    EXPECT_TRUE(
        simtest::listedValue(listing.substr(listing.find("STORED PROFILE 2:")), "!N1=", n1));
    EXPECT_EQ("4711", n1);
    EXPECT_TRUE(simtest::listedValue(listing, "&Y", active));
    EXPECT_EQ("2", active);
    EXPECT_EQ(0, again.stop(SIGINT));
}

TEST(TaSimProgram, RefusesBadArgumentsAndScenarios) {
    testsupport::TempHome home;
    const std::string broken = home.file("broken.ini"), na = simtest::scenarioPath("box_na.ini");
    testsupport::writeFile(broken, "[device]\nkind=toaster\n");
    const std::string fifo = home.file("fifo.ini"), binary = home.file("binary.ini"),
                      withNul = home.file("nul.ini");
    ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
    testsupport::writeFile(binary,
                           "\x7f"
                           "ELF\xff\x01=\x02\x1b[2J\n[device]\n");
    testsupport::writeFile(withNul, std::string("[device]\nkind=box\n\0\xff", 20));
    struct Row {
        std::vector<std::string> args;
        int exit;
    };
    const Row rows[] = {
        {{}, 2},
        {{"--port", "COM1"}, 2},
        {{"--scenario", na}, 2},
        {{"--scenario", na, "--port"}, 2},
        {{"--scenario", na, "--colour", "red", "--port", "COM1"}, 2},
        {{"--scenario", home.file("missing.ini"), "--port", "COM1"}, 1},
        {{"--scenario", broken, "--port", "COM1"}, 1},
        // Read through the bounded reader: neither grows without end nor waits.
        {{"--scenario", "/dev/zero", "--port", "COM1"}, 1},
        {{"--scenario", fifo, "--port", "COM1"}, 1},
        {{"--scenario", binary, "--port", "COM1"}, 1},
        {{"--scenario", withNul, "--port", "COM1"}, 1},
        {{"--scenario", na, "--state", home.file("no/dir/state"), "--port", "COM1"}, 1},
        {{"--scenario", na, "--log", home.file("no/dir/log"), "--port", "COM1"}, 1},
        {{"--help"}, 0},
    };
    for (const Row& r : rows) {
        const auto run = testsupport::runProgram("ta-sim", r.args);
        EXPECT_EQ(r.exit, run.code) << (r.args.empty() ? "(none)" : r.args.back());
        for (unsigned char c : run.err)
            EXPECT_TRUE(c == '\n' || (c >= 0x20 && c < 0x7F)) << r.args.back() << ": " << run.err;
    }
}

// A COM name belongs to one running simulator; a simulator that died (even by
// SIGKILL, with no chance to remove its mapping) holds nothing any more, and
// its mapping must not lead a host into the pty the system hands out next.
TEST(TaSimProgram, GuardsItsComNames) {
    testsupport::TempHome home;
    testsupport::setTimeScale(0.1);
    const std::string na = simtest::scenarioPath("box_na.ini");
    std::string stalePath;
    {
        testsupport::ChildProcess first;
        const auto ports = startPorts(first, {"--scenario", na, "--port", "COM7"}, 1);
        ASSERT_EQ(1u, ports.size());
        const auto second = testsupport::runProgram("ta-sim", {"--scenario", na, "--port", "COM7"});
        EXPECT_EQ(1, second.code);
        EXPECT_NE(std::string::npos, second.err.find("held by another running simulator"));
        EXPECT_EQ(1, testsupport::tactl({"map", "COM7", "/dev/null"}).code);
        EXPECT_EQ("COM7", mappedCom(ports.at("COM7")));
        stalePath = ports.at("COM7");
        first.stop(SIGKILL);
    }
    // Another program's terminal now sits where the dead simulator's pty was.
    testsupport::RawPeer other("");
    ASSERT_TRUE(other.ok());
    platform::RegKey key, owners;
    ASSERT_EQ(
        0, platform::RegKey::open(platform::RegRoot::LocalMachine, platform::kSerialCommKey, key));
    ASSERT_EQ(0, platform::RegKey::open(platform::RegRoot::LocalMachine,
                                        platform::kSerialCommOwnerKey, owners));
    std::string owner;
    ASSERT_EQ(0, owners.readString(stalePath, owner));
    ASSERT_EQ(0, key.setString(other.devicePath(), "COM7"));
    ASSERT_EQ(0, owners.setString(other.devicePath(), owner));
    key.deleteValue(stalePath);
    owners.deleteValue(stalePath);

    const auto status = testsupport::tactl({"status", "COM7"});
    EXPECT_EQ(1, status.code);
    EXPECT_EQ("", other.readUntil("\r", 300));     // nothing reached the other terminal
    EXPECT_EQ("", mappedCom(other.devicePath()));  // and the stale mapping is gone

    // map takes COM1 to COM256 and device paths only, one name per device.
    struct Row {
        std::vector<std::string> args;
        int exit;
    };
    const std::string link = home.file("link");
    std::filesystem::create_symlink(other.devicePath(), link);
    const Row rows[] = {
        {{"map", "COM0", "/dev/x"}, 2},   {{"map", "COM257", "/dev/x"}, 2},
        {{"map", "LPT1", "/dev/x"}, 2},   {{"map", "COM3", "dev/x"}, 2},
        {{"map", "COM256", "/dev/x"}, 0}, {{"map", "COM8", other.devicePath()}, 0},
        {{"map", "COM9", link}, 0},
    };
    for (const Row& r : rows) EXPECT_EQ(r.exit, testsupport::tactl(r.args).code) << r.args[1];
    EXPECT_EQ("COM9", mappedCom(other.devicePath()));
}

}  // namespace
