// The ta-sim program: ports in the store, answers on the line, state kept
// between runs, the transcript, and a clean end on SIGTERM.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <sstream>

#include "platform/registry_store.h"
#include "sim/com_mapping.h"
#include "tests/sim/scenario_files.h"
#include "tests/sim/sim_test_util.h"
#include "tests/support/temp_home.h"

extern char** environ;

namespace {

// One running ta-sim with its stdout read line by line.
class TaSim {
public:
    ~TaSim() { stop(SIGKILL); }

    bool start(std::vector<std::string> args) {
        int fds[2];
        if (pipe(fds) != 0) return false;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        const std::string program = testsupport::binDir() + "/ta-sim";
        args.insert(args.begin(), program);
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        const int rc = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        out_ = fds[0];
        return rc == 0;
    }

    // The "COMn /dev/pts/N" lines, once all `count` are there.
    std::map<std::string, std::string> ports(std::size_t count) {
        std::map<std::string, std::string> result;
        std::string text;
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::count(text.begin(), text.end(), '\n') < static_cast<long>(count) &&
               std::chrono::steady_clock::now() < end) {
            pollfd p{out_, POLLIN, 0};
            if (::poll(&p, 1, 200) <= 0) continue;
            char buf[256];
            const ssize_t n = ::read(out_, buf, sizeof buf);
            if (n <= 0) break;
            text.append(buf, static_cast<std::size_t>(n));
        }
        std::istringstream in(text);
        std::string com, path;
        while (in >> com >> path) result[com] = path;
        return result;
    }

    // Sends the signal and returns the exit status (-1 when it did not end).
    int stop(int sig) {
        if (pid_ <= 0) return -1;
        ::kill(pid_, sig);
        int status = 0;
        const pid_t got = ::waitpid(pid_, &status, 0);
        pid_ = -1;
        if (out_ >= 0) ::close(out_);
        out_ = -1;
        return got > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    int wait() {
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    int out_ = -1;
};

std::string mappedCom(const std::string& devicePath) {
    platform::RegKey key;
    if (platform::RegKey::open(platform::RegRoot::LocalMachine, sim::kSerialCommKey, key) != 0)
        return {};
    std::string data;
    key.readString(devicePath, data);
    return data;
}

TEST(TaSimProgram, ServesPortsKeepsStateAndWritesTranscript) {
    testsupport::TempHome home;
    const std::string state = home.file("sim.state");
    const std::string log = home.file("sim.log");
    const std::string scenario = simtest::scenarioPath("box_international.ini");
    {
        TaSim sim;
        ASSERT_TRUE(sim.start({"--scenario", scenario, "--state", state, "--log", log, "--port",
                               "COM3", "--port", "COM4"}));
        auto ports = sim.ports(2);
        ASSERT_EQ(2u, ports.size());
        EXPECT_EQ("COM3", mappedCom(ports["COM3"]));
        EXPECT_EQ("COM4", mappedCom(ports["COM4"]));

        simtest::HostPort host;
        ASSERT_TRUE(host.open(ports["COM3"]));
        EXPECT_NE(std::string::npos, host.command("AT!N1=4711\r").find("OK"));
        EXPECT_NE(std::string::npos, host.command("AT&W2\r").find("OK"));
        EXPECT_NE(std::string::npos, host.command("AT&Y2\r").find("OK"));
        simtest::HostPort other;
        ASSERT_TRUE(other.open(ports["COM4"]));
        EXPECT_EQ("Tamo T/A ISDN Modem", simtest::replyLine(other.command("ati9\r\n"), "ati9\r\n"));

        EXPECT_EQ(0, sim.stop(SIGTERM));
        EXPECT_EQ("", mappedCom(ports["COM3"]));
        EXPECT_EQ("", mappedCom(ports["COM4"]));
    }
    const std::string transcript = testsupport::readFile(log);
    EXPECT_NE(std::string::npos, transcript.find("COM3 < AT!N1=4711\n"));
    EXPECT_NE(std::string::npos, transcript.find("COM3 < AT&W2\n"));
    EXPECT_NE(std::string::npos, transcript.find("COM3 > \\r\\nOK\\r\\n\n"));
    EXPECT_NE(std::string::npos, transcript.find("COM4 < ati9\n"));
    EXPECT_NE(std::string::npos,
              transcript.find("COM4 > \\r\\nTamo T/A ISDN Modem\\r\\n\\r\\nOK\\r\\n\n"));

    // A second run starts from the stored profiles, with profile 2 active.
    TaSim again;
    ASSERT_TRUE(again.start({"--scenario", scenario, "--state", state, "--port", "COM3"}));
    auto ports = again.ports(1);
    ASSERT_EQ(1u, ports.count("COM3"));
    simtest::HostPort host;
    ASSERT_TRUE(host.open(ports["COM3"]));
    const std::string listing = host.command("AT&V\r");
    const std::size_t p2 = listing.find("STORED PROFILE 2:");
    ASSERT_NE(std::string::npos, p2);
    std::string n1, active;
    EXPECT_TRUE(simtest::listedValue(listing.substr(p2), "!N1=", n1));
    EXPECT_EQ("4711", n1);
    EXPECT_TRUE(simtest::listedValue(listing, "&Y", active));
    EXPECT_EQ("2", active);
    EXPECT_EQ(0, again.stop(SIGINT));
}

TEST(TaSimProgram, RefusesBadArgumentsAndScenarios) {
    testsupport::TempHome home;
    const std::string broken = home.file("broken.ini");
    testsupport::writeFile(broken, "[device]\nkind=toaster\n");
    struct Row {
        std::vector<std::string> args;
        int exit;
    };
    const Row rows[] = {
        {{}, 2},
        {{"--port", "COM1"}, 2},
        {{"--scenario", simtest::scenarioPath("box_na.ini")}, 2},
        {{"--scenario", simtest::scenarioPath("box_na.ini"), "--port"}, 2},
        {{"--scenario", simtest::scenarioPath("box_na.ini"), "--colour", "red", "--port", "COM1"},
         2},
        {{"--scenario", home.file("missing.ini"), "--port", "COM1"}, 1},
        {{"--scenario", broken, "--port", "COM1"}, 1},
    };
    for (const Row& r : rows) {
        TaSim sim;
        ASSERT_TRUE(sim.start(r.args));
        EXPECT_EQ(r.exit, sim.wait()) << (r.args.empty() ? "(none)" : r.args[0]);
    }
}

}  // namespace
