// The version record of firmware images: found wherever the 1000-byte
// pieces cut the marker or the record, and the checks built on it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "config/config_strings.h"
#include "config/firmware/elm_version.h"
#include "config/firmware/firmware_check.h"
#include "config/firmware/firmware_status.h"
#include "config/resource_ids.h"
#include "tests/support/temp_home.h"

namespace {

// The 20 record bytes: version text, type code at 13, region byte at 16.
std::string record(const std::string& version, const std::string& type, char region) {
    std::string r = version;
    r.resize(13, '\0');
    r += type;
    r += region;
    r += "xyz";
    return r;
}

// `size` filler bytes with "SYS_VER " + record placed so the marker starts at `at`.
std::string image(std::size_t size, std::size_t at, const std::string& rec) {
    std::string img(size, 'a');
    const std::string entry = "SYS_VER " + rec;
    img.replace(at, std::min(entry.size(), size - at), entry.substr(0, size - at));
    return img;
}

struct Case {
    const char* name;
    std::string bytes;
    std::int32_t status;
    std::string version;
};

}  // namespace

TEST(ElmVersion, FindsTheRecordWhereverPiecesCutIt) {
    const std::string rec = record("1.4.55", "TBX", 'R');
    const Case cases[] = {
        {"in the first piece", image(3000, 10, rec), 0, "1.4.55"},
        {"marker split 3/5", image(3000, 997, rec), 0, "1.4.55"},
        {"marker split 7/1", image(3000, 993, rec), 0, "1.4.55"},
        {"record split", image(3000, 985, rec), 0, "1.4.55"},
        {"record ends the file", image(28, 0, rec), 0, "1.4.55"},
        {"marker in the last 19 bytes", image(2000, 2000 - 27, rec), 5002, ""},
        {"no marker", std::string(2500, 'S'), 5002, ""},
        {"empty file", "", 5002, ""},
        // "SYS" ends one piece and "YS_VER " begins the next: the marker
        // starts at the last "S" of the first piece.
        {"marker after a false start at the cut",
         [&] {
             std::string img(2000, 'a');
             img.replace(997, 3, "SYS");
             img.replace(1000, 7 + 20, "YS_VER " + rec);
             return img;
         }(),
         0, "1.4.55"},
        {"a marker cut off, then a whole one",
         [&] {
             std::string img = image(3000, 1500, rec);
             img.replace(996, 4, "SYS_");
             return img;
         }(),
         0, "1.4.55"},
        {"version text without terminator", image(100, 0, record("1234567890123", "T71", 'N')), 0,
         "1234567890123"},
        {"first record wins",
         [&] {
             std::string img = image(3000, 2000, record("9.9", "T2B", 'R'));
             return img.replace(100, 28, "SYS_VER " + rec);
         }(),
         0, "1.4.55"},
    };
    for (const Case& c : cases) {
        CElmVersion elm;
        EXPECT_EQ(elm.ReadBytes(c.bytes), c.status) << c.name;
        if (c.status != 0) continue;
        EXPECT_EQ(elm.Version(), c.version) << c.name;
        if (c.version == "1.4.55") {
            EXPECT_EQ(elm.Type(), "TBX") << c.name;
            EXPECT_EQ(elm.Region(), 'R') << c.name;
        }
    }
}

TEST(ElmVersion, ReadsFilesAndRefusesWhatIsNoImage) {
    testsupport::TempHome home;
    const std::filesystem::path dir = home.path();
    const std::string good = (dir / "firm0.elm").string();
    std::ofstream(good, std::ios::binary) << image(5000, 1998, record("2.0.1", "T3M", 'N'));

    CElmVersion elm;
    ASSERT_EQ(elm.ReadFile(good), 0);
    EXPECT_EQ(elm.Version(), "2.0.1");
    EXPECT_EQ(elm.Type(), "T3M");
    EXPECT_FALSE(elm.International());
    // A reader used before starts from nothing.
    EXPECT_EQ(elm.ReadFile((dir / "missing.elm").string()), firmware::kElmNoVersion);
    EXPECT_EQ(elm.Version(), "");
    EXPECT_EQ(elm.ReadFile(dir.string()), firmware::kElmNoVersion);
}

TEST(FirmwareChecks, TypeCodesFitTheirKindsOnly) {
    struct Row {
        const char* type;
        std::int32_t kind;
        std::uint32_t refusal;
    };
    const Row rows[] = {
        {"TBX", 1, 0},
        {"TBL", 1, config::IDS_FW_NOT_FOR_BOX},
        {"TBL", 4, 0},
        {"T2B", 2, 0},
        {"TBX", 2, config::IDS_FW_NOT_FOR_PRO},
        {"T71", 8, 0},
        {"TBX", 8, config::IDS_FW_NOT_FOR_PCI},
        {"TBX", 16, 0},
        {"T71", 32, 0},  // other kinds are not checked
    };
    for (const Row& r : rows) {
        CElmVersion elm;
        ASSERT_EQ(elm.ReadBytes(image(100, 0, record("1.0", r.type, 'R'))), 0);
        EXPECT_EQ(firmware::refusalMessage(0, elm, r.kind), r.refusal) << r.type << " " << r.kind;
    }
    // Without a version record nothing fits, not even a PC card.
    CElmVersion none;
    EXPECT_EQ(firmware::refusalMessage(none.ReadBytes("x"), none, 16),
              config::IDS_FW_NOT_FOR_PCCARD);
}

TEST(FirmwareChecks, ConfirmationNamesBothVersions) {
    CElmVersion elm;
    ASSERT_EQ(elm.ReadBytes(image(100, 0, record("2.10", "TBX", 'R'))), 0);
    EXPECT_EQ(firmware::deviceVersion("V2.10"), "2.10");
    EXPECT_EQ(firmware::confirmationText(elm, 0, "2.10"),
              "Die zu ladende Firmware ist dieselbe, wie die aktuelle am Gerät.\n\nAktuelle "
              "Version.International (exkl. Nordamerika) (Version 2.10). \n\nWirklich fortfahren?");
    EXPECT_EQ(firmware::confirmationText(elm, 1, "2.10"),
              "Die zu ladende Firmware ist anders als die aktuelle am Gerät.\n\nAktuelle "
              "Version.Nordamerika (Version 2.10). Zu ladende Version: International (exkl. "
              "Nordamerika) (Version 2.10)\n\nWirklich fortfahren?");
}
