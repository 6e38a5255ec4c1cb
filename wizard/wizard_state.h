#pragma once
// The state of one wizard run. The wizard is modal and runs once at a time,
// so there is one state per process, shared on purpose: the drivers fill it,
// every page reads and writes it, and the drivers copy it back into the
// caller's record.
#include <QFont>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <typeindex>
#include <utility>

#include "wizard/wizard_types.h"

#include "wizard/wizard_export.h"

namespace wizard {

class CWizardPage;

// The two fonts of the page headers, made from the sheet's dialog font.
struct HeaderFonts {
    QFont bold;   // weight 600
    QFont title;  // height x 5/4, weight x 3/2
};
VELKA_WIZARD_EXPORT HeaderFonts MakeHeaderFonts(const QFont& dialogFont);

// One slot per page instance (a class and an instance number). A page is
// created the first time a run leads to it and lives until the run ends.
class VELKA_WIZARD_EXPORT PageSlots {
public:
    PageSlots();
    ~PageSlots();
    PageSlots(const PageSlots&) = delete;
    PageSlots& operator=(const PageSlots&) = delete;

    std::unique_ptr<CWizardPage>& slot(std::type_index page, int instance);
    // Takes every page out of its sheet and destroys it.
    void clear();

private:
    std::map<std::pair<std::type_index, int>, std::unique_ptr<CWizardPage>> slots_;
};

struct VELKA_WIZARD_EXPORT WizardState {
    // Inputs.
    const char* portName = "";  // the caller's text, valid for the run
    std::int32_t deviceKind = 0;
    _WizardCalled called = WizCalledConfigure;
    std::string profileName;
    std::int32_t profileIndex = 0;
    std::int32_t v110Available = 0;
    std::int32_t hasPhonePorts = 0;
    std::string regionList;

    // Working values.
    std::string number1, number2, spid1, spid2;
    std::int32_t noSpid1 = 0, noSpid2 = 0;
    std::int32_t switchType = 0;
    _ConnectionType connection = ConnectionPPP;
    std::int32_t regionCode = 0;
    std::string regionName;
    std::int32_t vmwiRefreshTime = 0;
    std::string callConferenceKey, callDropKey, vmwiKey;
    std::uint8_t portSettings = 0;
    bool port1NotUsed = false;  // rest of world: the answers on the port pages
    bool port2NotUsed = false;
    std::string x25DteAddress;
    std::int32_t aodi = 0;

    // Mode flags.
    bool online = true;
    bool twoNumbers = false;
    bool publicNetwork = true;
    bool existingConfigInUse = false;

    PageSlots pages;
    std::string helpFile;
    std::optional<HeaderFonts> fonts;  // while a sheet runs
};

VELKA_WIZARD_EXPORT WizardState& State();

// One of the five family kinds (1, 2, 4, 8, 16); every other value takes the
// branches for other kinds.
constexpr bool IsKnownKind(std::int32_t kind) {
    return kind == kDeviceExternal || kind == kDevicePro || kind == kDeviceExternal6F ||
           kind == kDevicePci || kind == kDevicePcCard;
}

// The help file of the wizard: the suite's help directory and "cfgTA.hlp".
VELKA_WIZARD_EXPORT std::string WizardHelpFile();

// Copies text into a fixed field of the record, cut to fit with its NUL.
VELKA_WIZARD_EXPORT void CopyField(char (&field)[kWizTextSize], const std::string& text);
// A fixed field of the record as text, also when its NUL is missing.
VELKA_WIZARD_EXPORT std::string FieldText(const char (&field)[kWizTextSize]);

}  // namespace wizard
