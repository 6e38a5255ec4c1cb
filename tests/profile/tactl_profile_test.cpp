// tactl read / write / export / import / reset as scripts run them: the real
// program against a simulated adapter on a pseudo-terminal.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "profile/profile_keys.h"
#include "registry/registry.h"
#include "tests/profile/sim_adapter.h"
#include "tests/support/temp_home.h"

using profiletest::SimAdapter;

namespace {

struct Result {
    int code = -1;
    std::string out;
    std::string err;
};

std::string Quote(const std::string& arg) {
    std::string q = "'";
    for (char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs tactl in the state folder that is current (the simulator's).
Result Tactl(const std::vector<std::string>& args) {
    const std::string dir = std::getenv("VELKA_TA_HOME");
    std::string cmd = Quote(testsupport::binDir() + "/tactl");
    for (const std::string& a : args) cmd += " " + Quote(a);
    cmd += " >" + Quote(dir + "/tactl.out") + " 2>" + Quote(dir + "/tactl.err");
    const int status = std::system(cmd.c_str());
    Result r;
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = testsupport::readFile(dir + "/tactl.out");
    r.err = testsupport::readFile(dir + "/tactl.err");
    return r;
}

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool Has(const std::string& text, const std::string& what) {
    return text.find(what) != std::string::npos;
}

bool Sent(const SimAdapter& adapter, const std::string& start) {
    for (const std::string& line : adapter.Received())
        if (line.rfind(start, 0) == 0) return true;
    return false;
}

// A folder item for the simulator's port with its own profile names.
void AddFolderItem(const char* item, const char* name0) {
    const CRegistry key = CRegistry(std::string(kSuiteKey) + "\\Devices").SubKey(item);
    ASSERT_EQ(key.Create(), 0);
    ASSERT_EQ(key.WriteString("Port", "com7"), 0);
    for (int n = 0; n < 3; ++n) {
        const CRegistry p = key.SubKey("Profiles").SubKey(("Profile" + std::to_string(n)).c_str());
        ASSERT_EQ(p.Create(), 0);
        ASSERT_EQ(p.WriteString("Name", n == 0 ? name0 : ("Name " + std::to_string(n)).c_str()), 0);
    }
}

std::string FileValue(const std::string& path, const std::string& section, const std::string& key) {
    std::string current;
    for (const std::string& raw : LinesOf(testsupport::readFile(path))) {
        std::string line = raw;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line.front() == '[') current = line.substr(1, line.size() - 2);
        else if (current == section && line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
    }
    return "<missing>";
}

}  // namespace

TEST(TactlProfiles, ReadPrintsEveryKeyOfEveryProfile) {
    sim::Scenario s = sim::defaultScenario(sim::Kind::Box, true);
    s.profile[1]["!N1"] = "4711";
    s.activeProfile = 1;
    SimAdapter adapter(s);
    ASSERT_TRUE(adapter.started());

    const Result r = Tactl({"read", "COM7"});
    ASSERT_EQ(r.code, 0) << r.out << r.err;
    const auto lines = LinesOf(r.out);
    ASSERT_EQ(lines.size(), 4u + 3u * profile::ProfileFileKeys().size()) << r.out;
    EXPECT_EQ(lines[0], "result=0");
    EXPECT_EQ(lines[1], "Device Type=1");
    EXPECT_EQ(lines[2], "Default Profile=1");
    EXPECT_EQ(lines[3], "ISDN Type=1");
    std::size_t at = 4;
    for (int n = 0; n < 3; ++n)
        for (const auto& key : profile::ProfileFileKeys())
            EXPECT_EQ(lines[at++].rfind("P" + std::to_string(n) + "." + key.name + "=", 0), 0u)
                << lines[at - 1];
    EXPECT_TRUE(Has(r.out, "\nP1.Primary Number1=4711\n"));
    EXPECT_TRUE(Has(r.out, "\nP0.Profile Name=Profil 0\n"));  // no folder item: the defaults
    EXPECT_TRUE(Has(r.out, "\nP2.POTS Available=1\n"));
}

TEST(TactlProfiles, WriteChangesOnlyTheNamedSettings) {
    SimAdapter adapter(sim::defaultScenario(sim::Kind::Pro, false));
    ASSERT_TRUE(adapter.started());
    AddFolderItem("Device02", "Büro");

    Result r = Tactl({"write", "COM7", "P2.Primary Number1=123", "p0.connect type=10",
                      "Default Profile=2", "P1.Profile Name=Reise"});
    ASSERT_EQ(r.code, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "result=0\n");
    EXPECT_TRUE(Sent(adapter, "AT&W2"));
    EXPECT_TRUE(Sent(adapter, "ATZ2"));

    r = Tactl({"read", "COM7"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(Has(r.out, "\nDefault Profile=2\n"));
    EXPECT_TRUE(Has(r.out, "\nP2.Primary Number1=123\n"));
    EXPECT_TRUE(Has(r.out, "\nP0.Connect Type=10\n"));
    EXPECT_TRUE(Has(r.out, "\nP1.Connect Type=12\n"));
    EXPECT_TRUE(Has(r.out, "\nP0.Profile Name=Büro\n"));
    EXPECT_TRUE(Has(r.out, "\nP1.Profile Name=Reise\n"));  // kept with the folder item
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
        {"write", "COM7", "Default Profile=3"},
        {"write", "COM7", "P0.Region"},
        {"read"},
        {"export", "COM7"},
        {"import", "COM7"},
        {"reset"},
    };
    for (const auto& args : bad) {
        const Result r = Tactl(args);
        EXPECT_EQ(r.code, 2) << args.back() << r.out;
        EXPECT_TRUE(Has(r.err, "Aufruf: tactl")) << args.back() << r.err;
    }
    EXPECT_TRUE(adapter.Received().empty());
}

TEST(TactlProfiles, ExportThenImportIntoAMatchingAdapter) {
    sim::Scenario s = sim::defaultScenario(sim::Kind::Box6F, false);
    s.profile[0]["!N1"] = "301234";
    SimAdapter adapter(s);
    ASSERT_TRUE(adapter.started());
    AddFolderItem("Device01", "Zentrale");
    const std::string file = std::string(std::getenv("VELKA_TA_HOME")) + "/export.prf";

    Result r = Tactl({"export", "COM7", file});
    ASSERT_EQ(r.code, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "result=0\n");
    EXPECT_EQ(FileValue(file, "General", "Device Type"), "4");
    EXPECT_EQ(FileValue(file, "General", "ISDN Type"), "0");
    EXPECT_EQ(FileValue(file, "Profile 0", "Profile Name"), "Zentrale");
    EXPECT_EQ(FileValue(file, "Profile 0", "Primary Number1"), "301234");

    // The same file, edited, into a box of the other variant.
    std::string text = testsupport::readFile(file);
    const std::string from = "Primary Number1=301234";
    text.replace(text.find(from), from.size(), "Primary Number1=309999");
    const std::string type = "Device Type=4";
    text.replace(text.find(type), type.size(), "Device Type=1");
    testsupport::writeFile(file, text);

    adapter.ClearTranscript();
    r = Tactl({"import", "COM7", file});
    ASSERT_EQ(r.code, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "result=0\n");
    EXPECT_TRUE(Sent(adapter, "AT!N1=309999!N2="));
    r = Tactl({"read", "COM7"});
    EXPECT_TRUE(Has(r.out, "\nP0.Primary Number1=309999\n")) << r.out;
}

TEST(TactlProfiles, ImportRefusesAnotherKindAndBrokenFiles) {
    SimAdapter adapter(sim::defaultScenario(sim::Kind::Box, true));
    ASSERT_TRUE(adapter.started());
    const std::string dir = std::getenv("VELKA_TA_HOME");
    testsupport::writeFile(dir + "/pci.prf",
                           "[General]\r\nDevice Type=8\r\nDefault Profile=0\r\nISDN Type=1\r\n");
    testsupport::writeFile(dir + "/empty.prf",
                           "[General]\r\nDevice Type=\r\nDefault Profile=0\r\nISDN Type=1\r\n");

    Result r = Tactl({"import", "COM7", dir + "/pci.prf"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "result=5003\n");
    EXPECT_TRUE(Has(r.err, "Gerätetypen stimmen nicht überein")) << r.err;
    EXPECT_FALSE(Sent(adapter, "AT&W"));
    EXPECT_FALSE(Sent(adapter, "AT!C1="));

    adapter.ClearTranscript();
    r = Tactl({"import", "COM7", dir + "/empty.prf"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "result=5005\n");
    EXPECT_TRUE(adapter.Received().empty());
}

TEST(TactlProfiles, ResetSendsTheRestartOnlyAfterAnAnswer) {
    {
        SimAdapter adapter(sim::defaultScenario(sim::Kind::Pci, false));
        ASSERT_TRUE(adapter.started());
        const Result r = Tactl({"reset", "COM7"});
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out, "result=0\nfactoryReset=0\nrestart=0\n");
        EXPECT_EQ(adapter.Received(), (std::vector<std::string>{"ATV1E1&K3", "at>f", "atz"}));
    }
    {
        sim::Scenario s = sim::defaultScenario(sim::Kind::Pci, false);
        s.faults.silent.push_back({">f"});
        SimAdapter adapter(s);
        ASSERT_TRUE(adapter.started());
        const Result r = Tactl({"reset", "COM7"});
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out, "result=0\nfactoryReset=258\n");
        EXPECT_EQ(adapter.Received(), (std::vector<std::string>{"ATV1E1&K3", "at>f"}));
    }
    const Result r = Tactl({"reset", "COM42"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out, "result=0\n");
}
