// tactl's answers must be true for a script: exit 0 only when the adapter
// holds what was asked, no value that reaches a command line can add a
// command, and what a file lacks stays as the adapter had it. The real
// program against a simulated adapter on a pseudo-terminal.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/ini_file.h"
#include "tests/profile/sim_adapter.h"

using profiletest::Has;
using profiletest::Sent;
using profiletest::SimAdapter;
using testsupport::tactl;

namespace {

std::vector<std::string> ProfileLines(const std::string& readOut) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while ((at = readOut.find("\nP", at)) != std::string::npos) {
        const std::size_t end = readOut.find('\n', at + 1);
        lines.push_back(readOut.substr(at + 1, end - at - 1));
        at = end;
    }
    return lines;
}

const char* kGeneralBox = "[General]\nDevice Type=1\nDefault Profile=0\nISDN Type=0\n";

}  // namespace

// Every file that cannot be imported is refused before the port is opened:
// unreadable ones, and one whose value would smuggle a command in.
TEST(TactlResults, ImportRefusesBadFilesBeforeOpeningThePort) {
    SimAdapter adapter(sim::defaultScenario(sim::Kind::Box, false));
    ASSERT_TRUE(adapter.started());
    const std::string empty = adapter.file("empty.prf"), fifo = adapter.file("fifo.prf"),
                      huge = adapter.file("huge.prf"), folder = adapter.file("folder.prf"),
                      injected = adapter.file("injected.prf"), noKind = adapter.file("nokind.prf");
    testsupport::writeFile(empty, "");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    testsupport::writeFile(huge, kGeneralBox);
    std::filesystem::resize_file(huge, 17u * 1024 * 1024);
    std::filesystem::create_directory(folder);
    testsupport::writeFile(injected,
                           std::string(kGeneralBox) + "[Profile 1]\nPrimary Number1=4000&W0\n");
    testsupport::writeFile(noKind, "[General]\nDefault Profile=0\n");

    struct Row {
        std::string file, result, message;
    };
    const Row rows[] = {
        {adapter.file("missing.prf"), "20303", "gibt es nicht"},
        {empty, "20303", "ist leer"},
        {fifo, "20303", "keine gewöhnliche Datei"},
        {"/dev/zero", "20303", "keine gewöhnliche Datei"},
        {folder, "20303", "keine gewöhnliche Datei"},
        {huge, "20303", "zu groß"},
        {injected, "20300",
         "Abschnitt [Profile 1], Schlüssel \"Primary Number1\": unzulässiges Zeichen"},
        {noKind, "5005", "fehlt der Gerätetyp"},
    };
    for (const Row& row : rows) {
        const auto r = tactl({"import", "COM7", row.file});
        EXPECT_EQ(r.code, 1) << row.file;
        EXPECT_EQ(r.out, "result=" + row.result + "\n") << row.file;
        EXPECT_TRUE(Has(r.err, row.message)) << row.file << ": " << r.err;
    }
    EXPECT_TRUE(adapter.Received().empty());
}

// Lines the adapter answers with "ERROR" do not stop the write, but the
// command names each and fails; the result stays that of the writer.
TEST(TactlResults, RefusedLinesAreReportedAndFail) {
    sim::Scenario s = sim::defaultScenario(sim::Kind::Box, false);
    s.faults.error.push_back({"!T1=*"});
    SimAdapter adapter(s);
    ASSERT_TRUE(adapter.started());
    const auto r = tactl({"write", "COM7", "P0.Primary Number2=4711"});
    EXPECT_EQ(r.code, 1) << r.err;
    EXPECT_EQ(r.out,
              "result=0\nrefused=AT!T1=0!T2=0\nrefused=AT!T1=0!T2=0\nrefused=AT!T1=0!T2=0\n");
    EXPECT_TRUE(Has(r.err, "mit \"ERROR\" abgelehnt")) << r.err;
    EXPECT_TRUE(Sent(adapter, "ATZ0"));
}

// What the file does not hold stays as the adapter has it: a file with only
// "General" changes nothing, an older file without the adapter-only keys
// keeps T1, T2, N5 and the Pro option, and an export brings them back.
TEST(TactlResults, ImportLaysTheFileOverTheAdaptersProfiles) {
    sim::Scenario s = sim::defaultScenario(sim::Kind::Pro, false);
    for (auto& profile : s.profile) {
        profile["!T1"] = "5";
        profile["!T2"] = "6";
        profile["!N5"] = "77";
        profile["!O"] = "1";
        profile["!N1"] = "301234";
    }
    SimAdapter adapter(s);
    ASSERT_TRUE(adapter.started());
    const auto before = tactl({"read", "COM7"});
    ASSERT_EQ(before.code, 0) << before.err;

    const std::string general = adapter.file("general.prf"), older = adapter.file("older.prf");
    testsupport::writeFile(general, "[General]\nDevice Type=2\n");
    testsupport::writeFile(older,
                           "[General]\nDevice Type=2\n[Profile 2]\nPrimary Number1=309999\n");
    auto r = tactl({"import", "COM7", general});
    ASSERT_EQ(r.code, 0) << r.out << r.err;
    EXPECT_FALSE(Has(testsupport::readFile(adapter.file("transcript.log")), "Unknown"));
    EXPECT_EQ(ProfileLines(tactl({"read", "COM7"}).out), ProfileLines(before.out));

    adapter.ClearTranscript();
    r = tactl({"import", "COM7", older});
    ASSERT_EQ(r.code, 0) << r.out << r.err;
    EXPECT_TRUE(Sent(adapter, "AT!N1=309999!N2="));
    EXPECT_TRUE(Sent(adapter, "AT!N1=301234!N2="));
    for (const char* line : {"AT!T1=5!T2=6", "AT!N5=77", "AT!O1"})
        EXPECT_TRUE(Sent(adapter, line)) << line;

    // Export onto a foreign file replaces it; the file carries T1 and T2.
    const std::string exported = adapter.file("export.prf");
    testsupport::writeFile(exported, "[Fremd]\nSchluessel=1\n");
    r = tactl({"export", "COM7", exported});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto doc = platform::ini::Document::parse(testsupport::readFile(exported));
    EXPECT_FALSE(doc.hasSection("Fremd"));
    ASSERT_NE(doc.find("Profile 1", "T1 Setting"), nullptr);
    EXPECT_EQ(*doc.find("Profile 1", "T1 Setting"), "5");

    // The adapter's routing changes; the exported file brings it back.
    ASSERT_EQ(tactl({"write", "COM7", "P1.T1 Setting=9", "--kind", "2", "--region", "0"}).code, 0);
    adapter.ClearTranscript();
    r = tactl({"import", "COM7", exported, "--kind", "2", "--region", "0"});
    ASSERT_EQ(r.code, 0) << r.out << r.err;
    EXPECT_TRUE(Sent(adapter, "AT!T1=5!T2=6"));
    EXPECT_FALSE(Sent(adapter, "AT!T1=9"));
    EXPECT_FALSE(Sent(adapter, "atI8"));  // --kind and --region: no status query
}

// Groups the adapter did not list whole are not written back unless forced.
TEST(TactlResults, AMalformedListingIsNotWrittenBack) {
    sim::Scenario s = sim::defaultScenario(sim::Kind::Box, false);
    s.faults.malformedListing = true;
    SimAdapter adapter(s);
    ASSERT_TRUE(adapter.started());
    auto r = tactl({"write", "COM7", "P0.Region=2", "--kind", "1", "--region", "0"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "result=20302\n");
    EXPECT_TRUE(Has(r.err, "P1: Leitung; P2: Leitung")) << r.err;
    EXPECT_FALSE(Sent(adapter, "AT!C1="));

    r = tactl({"write", "COM7", "P0.Region=2", "--kind", "1", "--region", "0", "--force"});
    EXPECT_TRUE(Sent(adapter, "AT!C1=")) << r.out << r.err;
}

// What went wrong is said, and said at once.
TEST(TactlResults, FailuresAreNamed) {
    {
        sim::Scenario s = sim::defaultScenario(sim::Kind::Box, false);
        s.firmware = sim::Firmware::BootState;
        SimAdapter adapter(s);
        ASSERT_TRUE(adapter.started());
        const auto r = tactl({"read", "COM7"});
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.out, "result=20301\n");
        EXPECT_TRUE(Has(r.err, "Urlader")) << r.err;
        EXPECT_FALSE(Sent(adapter, "AT&V"));
    }
    {
        sim::Scenario s = sim::defaultScenario(sim::Kind::Box, false);
        s.faults.silentAfter = 0;
        SimAdapter adapter(s);
        ASSERT_TRUE(adapter.started());
        const auto r = tactl({"speed", "COM7"});
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.out, "speed=0\n");
        EXPECT_TRUE(Has(r.err, "keiner Geschwindigkeit")) << r.err;

        // Profile names live with the folder item; COM7 has none.
        const auto names = tactl({"write", "COM7", "P0.Profile Name=Büro"});
        EXPECT_EQ(names.code, 1);
        EXPECT_EQ(names.out, "result=14000\n");
        EXPECT_TRUE(Has(names.err, "Geräteordner")) << names.err;
        EXPECT_TRUE(adapter.Received().size() < 20u);
    }
    const auto missing = tactl({"read", "COM42"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(Has(missing.err, "kann nicht geöffnet werden")) << missing.err;

    for (const char* group : {"status", "detect", "read", "write", "export", "import", "reset",
                              "map", "ports", "speed", "reg"}) {
        const auto r = tactl({group, "help"});
        EXPECT_EQ(r.code, 0) << group << r.err;
        EXPECT_TRUE(Has(r.out, "Aufruf")) << group;
    }
    EXPECT_TRUE(Has(tactl({"write", "help"}).out, "Connect Type"));
    EXPECT_TRUE(Has(tactl({"write", "help"}).out, "9 bis 12"));
}
