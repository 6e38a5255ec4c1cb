#include "wizard/wizard_rw.h"

#include <memory>

#include "wizard/page_rw_configured.h"
#include "wizard/page_rw_welcome.h"
#include "wizard/wizard_page.h"
#include "wizard/wizard_run.h"
#include "wizard/wizard_sheet.h"
#include "wizard/wizard_state.h"
#include "wizard/wizard_status.h"

using wizard::CopyField;
using wizard::FieldText;
using wizard::State;

namespace {
constexpr std::int32_t kPortUsed = 3;
constexpr std::int32_t kDefaultSwitchType = 2;  // EuroISDN
}  // namespace

void CWizardRW::Initialise(_DeviceType type, const char* portName, _WizardCalled called,
                           _ConnectionType& connection, const char* profileName) {
    wizard::WizardState& s = State();
    s.deviceKind = type;
    s.portName = portName ? portName : "";
    s.called = called;
    s.profileName = profileName ? profileName : "";
    InitialiseWizardPages();
    const bool known = wizard::IsKnownKind(type);
    if (called != WizCalledKnownConnection) {
        s.connection = ConnectionPPP;
        s.twoNumbers = known;
    } else {
        s.connection = connection;
        s.twoNumbers = connection == ConnectionMLPPP || known;
    }
}

void CWizardRW::InitialiseWizardPages() {
    State().pages.clear();
}

void CWizardRW::InitialiseLocation() {
    wizard::WizardState& s = State();
    switch (s.deviceKind) {
        case kDeviceExternal:
        case kDeviceExternal6F:
        case kDevicePci:
        case kDevicePcCard:
            s.portSettings = s.hasPhonePorts ? 16 : 0;
            break;
        case kDevicePro:
            s.portSettings = 12;
            break;
        default:
            break;
    }
}

void CWizardRW::UpdateLocation(_WizLocation* location, _ConnectionType& connection) {
    const wizard::WizardState& s = State();
    CopyField(location->number1, s.number1);
    CopyField(location->number2, s.number2);
    location->switchType = s.switchType;
    location->portSettings = s.portSettings;
    location->regionCode = s.regionCode;
    const std::int32_t first = s.port1NotUsed ? 0 : kPortUsed;
    const std::int32_t second = s.port2NotUsed ? 0 : kPortUsed;
    if (s.deviceKind == kDevicePro) {
        // The Pro box has one telephone port and the internal modem; the
        // modem's answer is the second one.
        if (s.hasPhonePorts) location->port1Mode = first;
        location->modemInUse = s.port2NotUsed ? 0 : 1;
    } else {
        location->port1Mode = first;
        location->port2Mode = second;
    }
    connection = s.connection;
}

std::int32_t CWizardRW::Start(QWidget* parent, _DeviceType type, const char* portName,
                              _WizardCalled called, _ConnectionType& connection,
                              _WizLocation* location, const char* profileName) {
    if (!location) return wizard::kWizSetupFailed;
    Initialise(type, portName, called, connection, profileName);
    wizard::WizardState& s = State();
    s.existingConfigInUse = called == WizCalledConfigure && location->number1[0] != '\0' &&
                            location->number2[0] != '\0';
    if (!s.existingConfigInUse)
        s.switchType =
            called == WizCalledKnownConnection ? location->switchType : kDefaultSwitchType;
    s.port1NotUsed = location->port1Mode == 0;
    s.port2NotUsed = location->port2Mode == 0;
    s.v110Available = location->v110Available;
    s.regionList = location->regionList ? location->regionList : "";
    s.hasPhonePorts = location->hasPhonePorts;
    s.number1 = FieldText(location->number1);
    s.number2 = FieldText(location->number2);
    s.regionCode = location->regionCode;
    s.portSettings = location->portSettings;

    auto sheet = std::make_unique<wizard::CWizardSheet>(parent);
    sheet_ = sheet.get();
    wizard::CWizardPage* first = nullptr;
    if (s.existingConfigInUse) {
        first = &wizard::PageInSlot<wizard::CWizConfiguredROW>(0);
    } else {
        InitialiseLocation();
        first = &wizard::PageInSlot<wizard::CWizWelcomeROW>(0);
    }
    sheet->setLocation(location);
    sheet->setCallerConnection(connection);
    const std::int32_t result =
        wizard::RunWizardSheet(*sheet, *first, [&] { UpdateLocation(location, connection); });
    sheet.reset();
    sheet_ = nullptr;
    return result;
}
