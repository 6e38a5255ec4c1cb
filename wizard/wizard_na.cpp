#include "wizard/wizard_na.h"

#include <memory>
#include <optional>

#include "ui/wait_cursor.h"
#include "wizard/line_sequence.h"
#include "wizard/page_na_configured.h"
#include "wizard/page_na_welcome.h"
#include "wizard/wizard_page.h"
#include "wizard/wizard_run.h"
#include "wizard/wizard_sheet.h"
#include "wizard/wizard_state.h"
#include "wizard/wizard_status.h"

using wizard::CopyField;
using wizard::FieldText;
using wizard::State;

namespace {
constexpr std::uint8_t kPortSettingsNA = 21;
constexpr std::int32_t kSwitchUndetermined = 9;
}  // namespace

std::int32_t CWizardNA::Initialise(_DeviceType type, const char* portName, _WizardCalled called,
                                   _ConnectionType& connection, _WizLocation* location,
                                   int profileIndex, const char* profileName) {
    wizard::WizardState& s = State();
    s.deviceKind = type;
    s.portName = portName ? portName : "";
    s.called = called;
    s.profileName = profileName ? profileName : "";
    s.v110Available = location->v110Available;
    s.online = true;
    s.existingConfigInUse = false;
    InitialiseWizardPages();
    if (called != WizCalledConfigure) {
        if (profileIndex < 0 || profileIndex > 2) return wizard::kWizBadProfileIndex;
        s.profileIndex = profileIndex;
    } else {
        s.profileIndex = 0;
    }
    s.portSettings = kPortSettingsNA;
    const bool known = wizard::IsKnownKind(type);
    if (called != WizCalledKnownConnection) {
        s.connection = ConnectionMLPPP;
        s.twoNumbers = known;
    } else {
        s.connection = connection;
        s.twoNumbers = connection == ConnectionMLPPP || known;
    }
    return 0;
}

void CWizardNA::InitialiseWizardPages() {
    State().pages.clear();
}

void CWizardNA::InitLoc() {
    wizard::WizardState& s = State();
    s.spid1.clear();
    s.spid2.clear();
    s.callConferenceKey.clear();
    s.callDropKey.clear();
    s.vmwiKey.clear();
    s.x25DteAddress.clear();
    s.noSpid1 = s.noSpid2 = 0;
    s.aodi = 0;
    s.vmwiRefreshTime = 0;
}

void CWizardNA::InitConfiguredLoc(_WizLocation* location) {
    wizard::WizardState& s = State();
    s.number1 = FieldText(location->number1);
    s.number2 = FieldText(location->number2);
    s.spid1 = FieldText(location->spid1);
    s.spid2 = FieldText(location->spid2);
    s.x25DteAddress = FieldText(location->x25DteAddress);
    s.noSpid1 = location->noSpid1;
    s.noSpid2 = location->noSpid2;
    s.aodi = location->aodi;
    s.vmwiRefreshTime = location->vmwiRefreshTime;
    s.callConferenceKey = FieldText(location->callConferenceKey);
    s.callDropKey = FieldText(location->callDropKey);
    s.vmwiKey = FieldText(location->vmwiKey);
}

void CWizardNA::UpdateLocation(_WizLocation* location, _ConnectionType& connection) {
    const wizard::WizardState& s = State();
    CopyField(location->number1, s.number1);
    CopyField(location->number2, s.number2);
    CopyField(location->spid1, s.spid1);
    CopyField(location->spid2, s.spid2);
    location->switchType = s.switchType;
    location->noSpid1 = s.noSpid1;
    location->noSpid2 = s.noSpid2;
    CopyField(location->x25DteAddress, s.x25DteAddress);
    location->aodi = s.aodi;
    CopyField(location->callConferenceKey, s.callConferenceKey);
    CopyField(location->callDropKey, s.callDropKey);
    CopyField(location->vmwiKey, s.vmwiKey);
    location->vmwiRefreshTime = s.vmwiRefreshTime;
    location->regionCode = s.regionCode;
    location->portSettings = s.portSettings;
    connection = s.connection;
}

std::int32_t CWizardNA::CheckExistingConfig(const char* portName, _WizLocation* location, int) {
    wizard::WizardState& s = State();
    const bool complete = location->number1[0] && location->number2[0] && location->spid1[0] &&
                          location->spid2[0] && location->noSpid1 == 0 && location->noSpid2 == 0;
    s.existingConfigInUse = false;
    if (!complete) return 0;
    bool inUse = false;
    const std::int32_t rc = wizard::CheckExistingConfiguration(portName, inUse);
    s.existingConfigInUse = inUse;
    return rc;
}

std::int32_t CWizardNA::Start(QWidget* parent, _DeviceType type, const char* portName,
                              _WizardCalled called, _ConnectionType& connection,
                              _WizLocation* location, int profileIndex, const char* profileName) {
    if (!location) return wizard::kWizSetupFailed;
    std::optional<ui::WaitCursor> wait(std::in_place);
    if (const std::int32_t rc =
            Initialise(type, portName, called, connection, location, profileIndex, profileName))
        return rc;
    if (called == WizCalledConfigure) {
        if (const std::int32_t rc = CheckExistingConfig(portName, location, profileIndex))
            return rc;
    }
    wizard::WizardState& s = State();
    s.regionList = location->regionList ? location->regionList : "";
    s.regionCode = location->regionCode;
    s.hasPhonePorts = location->hasPhonePorts;
    // A device with telephone ports numbers them on its own pages.
    s.number1 = s.hasPhonePorts ? std::string() : FieldText(location->number1);
    s.number2 = s.hasPhonePorts ? std::string() : FieldText(location->number2);
    if (s.existingConfigInUse) {
        InitConfiguredLoc(location);
        s.switchType = location->switchType;
        s.online = true;
    } else {
        InitLoc();
        s.switchType = kSwitchUndetermined;
    }
    wait.reset();

    auto sheet = std::make_unique<wizard::CWizardSheet>(parent);
    sheet_ = sheet.get();
    auto& welcome = wizard::PageInSlot<wizard::CWizWelcome>(0);
    auto& configured = wizard::PageInSlot<wizard::CWizConfigured>(0);
    sheet->setLocation(location);
    sheet->setCallerConnection(connection);
    const std::int32_t result = wizard::RunWizardSheet(
        *sheet, s.existingConfigInUse ? static_cast<wizard::CWizardPage&>(configured) : welcome,
        [&] { UpdateLocation(location, connection); });
    sheet.reset();
    sheet_ = nullptr;
    return result;
}
