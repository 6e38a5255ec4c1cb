#include "profile/profile_settings.h"

#include <gtest/gtest.h>

#include "profile/profile_status.h"
#include "tests/support/temp_home.h"

using testsupport::TempHome;

namespace {

CRegistry DeviceKey(const char* name = "Device01") {
    return CRegistry(std::string(kSuiteKey) + "\\Devices\\" + name);
}

void StoreProfile(const CRegistry& device, int n, const char* name, std::uint32_t voice,
                  std::uint32_t modem) {
    const CRegistry key = device.SubKey("Profiles").SubKey(("Profile" + std::to_string(n)).c_str());
    ASSERT_EQ(key.Create(), 0);
    ASSERT_EQ(key.WriteString("Name", name), 0);
    ASSERT_EQ(key.WriteDword("EnableVoiceForBox", voice), 0);
    ASSERT_EQ(key.WriteDword("EnableModemForPro", modem), 0);
}

void ExpectDefaults(const CProfileSettings& s) {
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(s.names[n], "Profil " + std::to_string(n));
        EXPECT_EQ(s.EnableVoiceForBox[n], 0);
        EXPECT_EQ(s.EnableModemForPro[n], 1);
    }
}

}  // namespace

TEST(ProfileSettings, UnboundRecordTouchesNothing) {
    TempHome home;
    CProfileSettings s;
    ExpectDefaults(s);
    s.names[0] = "changed";
    EXPECT_EQ(s.Load(), profile::kProfileNamesNotBound);
    EXPECT_EQ(s.Save(), profile::kProfileNamesNotBound);
    EXPECT_EQ(s.names[0], "changed");
    EXPECT_FALSE(s.IsBound());
}

TEST(ProfileSettings, FreshItemGetsAndStoresTheDefaults) {
    TempHome home;
    CProfileSettings s;
    s.names[1] = "not yet loaded";
    s.Bind(DeviceKey());
    EXPECT_TRUE(s.IsBound());
    ASSERT_EQ(s.Load(), 0);
    ExpectDefaults(s);

    std::string name;
    std::uint32_t modem = 0;
    const CRegistry p2 = DeviceKey().SubKey("Profiles").SubKey("Profile2");
    ASSERT_EQ(p2.ReadString("Name", name), 0);
    ASSERT_EQ(p2.ReadDword("EnableModemForPro", modem), 0);
    EXPECT_EQ(name, "Profil 2");
    EXPECT_EQ(modem, 1u);
}

TEST(ProfileSettings, SaveThenLoadInAnotherRecord) {
    TempHome home;
    CProfileSettings a;
    a.Bind(DeviceKey("Device07"));
    a.names = {"Büro", "Zuhause", "Reise mit Umlauten äöü"};
    a.EnableVoiceForBox = {1, 0, 1};
    a.EnableModemForPro = {0, 0, 1};
    ASSERT_EQ(a.Save(), 0);

    CProfileSettings b;
    b.Bind(DeviceKey("Device07"));
    ASSERT_EQ(b.Load(), 0);
    EXPECT_EQ(b.names, a.names);
    EXPECT_EQ(b.EnableVoiceForBox, a.EnableVoiceForBox);
    EXPECT_EQ(b.EnableModemForPro, a.EnableModemForPro);
}

TEST(ProfileSettings, AMissingProfileKeyResetsAllThree) {
    TempHome home;
    StoreProfile(DeviceKey(), 0, "Eins", 1, 0);
    StoreProfile(DeviceKey(), 1, "Zwei", 1, 0);
    CProfileSettings s;
    s.Bind(DeviceKey());
    ASSERT_EQ(s.Load(), 0);
    ExpectDefaults(s);

    std::string name;
    ASSERT_EQ(DeviceKey().SubKey("Profiles").SubKey("Profile0").ReadString("Name", name), 0);
    EXPECT_EQ(name, "Profil 0");
}

TEST(ProfileSettings, UnreadableValuesKeepTheirFields) {
    TempHome home;
    StoreProfile(DeviceKey(), 0, "Eins", 1, 0);
    StoreProfile(DeviceKey(), 1, "Zwei", 1, 0);
    StoreProfile(DeviceKey(), 2, "Drei", 1, 0);
    const CRegistry p1 = DeviceKey().SubKey("Profiles").SubKey("Profile1");
    ASSERT_EQ(p1.DeleteValue("Name"), 0);
    ASSERT_EQ(p1.DeleteValue("EnableModemForPro"), 0);

    CProfileSettings s;
    s.names[1] = "vorher";
    s.EnableModemForPro[1] = 7;
    s.Bind(DeviceKey());
    ASSERT_EQ(s.Load(), 0);
    EXPECT_EQ(s.names[0], "Eins");
    EXPECT_EQ(s.names[1], "vorher");
    EXPECT_EQ(s.EnableModemForPro[1], 7);
    EXPECT_EQ(s.EnableVoiceForBox[1], 1);
    EXPECT_EQ(s.names[2], "Drei");
}
