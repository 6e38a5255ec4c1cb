// The ta-sim program: ports in the store, answers on the line, state kept
// between runs, the transcript, and a clean end on SIGTERM.
#include <gtest/gtest.h>

#include <csignal>
#include <map>
#include <sstream>

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
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.exit, testsupport::runProgram("ta-sim", r.args).code)
            << (r.args.empty() ? "(none)" : r.args.back());
}

}  // namespace
