// tactl reg as users and scripts run it: the real program in a private
// state folder, its output and exit codes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/registry_store.h"
#include "tests/support/process.h"
#include "tests/support/temp_home.h"

namespace {

using testsupport::tactl;

class TactlTest : public ::testing::Test {
protected:
    testsupport::TempHome home_;
};

constexpr const char* kDir = "HKLM\\SOFTWARE\\Velka\\Tamo TA Common\\Directory";

TEST_F(TactlTest, HelpListsTheRegistryGroup) {
    const auto r = tactl({"help"});
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("\n  reg "), std::string::npos) << r.out;
    EXPECT_EQ(tactl({}).code, 2);
    const auto unknown = tactl({"nosuchgroup"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_NE(unknown.err.find("nosuchgroup"), std::string::npos);
}

TEST_F(TactlTest, QueryShowsInstallationDefaultsOnAFreshStore) {
    const auto r = tactl({"reg", "query", kDir});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("HKEY_LOCAL_MACHINE\\SOFTWARE\\Velka\\Tamo TA Common\\Directory\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("    Data    REG_SZ    "), std::string::npos) << r.out;
    const auto one =
        tactl({"reg", "query", "HKEY_LOCAL_MACHINE\\software\\velka\\tamo ta common\\directory",
               "/v", "install"});
    ASSERT_EQ(one.code, 0) << one.err;
    EXPECT_NE(one.out.find("    install    REG_SZ    "), std::string::npos) << one.out;
    EXPECT_EQ(one.out.find("Data"), std::string::npos);
    // The folder's default: the speeds it detects are stored.
    const auto view = tactl({"reg", "query", "HKLM\\SOFTWARE\\Velka\\Tamo TA Common\\View"});
    EXPECT_NE(view.out.find("    DetectOptimalCOMSpeed    REG_DWORD    0x1\n"), std::string::npos)
        << view.out;
}

TEST_F(TactlTest, AddWritesTypedValuesAndQueryShowsThem) {
    const struct {
        std::vector<std::string> add;
        const char* line;
    } rows[] = {
        {{"/v", "Name", "/t", "REG_SZ", "/d", "Tamo T/A"}, "    Name    REG_SZ    Tamo T/A\n"},
        {{"/v", "Name2", "/d", "ohne Typ"}, "    Name2    REG_SZ    ohne Typ\n"},
        {{"/v", "Speed", "/t", "REG_DWORD", "/d", "115200"}, "    Speed    REG_DWORD    0x1c200\n"},
        {{"/v", "Hex", "/t", "reg_dword", "/d", "0x1F"}, "    Hex    REG_DWORD    0x1f\n"},
        {{"/v", "Max", "/t", "REG_DWORD", "/d", "4294967295"},
         "    Max    REG_DWORD    0xffffffff\n"},
        {{"/ve", "/d", "Standard"}, "    (Standard)    REG_SZ    Standard\n"},
    };
    for (const auto& row : rows) {
        std::vector<std::string> args{"reg", "add", "HKCU\\Software\\Test"};
        args.insert(args.end(), row.add.begin(), row.add.end());
        const auto r = tactl(args);
        EXPECT_EQ(r.code, 0) << r.err;
    }
    const auto q = tactl({"reg", "query", "HKCU\\Software\\Test"});
    ASSERT_EQ(q.code, 0) << q.err;
    for (const auto& row : rows)
        EXPECT_NE(q.out.find(row.line), std::string::npos) << row.line << q.out;
}

TEST_F(TactlTest, BadInputIsAUsageErrorAndWritesNothing) {
    const std::vector<std::vector<std::string>> rows = {
        {"reg", "add", "HKCU\\T", "/v", "n", "/t", "REG_DWORD", "/d", "abc"},
        {"reg", "add", "HKCU\\T", "/v", "n", "/t", "REG_DWORD", "/d", "-1"},
        {"reg", "add", "HKCU\\T", "/v", "n", "/t", "REG_DWORD", "/d", "4294967296"},
        {"reg", "add", "HKCU\\T", "/v", "n", "/t", "REG_BINARY", "/d", "00"},
        {"reg", "add", "HKCU\\T", "/d", "ohne Namen"},
        {"reg", "add", "HKXY\\T"},
        {"reg", "add", "HKCU\\T", "/x"},
        {"reg", "add", "HKCU\\T", "/v"},
        {"reg", "frobnicate", "HKCU\\T"},
        {"reg", "query"},
        {"reg"},
        {"reg", "delete", "HKCU"},
    };
    for (const auto& args : rows) {
        const auto r = tactl(args);
        EXPECT_EQ(r.code, 2) << args.back();
        EXPECT_NE(r.err.find("FEHLER"), std::string::npos) << args.back();
    }
    EXPECT_EQ(tactl({"reg", "query", "HKCU\\T"}).code, 1);  // nothing was created
}

TEST_F(TactlTest, DeleteRemovesValuesAndWholeTrees) {
    ASSERT_EQ(tactl({"reg", "add", "HKLM\\SOFTWARE\\T\\A\\B", "/v", "x", "/d", "1"}).code, 0);
    ASSERT_EQ(tactl({"reg", "add", "HKLM\\SOFTWARE\\T\\C"}).code, 0);
    ASSERT_EQ(tactl({"reg", "add", "HKLM\\SOFTWARE\\T", "/v", "keep", "/d", "k"}).code, 0);
    const auto listing = tactl({"reg", "query", "HKLM\\SOFTWARE\\T"});
    EXPECT_NE(listing.out.find(
                  "\nHKEY_LOCAL_MACHINE\\SOFTWARE\\T\\A\nHKEY_LOCAL_MACHINE\\SOFTWARE\\T\\C\n"),
              std::string::npos)
        << listing.out;

    EXPECT_EQ(tactl({"reg", "delete", "HKLM\\SOFTWARE\\T\\A\\B", "/v", "X"}).code, 0);
    const auto gone = tactl({"reg", "query", "HKLM\\SOFTWARE\\T\\A\\B", "/v", "x"});
    EXPECT_EQ(gone.code, 1);
    EXPECT_NE(gone.err.find("nicht gefunden"), std::string::npos) << gone.err;
    EXPECT_EQ(tactl({"reg", "delete", "HKLM\\SOFTWARE\\T\\A\\B", "/v", "x"}).code, 1);

    // The whole tree, whatever the system line says about sub-keys.
    setenv("VELKA_TA_OS", "nt4", 1);
    const auto tree = tactl({"reg", "delete", "HKLM\\SOFTWARE\\T\\a", "/f"});
    unsetenv("VELKA_TA_OS");
    EXPECT_EQ(tree.code, 0) << tree.err;
    EXPECT_EQ(tactl({"reg", "query", "HKLM\\SOFTWARE\\T\\A"}).code, 1);
    EXPECT_EQ(tactl({"reg", "delete", "HKLM\\SOFTWARE\\T\\A"}).code, 1);
    const auto rest = tactl({"reg", "query", "HKLM\\SOFTWARE\\T", "/v", "keep"});
    EXPECT_EQ(rest.code, 0);

    // The program and this process share one store.
    platform::RegKey key;
    ASSERT_EQ(platform::RegKey::open(platform::RegRoot::LocalMachine, "SOFTWARE\\T\\C", key),
              platform::kOk);
}

}  // namespace
