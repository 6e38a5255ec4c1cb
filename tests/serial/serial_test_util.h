#pragma once
// Test peers for the serial link: the adapter simulator behind a pty, a raw
// pty end whose bytes the test writes itself (for reply shapes the
// simulator's dialect never produces), and another process holding a port.
#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sim/pty_adapter.h"

namespace serialtest {

// Sets VELKA_TA_TIME_SCALE for this process (and the programs it starts).
void setTimeScale(double scale);

// The simulator registered under `comName`.
std::unique_ptr<sim::PtyAdapter> startSim(const sim::Scenario& scenario,
                                          const std::string& comName);

// A pseudo-terminal whose master end the test drives; the slave is mapped
// to `comName` in the store and kept open here, as a device would be.
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
    // Closes both ends held here: the host's side hangs up.
    void vanish();

private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
};

// Another process that opens `portName` through the port service and holds
// it until destroyed. openStatus() is that process's open result.
class PortHolder {
public:
    explicit PortHolder(const std::string& portName);
    ~PortHolder();
    PortHolder(const PortHolder&) = delete;
    PortHolder& operator=(const PortHolder&) = delete;
    int openStatus() const { return status_; }

private:
    pid_t pid_ = -1;
    int toChild_ = -1;
    int status_ = -1;
};

// Runs a program of the build with arguments; returns its exit code and
// collects its standard output.
int runProgram(const std::string& program, const std::vector<std::string>& args,
               std::string& output);

// The trace file's text as records: waits until `needle` shows in it.
bool waitForFileText(const std::string& path, std::string_view needle, int timeoutMs);

}  // namespace serialtest
