// CRegistry over a real store: codes, the read and write limits, key
// creation and deletion on every system line, and sub-key naming.
#include "registry/registry.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/env_guard.h"
#include "tests/support/temp_home.h"

using namespace registry;
using platform::RegKey;
using platform::RegRoot;

namespace {

class CRegistryTest : public ::testing::Test {
protected:
    static bool keyExists(RegRoot root, const std::string& path) {
        RegKey key;
        return RegKey::open(root, path, key) == platform::kOk;
    }
    testsupport::TempHome home_;
    testsupport::EnvGuard env_;
    CRegistry suite_{kSuiteKey};
};

TEST_F(CRegistryTest, ReadStringHonoursTheThreeHundredByteBuffer) {
    const CRegistry key = suite_.SubKey("Limits");
    ASSERT_EQ(key.Create(), kRegOk);
    RegKey raw;
    ASSERT_EQ(key.Open(raw), kRegOk);
    const struct {
        std::size_t length;
        std::int32_t rc;
    } rows[] = {
        {0, kRegOk}, {1, kRegOk}, {299, kRegOk}, {300, kRegCannotRead}, {1000, kRegCannotRead}};
    for (const auto& row : rows) {
        // Stored through the store directly: the wrapper itself would refuse
        // to write texts this long.
        const std::string text(row.length, 'x');
        ASSERT_EQ(raw.setString("Text", text), platform::kOk);
        char buffer[kRegReadBufferSize];
        std::memset(buffer, '?', sizeof buffer);
        EXPECT_EQ(key.ReadString("Text", buffer), row.rc) << row.length;
        if (row.rc == kRegOk) {
            EXPECT_EQ(std::string(buffer), text);
        } else {
            EXPECT_EQ(buffer[0], '?') << "buffer touched for length " << row.length;
            EXPECT_EQ(buffer[kRegReadBufferSize - 1], '?');
        }
        std::string out = "unchanged";
        EXPECT_EQ(key.ReadString("Text", out), row.rc);
        EXPECT_EQ(out, row.rc == kRegOk ? text : "unchanged");
    }
    char buffer[kRegReadBufferSize] = "old";
    EXPECT_EQ(key.ReadString("Missing", buffer), kRegCannotRead);
    ASSERT_EQ(key.WriteDword("Number", 5), kRegOk);
    EXPECT_EQ(key.ReadString("Number", buffer), kRegCannotRead);  // not a string
    EXPECT_EQ(key.ReadString("Text", static_cast<char*>(nullptr)), kRegCannotRead);
}

TEST_F(CRegistryTest, WriteStringRefusesTextsBeyondTheWriteLimit) {
    const CRegistry key = suite_.SubKey("Write");
    ASSERT_EQ(key.Create(), kRegOk);
    const std::string fits(kRegWriteLimit - 1, 'a');
    ASSERT_EQ(key.WriteString("Path", fits.c_str()), kRegOk);
    std::string back;
    ASSERT_EQ(key.ReadString("Path", back), kRegOk);
    EXPECT_EQ(back, fits);
    const std::string tooLong(kRegWriteLimit, 'b');
    EXPECT_EQ(key.WriteString("Path", tooLong.c_str()), kRegCannotWrite);
    EXPECT_EQ(key.WriteString("Other", tooLong.c_str()), kRegCannotWrite);
    ASSERT_EQ(key.ReadString("Path", back), kRegOk);
    EXPECT_EQ(back, fits);                                     // the old value stays
    EXPECT_EQ(key.ReadString("Other", back), kRegCannotRead);  // nothing written
    EXPECT_EQ(key.WriteString("Null", nullptr), kRegCannotWrite);
}

TEST_F(CRegistryTest, CodesForMissingKeysAndValues) {
    const CRegistry missing = suite_.SubKey("Missing");
    char buffer[kRegReadBufferSize] = "";
    std::uint32_t number = 9;
    EXPECT_EQ(missing.ReadString("x", buffer), kRegCannotOpen);
    EXPECT_EQ(missing.ReadDword("x", number), kRegCannotOpen);
    EXPECT_EQ(missing.WriteString("x", "y"), kRegCannotOpen);
    EXPECT_EQ(missing.WriteDword("x", 1), kRegCannotOpen);
    EXPECT_EQ(missing.DeleteValue("x"), kRegCannotOpen);
    EXPECT_EQ(missing.DeleteKey(), kRegCannotDelete);
    EXPECT_FALSE(keyExists(RegRoot::LocalMachine, missing.Path()));  // none of these created it

    ASSERT_EQ(missing.Create(), kRegOk);
    EXPECT_EQ(missing.ReadDword("x", number), kRegCannotRead);
    EXPECT_EQ(number, 9u);
    ASSERT_EQ(missing.WriteString("s", "text"), kRegOk);
    EXPECT_EQ(missing.ReadDword("s", number), kRegCannotRead);  // not a 32-bit value
    ASSERT_EQ(missing.WriteDword("n", 0xCAFE), kRegOk);
    ASSERT_EQ(missing.ReadDword("n", number), kRegOk);
    EXPECT_EQ(number, 0xCAFEu);
    EXPECT_EQ(missing.DeleteValue("N"), kRegOk);
    EXPECT_EQ(missing.DeleteValue("n"), kRegCannotDelete);
    ASSERT_EQ(missing.WriteString(nullptr, "default"), kRegOk);
    std::string text;
    ASSERT_EQ(missing.ReadString("", text), kRegOk);
    EXPECT_EQ(text, "default");
}

TEST_F(CRegistryTest, ExistsCreatesNothingAndCreateMakesParents) {
    const CRegistry deep = suite_.SubKey("Devices").SubKey("Device07").SubKey("Profiles");
    EXPECT_EQ(deep.Exists(), kRegCannotOpen);
    EXPECT_FALSE(keyExists(RegRoot::LocalMachine, std::string(kSuiteKey) + "\\Devices"));
    ASSERT_EQ(deep.Create(), kRegOk);
    EXPECT_EQ(deep.Exists(), kRegOk);
    EXPECT_EQ(deep.Create(), kRegOk);  // a second time too
    EXPECT_TRUE(keyExists(RegRoot::LocalMachine, std::string(kSuiteKey) + "\\devices\\device07"));

    RegKey key;
    EXPECT_EQ(deep.Open(key), kRegOk);
    EXPECT_TRUE(key.isOpen());
    EXPECT_EQ(suite_.SubKey("Nope").Open(key), kRegCannotOpen);
    EXPECT_FALSE(key.isOpen());  // a failed open leaves no handle behind
    EXPECT_EQ(CRegistry(RegRoot::LocalMachine, "bad\\\\path").Create(), kRegCannotCreate);
}

TEST_F(CRegistryTest, DeleteKeyRemovesEveryLevelButNeverARootOnEverySystemVersion) {
    ASSERT_EQ(CRegistry(RegRoot::CurrentUser, "Keep").Create(), kRegOk);
    for (const char* os : {"", "nt3", "nt4", "nt5"}) {
        SCOPED_TRACE(os);
        env_.set("VELKA_TA_OS", os);
        const CRegistry top = suite_.SubKey("Tree");
        ASSERT_EQ(top.SubKey("A").SubKey("A1").Create(), kRegOk);
        ASSERT_EQ(top.SubKey("A").SubKey("A2").Create(), kRegOk);
        ASSERT_EQ(top.SubKey("B").SubKey("B1").SubKey("B11").Create(), kRegOk);
        ASSERT_EQ(top.SubKey("B").SubKey("B1").WriteString("v", "x"), kRegOk);
        ASSERT_EQ(top.WriteDword("top", 1), kRegOk);
        EXPECT_EQ(top.DeleteKey(), kRegOk);
        EXPECT_EQ(top.Exists(), kRegCannotOpen);
        EXPECT_EQ(top.SubKey("B").SubKey("B1").Exists(), kRegCannotOpen);
        EXPECT_EQ(suite_.Exists(), kRegOk);  // the parent stays
        EXPECT_EQ(top.DeleteKey(), kRegCannotDelete);
        EXPECT_EQ(CRegistry(RegRoot::CurrentUser, "").DeleteKey(), kRegEmptyName);
        EXPECT_TRUE(keyExists(RegRoot::CurrentUser, "Keep"));
    }
}

}  // namespace
