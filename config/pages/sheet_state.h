#pragma once
// What the pages of one running profile sheet share: the page objects (so a
// page can add or remove another while the sheet runs), the routing bytes,
// the voice and modem flags, the region, the common features of the
// telephone ports, and which optional pages the sheet shows. One profile
// sheet runs at a time, so this state is shared on purpose by the library.
#include <cstdint>
#include <string>
#include <vector>

namespace ui {
class PropertyPage;
class PropertySheet;
}  // namespace ui

namespace config::pages {

// The rest-of-world switch type whose pages differ ("switchType10" below).
inline constexpr std::int32_t kBritishTelecom = 10;

class CPageGeneral;
class CPagePhoneLine;
class CPageData;
class CPageBACP;
class CPageX25;
class CPageVoiceModem;
class CPageAdvanced;

enum class SheetVariant { BoxNA, BoxRW, BoxNoPOTSRW, ProBoxNA, ProBoxRW, ProNoPOTSBoxRW };

// Shared by both telephone ports: the first port page set up takes them.
struct CommonFeatures {
    bool taken = false;
    std::string callConferenceKey;
    std::string callDropKey;
    std::string vmwiKey;
    std::int32_t vmwiRefreshTime = 0;
};

struct SheetState {
    SheetVariant variant = SheetVariant::BoxNA;
    ui::PropertySheet* sheet = nullptr;
    std::int32_t deviceKind = 0;
    std::int32_t potsAvailable = 0;

    CPageGeneral* general = nullptr;
    CPagePhoneLine* phone1 = nullptr;
    CPagePhoneLine* phone2 = nullptr;
    CPageData* mlppp = nullptr;
    CPageData* ppp = nullptr;
    CPageData* v110 = nullptr;
    CPageData* v120 = nullptr;
    CPageBACP* bacp = nullptr;
    CPageX25* x25 = nullptr;
    CPageVoiceModem* voiceModem = nullptr;
    CPageAdvanced* advanced = nullptr;

    std::int32_t pageIndex = -1;
    std::uint8_t t1 = 0;  // routing byte of number 1
    std::uint8_t t2 = 0;  // routing byte of number 2
    std::int32_t enableVoiceForBox = 0;
    std::int32_t enableModemForPro = 0;
    std::int32_t region = 0;
    bool switchType10 = false;
    CommonFeatures common;

    // What the sheet shows now.
    bool port1On = false;
    bool port2On = false;
    std::int32_t connectType = 0;
    bool bacpOn = false;
    bool x25On = false;
    bool voicePageOn = false;

    bool isPro() const;
    // The data page of the connect type; nullptr for a type without one.
    CPageData* protocolPage() const;
    // The pages the sheet should hold now, in their order.
    std::vector<ui::PropertyPage*> desiredPages() const;
    // Brings the sheet to desiredPages(): the pages after the first one that
    // differs go (keeping what their controls hold) and the rest is added
    // in order. Then `active` (the General page when null) is shown.
    void arrange(ui::PropertyPage* active = nullptr);
};

SheetState& Sheet();
// Forgets the last sheet: every pointer null, the marker -1.
void ResetSheet();

}  // namespace config::pages
