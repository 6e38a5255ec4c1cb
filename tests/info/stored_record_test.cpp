#include "info/stored_record.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "info/shared_state.h"
#include "platform/status_codes.h"

namespace {

TEST(StoredRecord, RefusesMalformedRecordsAndLeavesTheOutputAlone) {
    info::StoredValues good;
    good.portName = "COM4";
    good.versionText = "V2.10";
    good.deviceType = 2;
    good.region = 1;
    const std::pair<const char*, std::function<void(info::StoredValues&)>> breakers[] = {
        {"no port", [](auto& v) { v.portName.reset(); }},
        {"empty port", [](auto& v) { v.portName = ""; }},
        {"no type", [](auto& v) { v.deviceType.reset(); }},
        {"type not a kind", [](auto& v) { v.deviceType = 3; }},
        {"type huge", [](auto& v) { v.deviceType = 0xFFFFFFFFu; }},
        {"open state", [](auto& v) { v.openState = 4; }},
        {"region", [](auto& v) { v.region = 2; }},
        {"firmware", [](auto& v) { v.firmwareState = 3; }},
        {"v110", [](auto& v) { v.v110Capable = 2; }},
        {"text too long", [](auto& v) { v.versionText = std::string(200, 'v'); }},
        {"zero byte", [](auto& v) { v.lineText = std::string("EU\0RO", 5); }},
    };
    for (const auto& [name, breakIt] : breakers) {
        info::StoredValues v = good;
        breakIt(v);
        info::StoredRecord r;
        r.port = "untouched";
        EXPECT_EQ(info::decodeStoredRecord(v, r), registry::kRegCannotRead) << name;
        EXPECT_EQ(r.port, "untouched") << name;
    }
    // Values an older writer left out fall back to the reset state.
    good.versionText = std::string(199, 'v');
    info::StoredRecord r;
    ASSERT_EQ(info::decodeStoredRecord(good, r), 0);
    EXPECT_EQ(r.openState, 3);
    EXPECT_EQ(r.firmwareState, 2);
    EXPECT_EQ(r.region, 1);
}

TEST(SharedText, EndpointsAndFlags) {
    const std::pair<std::string, std::string> endpoints[] = {
        {"folder-1234\n", "folder-1234"},
        {"folder\r\n", "folder"},
        {"two\nlines", ""},
        {std::string("nul\0x", 5), ""},
        {std::string(255, 'e'), std::string(255, 'e')},
        {std::string(256, 'e'), ""},
    };
    for (const auto& [text, endpoint] : endpoints)
        EXPECT_EQ(info::parseEndpointText(text), endpoint);
    const std::pair<const char*, int> flags[] = {
        {"1", 1},
        {" 1\n", 1},
        {"+1", 1},
        {"-1", -1},
        {"", 0},
        {"1x", 0},
        {"99999999999999999999", 0},
    };
    for (const auto& [text, value] : flags) EXPECT_EQ(info::parseFlagText(text), value) << text;
}

}  // namespace
