#include "config/configure_profile.h"

#include "config/context_help_property_sheet.h"
#include "config/pages/page_advanced.h"
#include "config/pages/page_bacp.h"
#include "config/pages/page_data.h"
#include "config/pages/page_general.h"
#include "config/pages/page_phone_line.h"
#include "config/pages/page_voice_modem.h"
#include "config/pages/page_x25.h"
#include "config/pages/profile_page.h"
#include "device/device_info.h"
#include "profile/profile.h"

namespace config {

using namespace config::pages;

namespace {
constexpr std::int32_t kNorthAmerica = 1;

bool isNA(SheetVariant v) {
    return v == SheetVariant::BoxNA || v == SheetVariant::ProBoxNA;
}
}  // namespace

bool SheetVariantFor(std::int32_t deviceKind, std::int32_t region, std::int32_t potsAvailable,
                     SheetVariant& variant) {
    const bool na = region == kNorthAmerica;
    switch (deviceKind) {
        case 1:
        case 4:
        case 8:
        case 16:
            variant = na              ? SheetVariant::BoxNA
                      : potsAvailable ? SheetVariant::BoxRW
                                      : SheetVariant::BoxNoPOTSRW;
            return true;
        case 2:
            variant = na              ? SheetVariant::ProBoxNA
                      : potsAvailable ? SheetVariant::ProBoxRW
                                      : SheetVariant::ProNoPOTSBoxRW;
            return true;
        default:
            return false;
    }
}

template <typename T, typename... Args>
T* ProfileSheet::make(Args&&... args) {
    auto page = std::make_unique<T>(std::forward<Args>(args)...);
    T* raw = page.get();
    page->setHasHelp(true);
    pages_.push_back(std::move(page));
    return raw;
}

ProfileSheet::ProfileSheet(SheetVariant variant, QWidget* parent, CProfile& profile,
                           std::int32_t index, CDeviceInfo& device, const QString& caption)
    : profile_(profile), device_(device) {
    ResetSheet();
    SheetState& state = Sheet();
    state.variant = variant;
    state.deviceKind = device.type;
    state.potsAvailable = profile.potsAvailable;
    sheet_ = std::make_unique<CContextHelpPropertySheet>(caption, parent);
    state.sheet = sheet_.get();
    createPages(variant);

    // The values the pages share while the sheet runs.
    state.t1 = profile.t1Setting;
    state.t2 = profile.t2Setting;
    state.enableVoiceForBox = profile.EnableVoiceForBox;
    state.enableModemForPro = profile.EnableModemForPro;
    state.region = profile.region;
    state.switchType10 = profile.switchType == kBritishTelecom;
    state.connectType = profile.connectType;
    state.bacpOn = profile.bacp != 0;
    state.x25On = profile.aodi != 0;
    state.port1On = profile.modePots1 != 0;
    state.port2On = profile.modePots2 != 0;
    state.voicePageOn = variant == SheetVariant::ProNoPOTSBoxRW ? true
                        : state.isPro()                         ? profile.EnableModemForPro != 0
                                                                : profile.EnableVoiceForBox != 0;
    for (auto& page : pages_)
        if (auto* p = dynamic_cast<CProfilePage*>(page.get())) p->Setup(profile, device);
    if (state.general) {
        state.general->SetSheet(sheet_.get());
        state.general->SetV110(device.v110Capable != 0);
    }
    state.advanced->SetIndex(index);
    state.advanced->SetProtocol(profile.connectType);

    // The sheet chose its tab layout when it was made.
    sheet_->setCascade(true);
    state.arrange();
}

ProfileSheet::~ProfileSheet() {
    if (sheet_)
        while (sheet_->pageCount() > 0) sheet_->removePage(0);
    ResetSheet();
}

std::unique_ptr<CContextHelpPropertySheet> ProfileSheet::takeSheet() {
    return std::move(sheet_);
}

void ProfileSheet::createPages(SheetVariant variant) {
    SheetState& s = Sheet();
    const bool na = isNA(variant);
    const bool pro = s.isPro();
    const bool pots = variant == SheetVariant::BoxRW || variant == SheetVariant::ProBoxRW ||
                      (na && profile_.potsAvailable != 0);
    if (variant == SheetVariant::BoxNoPOTSRW || variant == SheetVariant::ProNoPOTSBoxRW)
        s.general = make<CPageGeneralNoPOTSRW>();
    else if (na)
        s.general = make<CPageGeneralNA>();
    else
        s.general = make<CPageGeneralRW>();

    if (pots) {
        const QString first = Tr(pro ? 57406 : 57348);
        if (na)
            s.phone1 = make<CPagePhoneLineNA>(first, 1);
        else
            s.phone1 = make<CPagePhoneLineRW>(first, 1);
        if (!pro) {
            if (na)
                s.phone2 = make<CPagePhoneLineNA>(Tr(57349), 2);
            else
                s.phone2 = make<CPagePhoneLineRW>(Tr(57349), 2);
        }
    }
    if (na) {
        s.mlppp = make<CPageMLPPPNA>();
        s.ppp = make<CPagePPPNA>();
        s.v110 = make<CPageV110NA>();
        s.v120 = make<CPageV120NA>();
    } else {
        s.mlppp = make<CPageMLPPPRW>();
        s.ppp = make<CPagePPPRW>();
        s.v110 = make<CPageV110RW>();
        s.v120 = make<CPageV120RW>();
    }
    s.bacp = make<CPageBACP>();
    if (profile_.aodiSupported) s.x25 = make<CPageX25>();

    switch (variant) {
        case SheetVariant::BoxNA:
            s.advanced = make<CPageAdvancedBoxNA>();
            s.voiceModem = make<CPageVoiceModemNA>(true);
            break;
        case SheetVariant::BoxRW:
        case SheetVariant::BoxNoPOTSRW:
            s.advanced = make<CPageAdvancedBoxRW>();
            s.voiceModem = make<CPageVoiceModemRW>(true);
            break;
        case SheetVariant::ProBoxNA:
            s.advanced = make<CPageAdvancedProNA>();
            s.voiceModem = make<CPageVoiceModemNA>(false, Tr(57361));
            break;
        case SheetVariant::ProBoxRW:
            s.advanced = make<CPageAdvancedProRW>();
            s.voiceModem = make<CPageVoiceModemProRW>();
            break;
        case SheetVariant::ProNoPOTSBoxRW:
            s.advanced = make<CPageAdvancedProRW>();
            s.voiceModem = make<CPageVoiceModemRW>(false, Tr(57361));
            break;
    }
}

int ProfileSheet::run() {
    return sheet_->doModal();
}

bool ProfileSheet::changedAfter(int result) const {
    if (result != 1) return Sheet().general && Sheet().general->applied();
    for (const auto& page : pages_) {
        // Phone pages count only where the profile has ports.
        auto* phone = dynamic_cast<CPagePhoneLine*>(page.get());
        if (phone && !profile_.potsAvailable) continue;
        if (page->changed()) return true;
    }
    return false;
}

}  // namespace config

std::int32_t CConfigureProfile::ConfigureProfile(QWidget* parent, CProfile& profile,
                                                 std::int32_t index, CDeviceInfo& device,
                                                 QString caption, const char* name) {
    profileName = name;
    config::pages::SheetVariant variant;
    if (!config::SheetVariantFor(device.type, device.region, profile.potsAvailable, variant))
        return 0;
    switch (variant) {
        case config::pages::SheetVariant::BoxNA:
            return ConfigureProfileBoxNA(parent, profile, index, device, caption);
        case config::pages::SheetVariant::BoxRW:
            return ConfigureProfileBoxRW(parent, profile, index, device, caption);
        case config::pages::SheetVariant::BoxNoPOTSRW:
            return ConfigureProfileBoxNoPOTSRW(parent, profile, index, device, caption);
        case config::pages::SheetVariant::ProBoxNA:
            return ConfigureProfileProBoxNA(parent, profile, index, device, caption);
        case config::pages::SheetVariant::ProBoxRW:
            return ConfigureProfileProBoxRW(parent, profile, index, device, caption);
        case config::pages::SheetVariant::ProNoPOTSBoxRW:
            return ConfigureProfileProNoPOTSBoxRW(parent, profile, index, device, caption);
    }
    return 0;
}

std::int32_t CConfigureProfile::Run(config::pages::SheetVariant variant, QWidget* parent,
                                    CProfile& profile, std::int32_t index, CDeviceInfo& device,
                                    const QString& caption) {
    config::ProfileSheet sheet(variant, parent, profile, index, device, caption);
    const int result = sheet.run();
    changed = sheet.changedAfter(result) ? 1 : 0;
    return result;
}

std::int32_t CConfigureProfile::ConfigureProfileBoxNA(QWidget* parent, CProfile& profile,
                                                      std::int32_t index, CDeviceInfo& device,
                                                      const QString& caption) {
    return Run(config::pages::SheetVariant::BoxNA, parent, profile, index, device, caption);
}
std::int32_t CConfigureProfile::ConfigureProfileBoxRW(QWidget* parent, CProfile& profile,
                                                      std::int32_t index, CDeviceInfo& device,
                                                      const QString& caption) {
    return Run(config::pages::SheetVariant::BoxRW, parent, profile, index, device, caption);
}
std::int32_t CConfigureProfile::ConfigureProfileBoxNoPOTSRW(QWidget* parent, CProfile& profile,
                                                            std::int32_t index, CDeviceInfo& device,
                                                            const QString& caption) {
    return Run(config::pages::SheetVariant::BoxNoPOTSRW, parent, profile, index, device, caption);
}
std::int32_t CConfigureProfile::ConfigureProfileProBoxNA(QWidget* parent, CProfile& profile,
                                                         std::int32_t index, CDeviceInfo& device,
                                                         const QString& caption) {
    return Run(config::pages::SheetVariant::ProBoxNA, parent, profile, index, device, caption);
}
std::int32_t CConfigureProfile::ConfigureProfileProBoxRW(QWidget* parent, CProfile& profile,
                                                         std::int32_t index, CDeviceInfo& device,
                                                         const QString& caption) {
    return Run(config::pages::SheetVariant::ProBoxRW, parent, profile, index, device, caption);
}
std::int32_t CConfigureProfile::ConfigureProfileProNoPOTSBoxRW(QWidget* parent, CProfile& profile,
                                                               std::int32_t index,
                                                               CDeviceInfo& device,
                                                               const QString& caption) {
    return Run(config::pages::SheetVariant::ProNoPOTSBoxRW, parent, profile, index, device,
               caption);
}
