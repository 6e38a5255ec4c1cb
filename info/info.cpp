#include "info/info.h"

#include <algorithm>
#include <memory>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "device/device_reply.h"
#include "device/device_status.h"
#include "info/shared_state.h"
#include "info/stored_record.h"
#include "platform/file_io.h"
#include "platform/serial_port.h"
#include "platform/status_codes.h"

namespace {

constexpr const char* kFolderWndFile = "info-folder-wnd";
constexpr const char* kTrayWndFile = "info-tray-wnd";
constexpr const char* kIgnoreFile = "info-ignore-device-change";

std::string portsKeyPath() {
    return std::string(kSuiteKey) + "\\Ports";
}

// A port whose device node is missing cannot hold an adapter; it is skipped
// without opening anything, so ten candidate ports cost only the real ones.
bool portExists(const char* portName) {
    std::string path;
    if (platform::resolvePortName(portName, path) != platform::kOk) return false;
    return platform::pathExists(path);
}

// No quick check first: the open's quick probe waits for a result code,
// which a device in its boot state or message mode never sends, so it would
// drop exactly the adapters that most need the folder's attention. A silent
// port therefore costs the full query, but in parallel with all the others.
void queryPort(CDeviceInfo& device) {
    device.QueryStatus();
}

// One thread per record, all joined before returning: ten ports take about
// as long as the slowest of them. A thread the system refuses (a process
// limit) costs time, not the query: that record is queried right here, and
// no exception leaves the library.
template <typename Work>
void runInParallel(const std::vector<CDeviceInfo*>& records, Work work) {
    std::vector<std::jthread> workers;
    workers.reserve(records.size());
    for (CDeviceInfo* record : records) {
        try {
            workers.emplace_back([record, &work] { work(*record); });
        } catch (const std::system_error&) {
            work(*record);
        }
    }
}

std::optional<std::string> readText(const CRegistry& key, const char* name) {
    std::string text;
    if (key.ReadString(name, text) != registry::kRegOk) return std::nullopt;
    return text;
}

std::optional<std::uint32_t> readNumber(const CRegistry& key, const char* name) {
    std::uint32_t value = 0;
    if (key.ReadDword(name, value) != registry::kRegOk) return std::nullopt;
    return value;
}

// A window handle is shared as its endpoint name; a name that would not read
// back as itself (a line break, too long) is refused rather than cut.
std::int32_t writeEndpoint(const char* file, const std::string& endpoint) {
    if (endpoint != info::parseEndpointText(endpoint)) return platform::kInvalidParameter;
    return info::SharedValue(file).write(endpoint);
}

std::string readEndpoint(const char* file) {
    return info::parseEndpointText(info::SharedValue(file).read());
}

void readStoredValues(const CRegistry& key, info::StoredValues& values) {
    values.deviceString = readText(key, info::kValDeviceString);
    values.portName = readText(key, info::kValPortName);
    values.identification = readText(key, info::kValIdentification);
    values.versionText = readText(key, info::kValVersionText);
    values.lineText = readText(key, info::kValLineText);
    values.extraText = readText(key, info::kValExtraText);
    values.deviceType = readNumber(key, info::kValDeviceType);
    values.openState = readNumber(key, info::kValOpenState);
    values.region = readNumber(key, info::kValRegion);
    values.firmwareState = readNumber(key, info::kValFirmwareState);
    values.v110Capable = readNumber(key, info::kValV110Capable);
}

std::int32_t writeStoredValues(const CRegistry& key, const info::StoredValues& v) {
    if (const std::int32_t created = key.Create(); created != registry::kRegOk) return created;
    const std::pair<const char*, const std::optional<std::string>*> texts[] = {
        {info::kValDeviceString, &v.deviceString},
        {info::kValPortName, &v.portName},
        {info::kValIdentification, &v.identification},
        {info::kValVersionText, &v.versionText},
        {info::kValLineText, &v.lineText},
        {info::kValExtraText, &v.extraText},
    };
    for (const auto& [name, text] : texts) {
        if (const std::int32_t s = key.WriteString(name, (*text)->c_str()); s != registry::kRegOk)
            return s;
    }
    const std::pair<const char*, const std::optional<std::uint32_t>*> numbers[] = {
        {info::kValDeviceType, &v.deviceType},   {info::kValOpenState, &v.openState},
        {info::kValRegion, &v.region},           {info::kValFirmwareState, &v.firmwareState},
        {info::kValV110Capable, &v.v110Capable},
    };
    for (const auto& [name, number] : numbers) {
        if (const std::int32_t s = key.WriteDword(name, **number); s != registry::kRegOk) return s;
    }
    return registry::kRegOk;
}

}  // namespace

std::int32_t CInfo::GetDeviceInfo(CDeviceInfo* devices[], int count) {
    if (devices == nullptr) return platform::kInvalidParameter;
    const int slots = std::clamp(count, 0, kMaxSlots);
    std::vector<CDeviceInfo*> toQuery;
    for (int s = 0; s < slots; ++s) {
        CDeviceInfo* record = devices[s];
        // The same record twice would be queried by two threads at once.
        if (record == nullptr || std::find(toQuery.begin(), toQuery.end(), record) != toQuery.end())
            continue;
        record->ResetRecord();
        record->SetPort(("COM" + std::to_string(s + 1)).c_str());
        if (portExists(record->port))
            toQuery.push_back(record);
        else
            record->openState = device::kOpenFailed;
    }
    runInParallel(toQuery, queryPort);
    return 0;
}

std::int32_t CInfo::PollPorts(std::vector<CRegistry>& ports, CDeviceInfo* devices[]) {
    if (devices == nullptr) return platform::kInvalidParameter;
    std::vector<CDeviceInfo*> toCheck;
    for (std::size_t i = 0; i < ports.size(); ++i) {
        CDeviceInfo* record = devices[i];
        if (record == nullptr || std::find(toCheck.begin(), toCheck.end(), record) != toCheck.end())
            continue;
        GetDeviceInfoFromReg(ports[i], record);
        if (record->port[0] != '\0' && portExists(record->port))
            toCheck.push_back(record);
        else
            record->openState = device::kOpenFailed;
    }
    // The check runs on a scratch record: CheckPort starts from an empty
    // record, and the stored one must survive with only its open state new.
    runInParallel(toCheck, [](CDeviceInfo& record) {
        auto scratch = std::make_unique<CDeviceInfo>();
        scratch->SetPort(record.port);
        scratch->CheckPort();
        record.openState = scratch->openState;
    });
    for (std::size_t i = 0; i < ports.size(); ++i) {
        if (devices[i] != nullptr && devices[i]->openState == device::kOpenFailed)
            return device::kDeviceOpenFailed;
    }
    return 0;
}

std::int32_t CInfo::GetDeviceInfoFromReg(const CRegistry& key, CDeviceInfo* device) {
    if (device == nullptr) return platform::kInvalidParameter;
    info::StoredValues values;
    // One snapshot of the store: a record being stored by another program
    // reads as the old one or the new one, never as parts of both.
    std::int32_t status = platform::regBatch(platform::RegBatch::Read, [&] {
        if (key.Exists() != registry::kRegOk) return registry::kRegCannotOpen;
        readStoredValues(key, values);
        return registry::kRegOk;
    });
    if (status != registry::kRegOk) return status;

    info::StoredRecord record;
    status = info::decodeStoredRecord(values, record);
    if (status != 0) return status;
    info::applyStoredRecord(record, *device);
    return 0;
}

// One transaction for the whole record: a reader in another program never
// sees some values of the old record and some of the new one, and a value
// that cannot be written leaves the old record whole.
std::int32_t CInfo::StoreDeviceInfoToReg(const CRegistry& key, CDeviceInfo* device) {
    if (device == nullptr) return platform::kInvalidParameter;
    const info::StoredValues values = info::encodeStoredRecord(*device);
    return platform::regBatch(platform::RegBatch::Write,
                              [&] { return writeStoredValues(key, values); });
}

std::int32_t CInfo::DeleteDeviceInfoFromReg(const std::string& port, _DeviceType type) {
    const CRegistry ports(portsKeyPath());
    for (int n = 1; n <= kMaxSlots; ++n) {
        const CRegistry key = ports.SubKey(("Port" + std::to_string(n)).c_str());
        if (key.Exists() != registry::kRegOk) continue;
        const auto storedPort = readText(key, info::kValPortName);
        const auto storedType = readNumber(key, info::kValDeviceType);
        if (!storedPort || !storedType) continue;
        std::uint32_t a = 0, b = 0;
        const bool samePort =
            (platform::parseComNumber(*storedPort, a) && platform::parseComNumber(port, b))
                ? a == b
                : *storedPort == port;
        if (!samePort || static_cast<std::int32_t>(*storedType) != type) continue;
        // Negative, so callers that take any result above 0 for a removed
        // slot still do, and those that look can tell it from "none".
        if (const std::int32_t deleted = key.DeleteKey(); deleted != registry::kRegOk)
            return -deleted;
        return n;
    }
    return 0;
}

std::int32_t CInfo::SetFolderWnd(const std::string& endpoint) {
    return writeEndpoint(kFolderWndFile, endpoint);
}

std::string CInfo::GetFolderWnd() const {
    return readEndpoint(kFolderWndFile);
}

std::int32_t CInfo::SetTrayWnd(const std::string& endpoint) {
    return writeEndpoint(kTrayWndFile, endpoint);
}

std::string CInfo::GetTrayWnd() const {
    return readEndpoint(kTrayWndFile);
}

std::int32_t CInfo::SetIgnoreDeviceChange(int ignore) {
    return info::SharedValue(kIgnoreFile).write(std::to_string(ignore));
}

int CInfo::GetIgnoreDeviceChange() const {
    return info::parseFlagText(info::SharedValue(kIgnoreFile).read());
}
