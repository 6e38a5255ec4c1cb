#pragma once
// A simulated adapter on COM7 for the profile engine's tests, in a state
// folder of its own, with a transcript of the command lines it received.
#include <memory>
#include <string>
#include <vector>

#include "tests/support/sim_port.h"

namespace profiletest {

class SimAdapter {
public:
    static constexpr const char* kPort = "COM7";

    explicit SimAdapter(const sim::Scenario& scenario) {
        // Short enough for a quick run, long enough for a loaded two-core machine
        // (at 0.1 a reply now and then missed its wait while other builds ran).
        testsupport::setTimeScale(0.2);
        device_ = testsupport::startSim(scenario, kPort, transcript());
    }

    bool started() const { return device_ != nullptr; }
    std::vector<std::string> Received() const {
        return testsupport::receivedLines(transcript(), kPort);
    }
    void ClearTranscript() { testsupport::writeFile(transcript(), ""); }
    std::string file(const std::string& name) const { return home_.file(name); }

private:
    std::string transcript() const { return home_.file("transcript.log"); }

    testsupport::TempHome home_;
    std::unique_ptr<sim::PtyAdapter> device_;
};

inline bool Has(const std::string& text, const std::string& what) {
    return text.find(what) != std::string::npos;
}

// Whether the adapter received a command line that starts with `start`.
inline bool Sent(const SimAdapter& adapter, const std::string& start) {
    for (const std::string& line : adapter.Received())
        if (line.starts_with(start)) return true;
    return false;
}

}  // namespace profiletest
