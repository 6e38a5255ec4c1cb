// tactl read / write / export / import / reset as scripts run them: the real
// program against a simulated adapter on a pseudo-terminal.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "platform/ini_file.h"
#include "profile/profile_keys.h"
#include "registry/registry.h"
#include "tests/profile/sim_adapter.h"

using profiletest::Has;
using profiletest::Sent;
using profiletest::SimAdapter;
using testsupport::tactl;

namespace {

// A folder item for the simulator's port with its own profile names.
void AddFolderItem(const char* item, const char* name0) {
    const CRegistry key = CRegistry(std::string(kSuiteKey) + "\\Devices").SubKey(item);
    ASSERT_EQ(key.Create(), 0);
    ASSERT_EQ(key.WriteString("Port", "com7"), 0);
    for (int n = 0; n < 3; ++n) {
        const CRegistry p = key.SubKey("Profiles").SubKey(("Profile" + std::to_string(n)).c_str());
        const std::string name = n == 0 ? name0 : "Name " + std::to_string(n);
        ASSERT_TRUE(p.Create() == 0 && p.WriteString("Name", name.c_str()) == 0);
    }
}

}  // namespace

TEST(TactlProfiles, ReadPrintsEveryKeyOfEveryProfile) {
    sim::Scenario s = sim::defaultScenario(sim::Kind::Box, true);
    s.profile[1]["!N1"] = "4711";
    s.activeProfile = 1;
    SimAdapter adapter(s);
    ASSERT_TRUE(adapter.started());

    const auto r = tactl({"read", "COM7"});
    ASSERT_EQ(r.code, 0) << r.out << r.err;
    std::istringstream out(r.out);
    std::vector<std::string> lines;
    for (std::string line; std::getline(out, line);)
        lines.push_back(line.substr(0, line.find('=')));
    std::vector<std::string> expected = {"result", "Device Type", "Default Profile", "ISDN Type"};
    for (int n = 0; n < 3; ++n)
        for (const auto& key : profile::ProfileFileKeys())
            expected.push_back("P" + std::to_string(n) + "." + key.name);
    EXPECT_EQ(lines, expected);
    for (const char* line : {"result=0\nDevice Type=1\nDefault Profile=1\nISDN Type=1\n",
                             "\nP1.Primary Number1=4711\n", "\nP2.POTS Available=1\n",
                             "\nP0.Profile Name=Profil 0\n"})  // no folder item: the defaults
        EXPECT_TRUE(Has(r.out, line)) << line;
}

TEST(TactlProfiles, WriteChangesOnlyTheNamedSettings) {
    SimAdapter adapter(sim::defaultScenario(sim::Kind::Pro, false));
    ASSERT_TRUE(adapter.started());
    AddFolderItem("Device02", "Büro");

    auto r = tactl({"write", "COM7", "P2.Primary Number1=123", "p0.connect type=10",
                    "Default Profile=2", "P1.Profile Name=Reise"});
    ASSERT_EQ(r.code, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "result=0\n");
    EXPECT_TRUE(Sent(adapter, "AT&W2"));
    EXPECT_TRUE(Sent(adapter, "ATZ2"));

    r = tactl({"read", "COM7"});
    ASSERT_EQ(r.code, 0) << r.err;
    for (const char* line :
         {"\nDefault Profile=2\n", "\nP2.Primary Number1=123\n", "\nP0.Connect Type=10\n",
          "\nP1.Connect Type=12\n", "\nP0.Profile Name=Büro\n",
          "\nP1.Profile Name=Reise\n"})  // kept with the folder item
        EXPECT_TRUE(Has(r.out, line)) << line;
}

TEST(TactlProfiles, WriteRefusesBadArgumentsBeforeTouchingTheAdapter) {
    SimAdapter adapter(sim::defaultScenario(sim::Kind::Box, false));
    ASSERT_TRUE(adapter.started());
    const std::vector<std::vector<std::string>> bad = {
        {"write", "COM7"},
        {"write", "COM7", "P3.Connect Type=9"},
        {"write", "COM7", "P0.No Such Key=1"},
        {"write", "COM7", "P0.Connect Type=zehn"},
        {"write", "COM7", "P0.Port Settings=256"},
        {"write", "COM7", "P0.Primary Number1=1\nATZ"},
        // A value that would carry commands of its own to the adapter.
        {"write", "COM7", "P2.Primary Number1=2000&W0"},
        {"write", "COM7", "P1.Primary Number1=555!C1=9"},
        {"write", "COM7", "P0.X25 Facilities=02%A2=4"},
        {"write", "COM7", "P0.Connect Type=256"},
        {"write", "COM7", "P0.Primary Number1=1", "--kind", "3", "--region", "0"},
        {"write", "COM7", "P0.Primary Number1=1", "--kind", "1"},
        {"write", "COM7", "Default Profile=3"},
        {"write", "COM7", "P0.Region"},
        {"read"},
        {"export", "COM7"},
        {"import", "COM7"},
        {"reset"},
    };
    for (const auto& args : bad) {
        const auto r = tactl(args);
        EXPECT_EQ(r.code, 2) << args.back() << r.out;
        EXPECT_TRUE(Has(r.err, "Aufruf: tactl")) << args.back() << r.err;
    }
    const auto named = tactl({"write", "COM7", "P2.Primary Number1=2000&W0"});
    EXPECT_TRUE(Has(named.err, "\"P2.Primary Number1\": unzulässiges Zeichen")) << named.err;
    EXPECT_TRUE(adapter.Received().empty());
}

TEST(TactlProfiles, ExportThenImportIntoAMatchingAdapter) {
    sim::Scenario s = sim::defaultScenario(sim::Kind::Box6F, false);
    s.profile[0]["!N1"] = "301234";
    SimAdapter adapter(s);
    ASSERT_TRUE(adapter.started());
    AddFolderItem("Device01", "Zentrale");
    const std::string file = adapter.file("export.prf");

    auto r = tactl({"export", "COM7", file});
    ASSERT_EQ(r.code, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "result=0\n");
    const auto doc = platform::ini::Document::parse(testsupport::readFile(file));
    for (const auto& [section, key, value] :
         std::vector<std::tuple<const char*, const char*, const char*>>{
             {"General", "Device Type", "4"},
             {"General", "ISDN Type", "0"},
             {"Profile 0", "Profile Name", "Zentrale"},
             {"Profile 0", "Primary Number1", "301234"}})
        EXPECT_TRUE(doc.find(section, key) && *doc.find(section, key) == value) << key;

    // The same file, edited, into a box of the other variant.
    ASSERT_TRUE(
        platform::ini::writePrivateProfileString("Profile 0", "Primary Number1", "309999", file));
    ASSERT_TRUE(platform::ini::writePrivateProfileString("General", "Device Type", "1", file));
    adapter.ClearTranscript();
    r = tactl({"import", "COM7", file});
    ASSERT_EQ(r.code, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "result=0\n");
    EXPECT_TRUE(Sent(adapter, "AT!N1=309999!N2="));
    EXPECT_TRUE(Has(tactl({"read", "COM7"}).out, "\nP0.Primary Number1=309999\n"));
}

TEST(TactlProfiles, ImportRefusesAnotherKindAndBrokenFiles) {
    SimAdapter adapter(sim::defaultScenario(sim::Kind::Box, true));
    ASSERT_TRUE(adapter.started());
    const std::string pci = adapter.file("pci.prf"), empty = adapter.file("empty.prf");
    testsupport::writeFile(pci, "[General]\nDevice Type=8\nDefault Profile=0\nISDN Type=1\n");
    testsupport::writeFile(empty, "[General]\nDevice Type=\nDefault Profile=0\nISDN Type=1\n");

    auto r = tactl({"import", "COM7", pci});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "result=5003\n");
    EXPECT_TRUE(Has(r.err, "Gerätetypen stimmen nicht überein")) << r.err;
    EXPECT_FALSE(Sent(adapter, "AT&W"));
    EXPECT_FALSE(Sent(adapter, "AT!C1="));

    adapter.ClearTranscript();
    r = tactl({"import", "COM7", empty});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "result=5005\n");
    EXPECT_TRUE(adapter.Received().empty());
}

TEST(TactlProfiles, ResetSendsTheRestartOnlyAfterAnAnswer) {
    struct Row {
        bool silentFactoryReset;
        const char* out;
        std::vector<std::string> received;
    };
    const Row rows[] = {
        {false, "result=0\nfactoryReset=0\nrestart=0\n", {"ATV1E1&K3", "at>f", "atz"}},
        {true, "result=0\nfactoryReset=258\n", {"ATV1E1&K3", "at>f"}},
    };
    // Exit 0 only when "at>f" was answered "OK".
    for (const Row& row : rows) {
        sim::Scenario s = sim::defaultScenario(sim::Kind::Pci, false);
        if (row.silentFactoryReset) s.faults.silent.push_back({">f"});
        SimAdapter adapter(s);
        ASSERT_TRUE(adapter.started());
        const auto r = tactl({"reset", "COM7"});
        EXPECT_EQ(r.code, row.silentFactoryReset ? 1 : 0) << r.err;
        EXPECT_EQ(r.out, row.out);
        EXPECT_EQ(adapter.Received(), row.received);
    }
    const auto r = tactl({"reset", "COM42"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out, "result=0\n");
}
