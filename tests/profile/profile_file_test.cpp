#include "profile/profile_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "profile/profile_status.h"
#include "tests/support/temp_home.h"

using profile::ProfileFileKey;
using profile::ProfileFileKeys;
using testsupport::readFile;
using testsupport::TempHome;
using testsupport::writeFile;

namespace {

// Gives every stored field of every profile its own value, so a field that is
// saved under the wrong key or not at all shows up.
void FillDistinct(CDeviceProfiles& model) {
    model.activeProfile = 2;
    model.northAmerica = 0;
    for (int i = 0; i < 3; ++i) {
        CProfile& p = model.profiles[i];
        int n = 100 * (i + 1);
        for (const ProfileFileKey& key : ProfileFileKeys()) {
            ++n;
            if (key.text) p.*key.text = "t" + std::to_string(n) + " x!";
            else if (key.number) p.*key.number = -n;
            else p.*key.byte = static_cast<std::uint8_t>(n);
        }
        // Fields the file does not carry.
        p.i100Reply = "regions";
        p.t1Setting = 9;
        p.t2Setting = 8;
        p.n5Text = "n5";
        p.EnableModemForPro = 1;
        p.EnableVoiceForBox = 1;
        p.proOption = 6;
    }
}

std::vector<std::string> KeyNamesOf(const std::string& text, const std::string& section) {
    std::vector<std::string> names;
    std::istringstream in(text);
    std::string line;
    bool inside = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line.front() == '[') {
            inside = line == "[" + section + "]";
            continue;
        }
        if (inside && line.find('=') != std::string::npos) names.push_back(line.substr(0, line.find('=')));
    }
    return names;
}

std::string Section(const std::string& name, const std::vector<std::string>& lines) {
    std::string s = "[" + name + "]\r\n";
    for (const auto& l : lines) s += l + "\r\n";
    return s;
}

struct Loaded {
    std::int32_t status;
    std::int32_t kind = -1;
    CDeviceProfiles model;
};

void LoadInto(Loaded& out, const std::string& path, std::int32_t mask = 7) {
    out.status = CProfileFile().Load(path, out.model, mask, out.kind);
}

}  // namespace

TEST(ProfileFile, SaveThenLoadGivesBackEveryStoredField) {
    TempHome home;
    const std::string path = home.file("round.prf");
    CDeviceProfiles saved;
    FillDistinct(saved);
    ASSERT_EQ(CProfileFile().Save(path, saved, 7, 2), 0);

    Loaded loaded;
    LoadInto(loaded, path);
    ASSERT_EQ(loaded.status, 0);
    EXPECT_EQ(loaded.kind, 2);
    EXPECT_EQ(loaded.model.activeProfile, 2);
    EXPECT_EQ(loaded.model.northAmerica, 0);
    for (int i = 0; i < 3; ++i) {
        const CProfile& a = saved.profiles[i];
        const CProfile& b = loaded.model.profiles[i];
        for (const ProfileFileKey& key : ProfileFileKeys())
            EXPECT_EQ(profile::ProfileKeyText(a, key), profile::ProfileKeyText(b, key))
                << "profile " << i << " key " << key.name;
        EXPECT_EQ(b.i100Reply, "");
        EXPECT_EQ(b.t1Setting, 0);
        EXPECT_EQ(b.n5Text, "");
        EXPECT_EQ(b.proOption, 0);
        EXPECT_EQ(b.EnableVoiceForBox, 0);
    }
}

TEST(ProfileFile, WritesSectionsAndKeysInTableOrder) {
    TempHome home;
    const std::string path = home.file("order.prf");
    CDeviceProfiles model;
    ASSERT_EQ(CProfileFile().Save(path, model, 5, 8), 0);  // profiles 0 and 2
    const std::string text = readFile(path);

    EXPECT_EQ(text.rfind("[General]\r\nDevice Type=8\r\nDefault Profile=0\r\nISDN Type=1\r\n", 0), 0u)
        << text.substr(0, 80);
    std::vector<std::string> expected;
    for (const ProfileFileKey& key : ProfileFileKeys()) expected.push_back(key.name);
    EXPECT_EQ(expected.size(), 48u);
    EXPECT_EQ(KeyNamesOf(text, "Profile 0"), expected);
    EXPECT_TRUE(KeyNamesOf(text, "Profile 1").empty());
    EXPECT_EQ(KeyNamesOf(text, "Profile 2"), expected);
    EXPECT_LT(text.find("[Profile 0]"), text.find("[Profile 2]"));
    EXPECT_NE(text.find("Primary SwitchType=255\r\n"), std::string::npos);
    EXPECT_NE(text.find("Connect Type=12\r\n"), std::string::npos);
}

TEST(ProfileFile, SavingIntoAnExistingFileKeepsWhatElseItHolds) {
    TempHome home;
    const std::string path = home.file("keep.prf");
    writeFile(path, Section("Notes", {"Owner=Anna"}) +
                        Section("Profile 0", {"Extra=1", "Connect Type=9"}));
    CDeviceProfiles model;
    model.profiles[0].connectType = kConnectV120;
    ASSERT_EQ(CProfileFile().Save(path, model, 1, 1), 0);
    const std::string text = readFile(path);
    EXPECT_NE(text.find("[Notes]\r\nOwner=Anna\r\n"), std::string::npos);
    const auto keys = KeyNamesOf(text, "Profile 0");
    ASSERT_GE(keys.size(), 3u);
    EXPECT_EQ(keys[0], "Extra");
    EXPECT_EQ(keys[1], "Connect Type");  // replaced where it stood
    EXPECT_EQ(keys[2], "Profile Name");  // new keys follow at the section's end
    EXPECT_NE(text.find("Connect Type=11\r\n"), std::string::npos);
    EXPECT_EQ(text.find("Connect Type=9"), std::string::npos);
}

TEST(ProfileFile, SaveReportsKeysThatCannotBeWritten) {
    TempHome home;
    CDeviceProfiles model;
    EXPECT_EQ(CProfileFile().Save(home.file("no/such/dir/x.prf"), model, 7, 1),
              profile::kProfileFileWriteFailed);

    // The "General" keys already hold these values, so writing them changes
    // nothing; the profile keys then need a new file beside this one, which a
    // name at the length limit cannot get. The export must not pass as done.
    const std::string path = home.file(std::string(250, 'p'));
    writeFile(path, Section("General", {"Device Type=1", "Default Profile=0", "ISDN Type=1"}));
    EXPECT_EQ(CProfileFile().Save(path, model, 7, 1), profile::kProfileFileWriteFailed);
    EXPECT_EQ(CProfileFile().Save(path, model, 0, 1), 0);  // nothing but "General"
}

TEST(ProfileFile, LoadTakesValuesAsTheFileHoldsThem) {
    struct Row {
        const char* name;
        std::vector<std::string> profile0;
        std::function<bool(const CProfile&)> check;
    };
    const std::string long120(120, 'x');
    const Row rows[] = {
        {"99 characters at most", {"Primary Number1=" + long120},
         [&](const CProfile& p) { return p.number1 == std::string(99, 'x'); }},
        {"spaces around a value go", {"Profile Name=   Büro 2   "},
         [](const CProfile& p) { return p.name == "Büro 2"; }},
        {"text ends at a NUL", {std::string("Primary Number2=12\0" "34", 21)},
         [](const CProfile& p) { return p.number2 == "12"; }},
        {"port settings keep their low byte", {"Port Settings=300"},
         [](const CProfile& p) { return p.portSettings == 44; }},
        {"negative port settings", {"Port Settings=-1"},
         [](const CProfile& p) { return p.portSettings == 255; }},
        {"empty value keeps the cleared one", {"Connect Type=", "Primary SwitchType=", "Mode POTS 1="},
         [](const CProfile& p) {
             return p.connectType == 12 && p.switchType == 255 && p.modePots1 == 3;
         }},
        {"missing key reads as Unknown", {"Connect Type=9"},
         [](const CProfile& p) {
             return p.connectType == 9 && p.name == "Unknown" && p.switchType == 0 &&
                    p.modePots1 == 0 && p.callDropKey == "Unknown";
         }},
        {"names without regard to case", {"connect type=10", "BANDWIDTH ALLOCATION CONTROL PROTOCOL=4"},
         [](const CProfile& p) { return p.connectType == 10 && p.bacp == 4; }},
        {"numbers as decimal text", {"Region=12abc", "AODI=x7", "VMWI Refresh Time=+30"},
         [](const CProfile& p) { return p.region == 12 && p.aodi == 0 && p.vmwiRefreshTime == 30; }},
        {"numbers beyond 32 bits saturate", {"Delay Open B1=99999999999", "Delay Open B2=-99999999999"},
         [](const CProfile& p) {
             return p.delayOpenB1 == 2147483647 && p.delayOpenB2 == -2147483647 - 1;
         }},
    };
    TempHome home;
    for (const Row& r : rows) {
        const std::string path = home.file("load.prf");
        writeFile(path, Section("General", {"Device Type=4", "Default Profile=1", "ISDN Type=0"}) +
                            Section("Profile 0", r.profile0));
        Loaded loaded;
        LoadInto(loaded, path, 1);
        ASSERT_EQ(loaded.status, 0) << r.name;
        EXPECT_TRUE(r.check(loaded.model.profiles[0])) << r.name;
        EXPECT_EQ(loaded.kind, 4) << r.name;
        EXPECT_EQ(loaded.model.activeProfile, 1) << r.name;
        EXPECT_EQ(loaded.model.northAmerica, 0) << r.name;
    }
}

TEST(ProfileFile, ALineBreakInAValueReadsBackAsItsFirstLine) {
    TempHome home;
    const std::string path = home.file("break.prf");
    CDeviceProfiles model;
    model.profiles[1].name = "oben\r\n[General]\r\nDevice Type=8";
    model.profiles[1].number2 = "123\nISDN Type=0";
    ASSERT_EQ(CProfileFile().Save(path, model, 7, 1), 0);
    Loaded loaded;
    LoadInto(loaded, path);
    ASSERT_EQ(loaded.status, 0);
    EXPECT_EQ(loaded.model.profiles[1].name, "oben");
    EXPECT_EQ(loaded.model.profiles[1].number2, "123");
    EXPECT_EQ(loaded.kind, 1);
    EXPECT_EQ(loaded.model.northAmerica, 1);
}

TEST(ProfileFile, GeneralSection) {
    struct Row {
        const char* name;
        std::string general;
        std::int32_t status, kind, active, northAmerica;
        bool profilesRead;
    };
    const Row rows[] = {
        {"empty device type", Section("General", {"Device Type=", "Default Profile=2"}),
         5005, -1, 0, 1, false},
        {"empty default profile", Section("General", {"Device Type=2", "Default Profile=", "ISDN Type=0"}),
         5005, 2, 0, 1, false},
        {"empty ISDN type", Section("General", {"Device Type=2", "Default Profile=2", "ISDN Type="}),
         5005, 2, 2, 1, false},
        {"no device type", Section("General", {"Default Profile=2", "ISDN Type=0"}),
         0, 0, 2, 0, true},
        {"no General section", "", 0, 0, 0, 0, true},
        {"default profile beyond the three", Section("General", {"Device Type=1", "Default Profile=3", "ISDN Type=1"}),
         0, 1, 0, 1, true},
        {"negative default profile", Section("General", {"Device Type=1", "Default Profile=-2", "ISDN Type=1"}),
         0, 1, 0, 1, true},
    };
    TempHome home;
    for (const Row& r : rows) {
        const std::string path = home.file("general.prf");
        writeFile(path, r.general + Section("Profile 0", {"Profile Name=Null"}));
        Loaded loaded;
        LoadInto(loaded, path);
        EXPECT_EQ(loaded.status, r.status) << r.name;
        EXPECT_EQ(loaded.kind, r.kind) << r.name;
        EXPECT_EQ(loaded.model.activeProfile, r.active) << r.name;
        EXPECT_EQ(loaded.model.northAmerica, r.northAmerica) << r.name;
        EXPECT_EQ(loaded.model.profiles[0].name, r.profilesRead ? "Null" : "") << r.name;
    }
}

TEST(ProfileFile, MaskChoosesTheProfilesRead) {
    TempHome home;
    const std::string path = home.file("mask.prf");
    CDeviceProfiles saved;
    FillDistinct(saved);
    ASSERT_EQ(CProfileFile().Save(path, saved, 7, 1), 0);

    Loaded loaded;
    loaded.model.profiles[1].number1 = "stale";
    LoadInto(loaded, path, 1);
    ASSERT_EQ(loaded.status, 0);
    EXPECT_EQ(loaded.model.profiles[0].number1, saved.profiles[0].number1);
    for (int i : {1, 2}) {
        EXPECT_EQ(loaded.model.profiles[i].number1, "") << i;
        EXPECT_EQ(loaded.model.profiles[i].connectType, kConnectMultilinkPpp) << i;
    }
}

TEST(ProfileFile, MissingFileLoadsFromTheFallback) {
    TempHome home;
    Loaded loaded;
    LoadInto(loaded, home.file("absent.prf"));
    ASSERT_EQ(loaded.status, 0);
    EXPECT_EQ(loaded.kind, 0);
    EXPECT_EQ(loaded.model.activeProfile, 0);
    EXPECT_EQ(loaded.model.northAmerica, 0);
    for (const CProfile& p : loaded.model.profiles) {
        EXPECT_EQ(p.name, "Unknown");
        EXPECT_EQ(p.connectType, 0);
        EXPECT_EQ(p.switchType, 0);
        EXPECT_EQ(p.modePots2, 0);
    }
    EXPECT_FALSE(std::filesystem::exists(home.file("absent.prf")));
}
