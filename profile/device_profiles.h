#pragma once
// CDeviceProfiles: the in-memory image of one adapter's three stored
// profiles, with the device facts that decide which settings apply, and the
// serial link through which they are read (ReadProfiles) and written back
// (WriteProfiles). One object lives for one configurator operation.
//
// ReadProfiles and WriteProfiles block for seconds; the configurator runs
// them on its busy dialog's worker thread. Nothing else may touch the object
// while they run.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/event.h"
#include "profile/busy_dialog.h"
#include "profile/profile.h"
#include "serial/com_link.h"

class CDeviceInfo;
class CProfileSettings;

class CDeviceProfiles {
public:
    static constexpr std::int32_t kProfileCount = 3;
    static constexpr std::uint32_t kBufferSize = 4096;  // response and command buffers
    static constexpr std::uint32_t kAnswerWaitMs = 5000;

    // Three profiles at their cleared values, active profile 0, North America
    // 1, device kind 0, the link closed and no busy dialog.
    CDeviceProfiles();
    ~CDeviceProfiles();
    CDeviceProfiles(const CDeviceProfiles&) = delete;
    CDeviceProfiles& operator=(const CDeviceProfiles&) = delete;

    // Every profile to its cleared value, active profile 0, North America 1.
    void Clear();
    // The dialog is not owned; pass nullptr to detach it.
    std::int32_t SetBusyDialog(IBusyDialog* dialog);

    // Fills the three profiles from the adapter on the device's port. Uses the
    // device's port name, region (1 = North America) and kind, and the two
    // per-profile flags of the names record. 0 or the first failing step's
    // code (link codes, 258, 8001).
    std::int32_t ReadProfiles(const CDeviceInfo& device, const CProfileSettings& settings);
    // The same without a device record, for callers that know the facts.
    std::int32_t ReadProfiles(const std::string& port, std::int32_t region, std::int32_t deviceKind,
                              const CProfileSettings& settings);

    // Sends all three profiles to the adapter on the device's port, stores
    // each, sets the active profile and the clock and restarts the adapter.
    // North America and the kind are those held here. 0 or the failing code.
    std::int32_t WriteProfiles(const CDeviceInfo& device);
    std::int32_t WriteProfiles(const std::string& port);

    // The command lines of the last write that the adapter answered with
    // "ERROR", without their carriage returns. Such an answer does not stop
    // the write (the adapter took the line and went on), but the settings on
    // that line did not reach it.
    const std::vector<std::string>& RefusedLines() const { return refused_; }
    // Per profile, the listing groups (profile::ListingGroup bits) of the last
    // read that the adapter did not list whole: their later fields hold
    // cleared values, not the adapter's.
    const std::array<std::uint32_t, kProfileCount>& IncompleteGroups() const {
        return incompleteGroups_;
    }

    std::array<CProfile, kProfileCount> profiles;
    std::int32_t activeProfile = 0;  // 0 to 2; file key "Default Profile"
    std::int32_t northAmerica = 1;   // 1 North America, 0 international; "ISDN Type"
    std::int32_t deviceKind = 0;     // _DeviceType: 1, 2, 4, 8, 16; "Device Type"

private:
    class Session;
    std::int32_t ReadOverLink(Session& session, const CProfileSettings& settings);
    std::int32_t WriteOverLink(Session& session);
    void ShowBusy(std::uint32_t stringId);

    CComLink link_;
    std::unique_ptr<platform::Event> responseEvent_;  // exists only while a run is open
    std::array<char, kBufferSize> response_{};
    std::array<char, kBufferSize> command_{};
    std::int32_t status_ = 0;
    IBusyDialog* busyDialog_ = nullptr;
    std::vector<std::string> refused_;
    std::array<std::uint32_t, kProfileCount> incompleteGroups_{};
};
