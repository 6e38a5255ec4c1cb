#include "config/pages/sheet_state.h"

#include <algorithm>

#include "config/pages/page_advanced.h"
#include "config/pages/page_bacp.h"
#include "config/pages/page_data.h"
#include "config/pages/page_general.h"
#include "config/pages/page_phone_line.h"
#include "config/pages/page_voice_modem.h"
#include "config/pages/page_x25.h"
#include "profile/profile.h"
#include "ui/property_sheet.h"

namespace config::pages {

bool SheetState::isPro() const {
    return variant == SheetVariant::ProBoxNA || variant == SheetVariant::ProBoxRW ||
           variant == SheetVariant::ProNoPOTSBoxRW;
}

CPageData* SheetState::protocolPage() const {
    switch (connectType) {
        case kConnectV110:
            return v110;
        case kConnectPpp:
            return ppp;
        case kConnectV120:
            return v120;
        case kConnectMultilinkPpp:
            return mlppp;
        default:
            return nullptr;
    }
}

std::vector<ui::PropertyPage*> SheetState::desiredPages() const {
    std::vector<ui::PropertyPage*> pages;
    auto add = [&pages](ui::PropertyPage* page, bool wanted = true) {
        if (page && wanted) pages.push_back(page);
    };
    add(general);
    add(phone1, port1On);
    add(phone2, port2On);
    if (isPro()) add(voiceModem, voicePageOn);
    add(protocolPage());
    add(bacp, bacpOn && connectType == kConnectMultilinkPpp);
    add(x25, x25On && connectType == kConnectMultilinkPpp);
    add(advanced);
    if (!isPro()) add(voiceModem, voicePageOn);
    return pages;
}

void SheetState::arrange(ui::PropertyPage* active) {
    if (!sheet) return;
    const std::vector<ui::PropertyPage*> wanted = desiredPages();
    const std::vector<ui::PropertyPage*> current = sheet->pages();
    std::size_t same = 0;
    while (same < current.size() && same < wanted.size() && current[same] == wanted[same]) ++same;
    for (std::size_t i = current.size(); i-- > same;) {
        // A page that goes keeps what the user entered, as when it is left.
        if (current[i]->initialised()) current[i]->updateData(true);
        sheet->removePage(current[i]);
    }
    for (std::size_t i = same; i < wanted.size(); ++i) sheet->addPage(wanted[i]);
    if (sheet->isRunning()) sheet->setActivePage(active ? active : general);
}

SheetState& Sheet() {
    static SheetState state;
    return state;
}

void ResetSheet() {
    Sheet() = SheetState{};
}

}  // namespace config::pages
