#pragma once
// Ports for tests: the adapter simulator under a COM name, a raw pty end the
// test plays itself (for replies no adapter gives on request), and a port held
// by another process.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "sim/pty_adapter.h"
#include "tests/support/process.h"
#include "tests/support/temp_home.h"

namespace testsupport {

// Sets VELKA_TA_TIME_SCALE for this process and the programs it starts.
void setTimeScale(double scale);

// The simulator, mapped to `comName` when one is given and writing its
// transcript to `transcriptPath` when one is given; null when it did not start.
std::unique_ptr<sim::PtyAdapter> startSim(const sim::Scenario& scenario,
                                          const std::string& comName = "",
                                          const std::string& transcriptPath = "");

// The COM name the store maps `devicePath` to; empty when none.
std::string mappedCom(const std::string& devicePath);

// The command lines a transcript shows `comName` received, in order.
std::vector<std::string> receivedLines(const std::string& transcriptPath,
                                       const std::string& comName);

// Maps COM1..COM<count> to device nodes that do not exist under `home`, so
// the machine's own serial ports stay out of a test that scans them all.
void mapAbsentPorts(const TempHome& home, int count);

// A pseudo-terminal whose master end the test drives; the slave is mapped to
// `comName` (when given) and kept open here, as a device would be.
class RawPeer {
public:
    explicit RawPeer(const std::string& comName);
    ~RawPeer();
    RawPeer(const RawPeer&) = delete;
    RawPeer& operator=(const RawPeer&) = delete;

    bool ok() const { return master_ >= 0; }
    const std::string& devicePath() const { return path_; }
    bool send(std::string_view bytes);
    // Reads what the host wrote until `suffix` ends it, or `timeoutMs` passed.
    std::string readUntil(std::string_view suffix, int timeoutMs = 5000);
    // Plays a device from now on: echoes what the host writes and sends
    // answer(line) for each line it ends with CR. Not to be mixed with
    // send/readUntil.
    void serve(std::function<std::string(const std::string& line)> answer);
    // Closes both ends held here: the host's side hangs up.
    void vanish();

private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
    std::jthread server_;
};

// Another process that opens `portName` through the port service and holds
// it while this lives. openStatus() is that process's open result.
class PortHolder {
public:
    explicit PortHolder(const std::string& portName);
    int openStatus() const { return status_; }

private:
    ChildProcess child_;
    int status_ = -1;
};

}  // namespace testsupport
