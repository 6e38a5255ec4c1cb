#include "profile/profile.h"

void CProfile::Clear() {
    // Fields that keep their value across a clear are saved and put back, so
    // that a field added to the record later is cleared by default.
    const std::uint8_t t1 = t1Setting;
    const std::uint8_t t2 = t2Setting;
    std::string n5 = std::move(n5Text);
    const std::int32_t modem = EnableModemForPro;
    const std::int32_t voice = EnableVoiceForBox;
    const std::int32_t pro = proOption;

    *this = CProfile{};

    t1Setting = t1;
    t2Setting = t2;
    n5Text = std::move(n5);
    EnableModemForPro = modem;
    EnableVoiceForBox = voice;
    proOption = pro;
}
