#include "profile/profile_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/ini_file.h"
#include "platform/status_codes.h"
#include "tests/profile/profile_fields.h"
#include "tests/support/temp_home.h"

using profiletest::FieldsOf;
using testsupport::TempHome;
using testsupport::writeFile;

namespace {

struct Loaded {
    explicit Loaded(const std::string& path, std::int32_t mask = 7) {
        status = CProfileFile().Load(path, model, mask, kind);
    }
    std::int32_t status = -1, kind = -1;
    CDeviceProfiles model;
};

}  // namespace

TEST(ProfileFile, SaveThenLoadGivesBackEveryStoredFieldOfTheChosenProfiles) {
    TempHome home;
    const std::string path = home.file("round.prf");
    // Every stored field of every profile its own value, so a field saved
    // under the wrong key or not at all shows up.
    CDeviceProfiles saved;
    saved.activeProfile = 2;
    saved.northAmerica = 0;
    int n = 0;
    for (CProfile& p : saved.profiles)
        for (const auto& key : profile::ProfileFileKeys())
            profile::SetProfileKeyText(
                p, key, key.text ? "t" + std::to_string(++n) + " x!" : std::to_string(++n % 256));
    ASSERT_EQ(CProfileFile().Save(path, saved, 7, 2), 0);

    const Loaded all(path);
    ASSERT_EQ(all.status, 0);
    EXPECT_EQ(all.kind, 2);
    EXPECT_EQ(all.model.activeProfile, 2);
    EXPECT_EQ(all.model.northAmerica, 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(FieldsOf(all.model.profiles[i]), FieldsOf(saved.profiles[i]));

    // Only the profiles of the mask are read; the others are cleared.
    CDeviceProfiles masked;
    masked.profiles[1].number1 = "stale";
    std::int32_t kind = 0;
    ASSERT_EQ(CProfileFile().Load(path, masked, 5, kind), 0);
    EXPECT_EQ(FieldsOf(masked.profiles[2]), FieldsOf(saved.profiles[2]));
    EXPECT_EQ(FieldsOf(masked.profiles[1]), FieldsOf(CProfile{}));
}

TEST(ProfileFile, AnOrdinaryIniFileWithKeysInTableOrder) {
    TempHome home;
    const std::string path = home.file("order.prf");
    ASSERT_EQ(CProfileFile().Save(path, CDeviceProfiles(), 5, 8), 0);  // profiles 0 and 2
    const auto doc = platform::ini::Document::parse(testsupport::readFile(path));

    EXPECT_EQ(doc.sectionNames(), (std::vector<std::string>{"General", "Profile 0", "Profile 2"}));
    EXPECT_EQ(doc.keyNames("General"),
              (std::vector<std::string>{"Device Type", "Default Profile", "ISDN Type"}));
    EXPECT_EQ(*doc.find("General", "Device Type"), "8");
    std::vector<std::string> expected;
    for (const auto& key : profile::ProfileFileKeys()) expected.push_back(key.name);
    EXPECT_EQ(expected.size(), 48u);
    // The settings only the adapter holds follow the documented keys.
    for (const char* key : {"T1 Setting", "T2 Setting", "N5 Text", "Pro Option"})
        expected.push_back(key);
    EXPECT_EQ(doc.keyNames("Profile 0"), expected);
    EXPECT_EQ(doc.keyNames("Profile 2"), expected);
    EXPECT_EQ(*doc.find("Profile 2", "Primary SwitchType"), "255");
}

TEST(ProfileFile, SaveReplacesTheFileWholeOrNotAtAll) {
    TempHome home;
    const CDeviceProfiles model;
    EXPECT_EQ(CProfileFile().Save(home.file("no/such/dir/x.prf"), model, 7, 1),
              profile::kProfileFileWriteFailed);

    // Whatever the file held before is gone: foreign sections and keys too.
    const std::string path = home.file("foreign.prf");
    writeFile(path, "[Fremd]\r\nSchluessel=1\r\n[Profile 1]\r\nExtra=2\r\n");
    ASSERT_EQ(CProfileFile().Save(path, model, 7, 1), 0);
    const auto doc = platform::ini::Document::parse(testsupport::readFile(path));
    EXPECT_FALSE(doc.hasSection("Fremd"));
    EXPECT_EQ(doc.find("Profile 1", "Extra"), nullptr);

    // A file that cannot get its new version beside it keeps the old one.
    const std::string longName = home.file(std::string(250, 'p'));
    writeFile(longName, "[Fremd]\r\n");
    EXPECT_EQ(CProfileFile().Save(longName, model, 7, 1), profile::kProfileFileWriteFailed);
    EXPECT_EQ(testsupport::readFile(longName), "[Fremd]\r\n");
}

TEST(ProfileFile, LoadTakesValuesAsTheFileHoldsThem) {
    struct Row {
        std::string lines, fields;
    };
    const std::string x120(120, 'x');
    const Row rows[] = {
        {"Primary Number1=" + x120, "Primary Number1=" + x120.substr(0, 99)},
        {"Profile Name=   Büro 2   ", "Profile Name=Büro 2"},
        {std::string("Primary Number2=12\00034", 21), "Primary Number2=12"},
        {"Port Settings=300", "Port Settings=44"},
        {"Port Settings=-1", "Port Settings=255"},
        // An empty value keeps the cleared one; a missing key reads as "Unknown".
        {"Connect Type=\nPrimary SwitchType=\nMode POTS 1=",
         "Connect Type=12;Primary SwitchType=255;Mode POTS 1=3;Mode POTS 2=0;Call Drop "
         "Key=Unknown"},
        {"connect type=10\nBANDWIDTH ALLOCATION CONTROL PROTOCOL=4",
         "Connect Type=10;Bandwidth Allocation Control Protocol=4;Profile Name=Unknown"},
        {"Region=12abc\nAODI=x7\nVMWI Refresh Time=+30", "Region=12;AODI=0;VMWI Refresh Time=30"},
    };
    TempHome home;
    for (const Row& r : rows) {
        const std::string path = home.file("load.prf");
        writeFile(path, "[General]\nDevice Type=4\nDefault Profile=1\nISDN Type=0\n[Profile 0]\n" +
                            r.lines + "\n");
        const Loaded loaded(path, 1);
        ASSERT_EQ(loaded.status, 0) << r.fields;
        EXPECT_EQ(profiletest::Pick(loaded.model.profiles[0], r.fields),
                  profiletest::ParseFields(r.fields));
    }
}

TEST(ProfileFile, ALineBreakInAValueReadsBackAsItsFirstLine) {
    TempHome home;
    const std::string path = home.file("break.prf");
    CDeviceProfiles model;
    model.profiles[1].name = "oben\r\n[General]\r\nDevice Type=8";
    model.profiles[1].number2 = "123\nISDN Type=0";
    ASSERT_EQ(CProfileFile().Save(path, model, 7, 1), 0);
    const Loaded loaded(path);
    ASSERT_EQ(loaded.status, 0);
    EXPECT_EQ(loaded.model.profiles[1].name, "oben");
    EXPECT_EQ(loaded.model.profiles[1].number2, "123");
    EXPECT_EQ(loaded.kind, 1);
    EXPECT_EQ(loaded.model.northAmerica, 1);
}

TEST(ProfileFile, GeneralSection) {
    struct Row {
        const char* name;
        const char* general;  // nullptr: no file at all
        std::int32_t status, kind, active, northAmerica;
        const char* name0;
    };
    const Row rows[] = {
        {"empty device type", "Device Type=\nDefault Profile=2", 5005, -1, 0, 1, ""},
        {"empty default profile", "Device Type=2\nDefault Profile=\nISDN Type=0", 5005, 2, 0, 1,
         ""},
        {"empty ISDN type", "Device Type=2\nDefault Profile=2\nISDN Type=", 5005, 2, 2, 1, ""},
        {"no device type", "Default Profile=2\nISDN Type=0", 0, 0, 2, 0, "Null"},
        {"default profile beyond the three", "Device Type=1\nDefault Profile=3\nISDN Type=1", 0, 1,
         0, 1, "Null"},
        {"negative default profile", "Device Type=1\nDefault Profile=-2\nISDN Type=1", 0, 1, 0, 1,
         "Null"},
        {"no file", nullptr, 0, 0, 0, 0, "Unknown"},
    };
    TempHome home;
    for (const Row& r : rows) {
        const std::string path = home.file(r.general ? "general.prf" : "absent.prf");
        if (r.general)
            writeFile(path, std::string("[General]\n") + r.general +
                                "\n[Profile 0]\nProfile Name=Null\n");
        const Loaded loaded(path);
        EXPECT_EQ(loaded.status, r.status) << r.name;
        EXPECT_EQ(loaded.kind, r.kind) << r.name;
        EXPECT_EQ(loaded.model.activeProfile, r.active) << r.name;
        EXPECT_EQ(loaded.model.northAmerica, r.northAmerica) << r.name;
        EXPECT_EQ(loaded.model.profiles[0].name, r.name0) << r.name;
    }
}

// What the key-by-key reads would not take is not read here either: a file
// beyond any profile file's size, or a FIFO that would be waited on for ever.
TEST(ProfileFile, FilesNoIniReadTakesLoadAsEmptyAndAreNeverWaitedOn) {
    TempHome home;
    const std::string valid =
        "[General]\nDevice Type=8\nDefault Profile=1\nISDN Type=0\n[Profile 0]\nProfile Name=A\n";
    const std::string huge = home.file("huge.prf");
    writeFile(huge, valid);
    std::filesystem::resize_file(huge, 17u * 1024 * 1024);
    const std::string fifo = home.file("fifo.prf");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    for (const std::string& path : {huge, fifo}) {
        const Loaded loaded(path);
        EXPECT_EQ(loaded.status, 0) << path;
        EXPECT_EQ(loaded.kind, 0) << path;
        EXPECT_EQ(loaded.model.activeProfile, 0) << path;
        EXPECT_EQ(loaded.model.profiles[0].name, "Unknown") << path;
    }
    // An export replaces a file whatever it held, but never a FIFO.
    EXPECT_EQ(CProfileFile().Save(fifo, CDeviceProfiles(), 7, 8), profile::kProfileFileWriteFailed);
    EXPECT_EQ(CProfileFile().Save(huge, CDeviceProfiles(), 7, 8), 0);
    EXPECT_LT(std::filesystem::file_size(huge), 8192u);
}
