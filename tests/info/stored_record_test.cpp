#include "info/stored_record.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "device/device_info.h"
#include "device/device_reply.h"
#include "info/shared_state.h"
#include "registry/registry_status.h"

using info::StoredRecord;
using info::StoredValues;

namespace {

StoredValues goodValues() {
    StoredValues v;
    v.deviceString = "Tamo T/A Pro ISDN Modem";
    v.portName = "COM4";
    v.identification = "Velka Technology Corporation";
    v.versionText = "V2.10";
    v.lineText = "NI-1 V110";
    v.extraText = "T2B-0001";
    v.deviceType = 2;
    v.openState = 0;
    v.region = 1;
    v.firmwareState = 0;
    v.v110Capable = 1;
    return v;
}

TEST(StoredRecord, DecodesACompleteRecord) {
    StoredRecord r;
    ASSERT_EQ(info::decodeStoredRecord(goodValues(), r), 0);
    EXPECT_EQ(r.port, "COM4");
    EXPECT_EQ(r.type, 2);
    EXPECT_EQ(r.region, 1);
    EXPECT_EQ(r.v110Capable, 1);
    EXPECT_EQ(r.lineText, "NI-1 V110");
}

TEST(StoredRecord, OptionalValuesFallBackToTheResetState) {
    StoredValues v;
    v.portName = "COM1";
    v.deviceType = 1;
    StoredRecord r;
    ASSERT_EQ(info::decodeStoredRecord(v, r), 0);
    EXPECT_EQ(r.openState, 3);
    EXPECT_EQ(r.region, 255);
    EXPECT_EQ(r.firmwareState, 2);
    EXPECT_EQ(r.v110Capable, 0);
    EXPECT_EQ(r.identification, "");
}

TEST(StoredRecord, RefusesMalformedRecordsAndLeavesTheOutputAlone) {
    const std::pair<const char*, std::function<void(StoredValues&)>> breakers[] = {
        {"no port", [](StoredValues& v) { v.portName.reset(); }},
        {"empty port", [](StoredValues& v) { v.portName = ""; }},
        {"no type", [](StoredValues& v) { v.deviceType.reset(); }},
        {"type not a kind", [](StoredValues& v) { v.deviceType = 3; }},
        {"type huge", [](StoredValues& v) { v.deviceType = 0xFFFFFFFFu; }},
        {"open state", [](StoredValues& v) { v.openState = 4; }},
        {"region", [](StoredValues& v) { v.region = 2; }},
        {"firmware", [](StoredValues& v) { v.firmwareState = 3; }},
        {"v110", [](StoredValues& v) { v.v110Capable = 2; }},
        {"text too long", [](StoredValues& v) { v.versionText = std::string(200, 'v'); }},
        {"port too long", [](StoredValues& v) { v.portName = std::string(250, 'C'); }},
        {"zero byte", [](StoredValues& v) { v.lineText = std::string("EU\0RO", 5); }},
    };
    for (const auto& [name, breakIt] : breakers) {
        StoredValues v = goodValues();
        breakIt(v);
        StoredRecord r;
        r.port = "untouched";
        EXPECT_EQ(info::decodeStoredRecord(v, r), registry::kRegCannotRead) << name;
        EXPECT_EQ(r.port, "untouched") << name;
    }
    StoredValues longest = goodValues();
    longest.versionText = std::string(199, 'v');
    StoredRecord r;
    EXPECT_EQ(info::decodeStoredRecord(longest, r), 0);
}

TEST(StoredRecord, EncodeThenDecodeRestoresTheRecord) {
    auto source = std::make_unique<CDeviceInfo>();
    source->SetPort("COM7");
    device::copyText(source->identification, CDeviceInfo::kTextSize, "Velka Technology Corporation");
    device::copyText(source->versionText, CDeviceInfo::kTextSize, std::string(199, '9'));
    device::copyText(source->lineText, CDeviceInfo::kTextSize, "EURO");
    device::copyText(source->extraText, CDeviceInfo::kTextSize, "T71-0001");
    source->type = kDevicePci;
    source->openState = 0;
    source->region = 0;
    source->firmwareState = 1;
    source->v110Capable = 0;

    const StoredValues v = info::encodeStoredRecord(*source);
    EXPECT_EQ(v.deviceString, "Tamo T/A PCI ISDN Modem");
    StoredRecord r;
    ASSERT_EQ(info::decodeStoredRecord(v, r), 0);
    auto copy = std::make_unique<CDeviceInfo>();
    info::applyStoredRecord(r, *copy);
    EXPECT_STREQ(copy->port, "COM7");
    EXPECT_STREQ(copy->versionText, source->versionText);
    EXPECT_STREQ(copy->extraText, "T71-0001");
    EXPECT_EQ(copy->type, kDevicePci);
    EXPECT_EQ(copy->firmwareState, 1);
    EXPECT_EQ(copy->region, 0);
    EXPECT_EQ(copy->openState, 0);
}

TEST(StoredRecord, ForeignDevicesAreNamedByTheirIdentification) {
    auto d = std::make_unique<CDeviceInfo>();
    d->SetPort("COM2");
    device::copyText(d->identification, CDeviceInfo::kTextSize, "Generic 56K Data/Fax Modem");
    d->type = kDeviceOtherMaker;
    EXPECT_EQ(info::encodeStoredRecord(*d).deviceString, "Generic 56K Data/Fax Modem");
}

TEST(SharedText, EndpointNames) {
    EXPECT_EQ(info::parseEndpointText("folder-1234"), "folder-1234");
    EXPECT_EQ(info::parseEndpointText("folder-1234\n"), "folder-1234");
    EXPECT_EQ(info::parseEndpointText("folder\r\n"), "folder");
    EXPECT_EQ(info::parseEndpointText(""), "");
    EXPECT_EQ(info::parseEndpointText("two\nlines"), "");
    EXPECT_EQ(info::parseEndpointText(std::string("nul\0x", 5)), "");
    EXPECT_EQ(info::parseEndpointText(std::string(255, 'e')), std::string(255, 'e'));
    EXPECT_EQ(info::parseEndpointText(std::string(256, 'e')), "");
}

TEST(SharedText, Flags) {
    const std::pair<const char*, int> cases[] = {
        {"1", 1}, {"0", 0}, {" 1\n", 1}, {"+1", 1}, {"-1", -1}, {"", 0}, {"x", 0}, {"1x", 0},
        {"99999999999999999999", 0}, {"2", 2},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(info::parseFlagText(text), value) << text;
}

}  // namespace
