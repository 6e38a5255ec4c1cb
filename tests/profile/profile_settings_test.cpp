#include "profile/profile_settings.h"

#include <gtest/gtest.h>

#include "platform/status_codes.h"
#include "tests/support/temp_home.h"

namespace {

CRegistry ProfileKey(int n) {
    return CRegistry(std::string(kSuiteKey) + "\\Devices\\Device01")
        .SubKey("Profiles")
        .SubKey(("Profile" + std::to_string(n)).c_str());
}

CProfileSettings Bound() {
    CProfileSettings s;
    s.Bind(CRegistry(std::string(kSuiteKey) + "\\Devices\\Device01"));
    return s;
}

void ExpectDefaults(const CProfileSettings& s) {
    EXPECT_EQ(s.names, (std::array<std::string, 3>{"Profil 0", "Profil 1", "Profil 2"}));
    EXPECT_EQ(s.EnableVoiceForBox, (std::array<std::int32_t, 3>{0, 0, 0}));
    EXPECT_EQ(s.EnableModemForPro, (std::array<std::int32_t, 3>{1, 1, 1}));
}

}  // namespace

TEST(ProfileSettings, UnboundRecordTouchesNothing) {
    testsupport::TempHome home;
    CProfileSettings s;
    s.names[0] = "changed";
    EXPECT_EQ(s.Load(), profile::kProfileNamesNotBound);
    EXPECT_EQ(s.Save(), profile::kProfileNamesNotBound);
    EXPECT_EQ(s.names[0], "changed");
}

TEST(ProfileSettings, SaveThenLoadInAnotherRecord) {
    testsupport::TempHome home;
    CProfileSettings a = Bound();
    a.names = {"Büro", "Zuhause", "Reise mit Umlauten äöü"};
    a.EnableVoiceForBox = {1, 0, 1};
    a.EnableModemForPro = {0, 0, 1};
    ASSERT_EQ(a.Save(), 0);

    CProfileSettings b = Bound();
    ASSERT_EQ(b.Load(), 0);
    EXPECT_EQ(b.names, a.names);
    EXPECT_EQ(b.EnableVoiceForBox, a.EnableVoiceForBox);
    EXPECT_EQ(b.EnableModemForPro, a.EnableModemForPro);

    // A value that cannot be read keeps its field.
    ASSERT_EQ(ProfileKey(1).DeleteValue("Name"), 0);
    ASSERT_EQ(ProfileKey(1).DeleteValue("EnableModemForPro"), 0);
    CProfileSettings c = Bound();
    c.names[1] = "vorher";
    c.EnableModemForPro[1] = 7;
    ASSERT_EQ(c.Load(), 0);
    EXPECT_EQ(c.names, (std::array<std::string, 3>{"Büro", "vorher", "Reise mit Umlauten äöü"}));
    EXPECT_EQ(c.EnableModemForPro, (std::array<std::int32_t, 3>{0, 7, 1}));

    // A name too long for the store is reported, not dropped in silence; the
    // values after it are still stored.
    c.names[0] = std::string(300, 'n');
    c.EnableVoiceForBox[2] = 0;
    EXPECT_EQ(c.Save(), registry::kRegCannotWrite);
    CProfileSettings d = Bound();
    ASSERT_EQ(d.Load(), 0);
    EXPECT_EQ(d.names[0], "Büro");
    EXPECT_EQ(d.EnableVoiceForBox[2], 0);
}

TEST(ProfileSettings, AMissingProfileKeyResetsAndStoresAllThree) {
    testsupport::TempHome home;
    for (int n : {0, 1}) {
        ASSERT_EQ(ProfileKey(n).Create(), 0);
        ASSERT_EQ(ProfileKey(n).WriteString("Name", "Eigen"), 0);
    }
    CProfileSettings s = Bound();
    s.names[1] = "not yet loaded";
    ASSERT_EQ(s.Load(), 0);
    ExpectDefaults(s);

    for (int n : {0, 2}) {
        std::string name;
        std::uint32_t modem = 0;
        ASSERT_EQ(ProfileKey(n).ReadString("Name", name), 0);
        ASSERT_EQ(ProfileKey(n).ReadDword("EnableModemForPro", modem), 0);
        EXPECT_EQ(name, "Profil " + std::to_string(n));
        EXPECT_EQ(modem, 1u);
    }
}
