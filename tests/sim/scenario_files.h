#pragma once
// The scenario files shipped under sim/scenarios, for tests.
#include <gtest/gtest.h>

#include <string>

#include "sim/scenario.h"
#include "sim/transcript.h"

namespace simtest {

inline std::string scenarioPath(const std::string& name) {
    return std::string(SIM_SCENARIO_DIR) + "/" + name;
}

inline sim::Scenario loadScenario(const std::string& name) {
    sim::Scenario s;
    std::string error;
    EXPECT_EQ(0, sim::parseScenario(sim::readTextFile(scenarioPath(name)), s, error))
        << name << ": " << error;
    return s;
}

}  // namespace simtest
