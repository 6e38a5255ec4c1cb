#include "info/stored_record.h"

#include <algorithm>
#include <array>

#include "device/device_info.h"
#include "device/device_model.h"
#include "device/device_reply.h"
#include "platform/status_codes.h"

namespace info {
namespace {

bool fitsField(const std::optional<std::string>& text) {
    return !text || text->size() < CDeviceInfo::kTextSize;
}

bool oneOf(std::uint32_t value, std::initializer_list<std::uint32_t> allowed) {
    return std::find(allowed.begin(), allowed.end(), value) != allowed.end();
}

}  // namespace

std::int32_t decodeStoredRecord(const StoredValues& in, StoredRecord& out) {
    constexpr std::int32_t kBad = registry::kRegCannotRead;
    if (!in.portName || in.portName->empty() || !in.deviceType) return kBad;
    for (const auto* text :
         {&in.portName, &in.identification, &in.versionText, &in.lineText, &in.extraText}) {
        if (!fitsField(*text)) return kBad;
        if (*text && text->value().find('\0') != std::string::npos) return kBad;
    }
    if (!IsDeviceTypeValue(*in.deviceType)) return kBad;
    using namespace device;
    if (in.openState && !oneOf(*in.openState, {kOpenOk, kOpenBusy, kOpenFailed, kOpenNotTried}))
        return kBad;
    if (in.region &&
        !oneOf(*in.region, {kRegionInternational, kRegionNorthAmerica, kRegionUnknown}))
        return kBad;
    if (in.firmwareState &&
        !oneOf(*in.firmwareState, {kFirmwareRunning, kFirmwareBootOnly, kFirmwareUnknown}))
        return kBad;
    if (in.v110Capable && *in.v110Capable > 1) return kBad;

    StoredRecord record;
    record.port = *in.portName;
    record.identification = in.identification.value_or("");
    record.versionText = in.versionText.value_or("");
    record.lineText = in.lineText.value_or("");
    record.extraText = in.extraText.value_or("");
    record.type = static_cast<std::int32_t>(*in.deviceType);
    record.openState = static_cast<std::int32_t>(in.openState.value_or(3));
    record.region = static_cast<std::int32_t>(in.region.value_or(255));
    record.firmwareState = static_cast<std::int32_t>(in.firmwareState.value_or(2));
    record.v110Capable = static_cast<std::int32_t>(in.v110Capable.value_or(0));
    out = std::move(record);
    return 0;
}

StoredValues encodeStoredRecord(const CDeviceInfo& device) {
    using device::fieldText;
    StoredValues v;
    const std::string_view model = deviceModelName(device.type);
    // Only our own kinds have a model name; for anything else the
    // identification line is the best name we have.
    v.deviceString = std::string(
        model.empty() ? fieldText(device.identification, sizeof device.identification) : model);
    v.portName = std::string(fieldText(device.port, sizeof device.port));
    v.identification = std::string(fieldText(device.identification, sizeof device.identification));
    v.versionText = std::string(fieldText(device.versionText, sizeof device.versionText));
    v.lineText = std::string(fieldText(device.lineText, sizeof device.lineText));
    v.extraText = std::string(fieldText(device.extraText, sizeof device.extraText));
    v.deviceType = static_cast<std::uint32_t>(device.type);
    v.openState = static_cast<std::uint32_t>(device.openState);
    v.region = static_cast<std::uint32_t>(device.region);
    v.firmwareState = static_cast<std::uint32_t>(device.firmwareState);
    v.v110Capable = static_cast<std::uint32_t>(device.v110Capable);
    return v;
}

void applyStoredRecord(const StoredRecord& record, CDeviceInfo& device) {
    using device::copyText;
    copyText(device.port, sizeof device.port, record.port);
    copyText(device.identification, sizeof device.identification, record.identification);
    copyText(device.versionText, sizeof device.versionText, record.versionText);
    copyText(device.lineText, sizeof device.lineText, record.lineText);
    copyText(device.extraText, sizeof device.extraText, record.extraText);
    device.type = record.type;
    device.openState = record.openState;
    device.region = record.region;
    device.firmwareState = record.firmwareState;
    device.v110Capable = record.v110Capable;
}

}  // namespace info
