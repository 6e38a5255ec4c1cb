// The registry store: names, order, values, deletion by system line,
// damaged data and several processes writing at once.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/paths.h"
#include "platform/registry_store.h"
#include "tests/support/env_guard.h"
#include "tests/support/temp_home.h"

using namespace platform;

namespace {

class RegistryStoreTest : public ::testing::Test {
protected:
    RegKey create(const std::string& path, RegRoot root = RegRoot::LocalMachine) {
        RegKey key;
        EXPECT_EQ(RegKey::create(root, path, key), kOk) << path;
        return key;
    }
    bool exists(const std::string& path, RegRoot root = RegRoot::LocalMachine) {
        RegKey key;
        return RegKey::open(root, path, key) == kOk;
    }
    // Writes a value row directly, as a damaged or foreign database might hold it.
    void plantRaw(std::int64_t type, const std::vector<std::uint8_t>& data) {
        RegKey key = create("Raw");
        ASSERT_EQ(key.setDword("v", 0), kOk);
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(paths::registryDbPath().c_str(), &db), SQLITE_OK);
        sqlite3_busy_timeout(db, 5000);
        sqlite3_stmt* st = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(db, "UPDATE vals SET type=?, data=? WHERE name='v'", -1, &st,
                                     nullptr),
                  SQLITE_OK);
        sqlite3_bind_int64(st, 1, type);
        sqlite3_bind_blob(st, 2, data.data(), static_cast<int>(data.size()), SQLITE_TRANSIENT);
        EXPECT_EQ(sqlite3_step(st), SQLITE_DONE);
        sqlite3_finalize(st);
        sqlite3_close(db);
    }
    testsupport::TempHome home_;
    testsupport::EnvGuard env_;
};

TEST_F(RegistryStoreTest, FreshOrDeletedStoreHoldsTheInstallationFolders) {
    for (int round = 0; round < 2; ++round) {
        RegKey dir;
        ASSERT_EQ(
            RegKey::open(RegRoot::LocalMachine, "software\\VELKA\\tamo ta common\\directory", dir),
            kOk);
        std::vector<std::string> names;
        ASSERT_EQ(dir.valueNames(names), kOk);
        EXPECT_EQ(names, (std::vector<std::string>{"Install", "Help", "Profiles", "ELM", "Data"}));
        const std::pair<const char*, std::string> folders[] = {{"data", paths::dataDir()},
                                                               {"Profiles", paths::profilesDir()},
                                                               {"ELM", paths::firmwareDir()}};
        for (const auto& [name, folder] : folders) {
            std::string text;
            ASSERT_EQ(dir.readString(name, text), kOk);
            EXPECT_EQ(text, folder + "/");
        }
        // A store deleted under a running suite comes back with its defaults.
        create("Before");
        for (const char* suffix : {"", "-wal", "-shm"})
            std::filesystem::remove(paths::registryDbPath() + suffix);
        EXPECT_FALSE(exists("Before"));
    }
}

TEST_F(RegistryStoreTest, NamesAreCaseInsensitiveAndKeepTheirFirstCase) {
    bool created = false;
    RegKey a;
    ASSERT_EQ(RegKey::create(RegRoot::CurrentUser, "Soft\\MixedCase\\Leaf", a, &created), kOk);
    EXPECT_TRUE(created);
    RegKey again;
    ASSERT_EQ(RegKey::create(RegRoot::CurrentUser, "SOFT\\mixedcase\\LEAF", again, &created), kOk);
    EXPECT_FALSE(created);
    ASSERT_EQ(a.setString("Value", "one"), kOk);
    ASSERT_EQ(again.setString("VALUE", "two"), kOk);
    std::vector<std::string> names;
    ASSERT_EQ(a.valueNames(names), kOk);
    EXPECT_EQ(names, std::vector<std::string>{"Value"});
    std::string text;
    ASSERT_EQ(a.readString("vAlUe", text), kOk);
    EXPECT_EQ(text, "two");

    RegKey parent;
    ASSERT_EQ(RegKey::open(RegRoot::CurrentUser, "soft", parent), kOk);
    ASSERT_EQ(parent.subKeyNames(names), kOk);
    EXPECT_EQ(names, std::vector<std::string>{"MixedCase"});
    // Roots are separate trees.
    EXPECT_FALSE(exists("Soft"));
    EXPECT_TRUE(exists("Soft", RegRoot::CurrentUser));
    EXPECT_FALSE(exists("Soft", RegRoot::ClassesRoot));
}

TEST_F(RegistryStoreTest, EnumeratesInCreationOrderAndKeepsOrderOnRewrite) {
    RegKey key = create("Order");
    for (const char* sub : {"zeta", "Alpha", "mid"}) create(std::string("Order\\") + sub);
    for (const char* v : {"z", "a", "m"}) ASSERT_EQ(key.setDword(v, 1), kOk);
    ASSERT_EQ(key.setString("A", "rewritten"), kOk);  // same value, new type and data

    std::string name;
    std::vector<std::string> keys;
    for (std::uint32_t i = 0; key.enumKey(i, name) == kOk; ++i) keys.push_back(name);
    EXPECT_EQ(keys, (std::vector<std::string>{"zeta", "Alpha", "mid"}));
    EXPECT_EQ(key.enumKey(3, name), kNoMoreItems);

    RegType type;
    ASSERT_EQ(key.enumValue(1, name, type), kOk);
    EXPECT_EQ(name, "a");
    EXPECT_EQ(type, RegType::String);
    EXPECT_EQ(key.enumValue(3, name, type), kNoMoreItems);
}

TEST_F(RegistryStoreTest, ValueSizesTypesAndShortBuffers) {
    RegKey key = create("Values");
    ASSERT_EQ(key.setString("s", "abc"), kOk);
    ASSERT_EQ(key.setDword("d", 0x12345678), kOk);
    ASSERT_EQ(key.setString("", "default"), kOk);

    RegType type;
    std::uint32_t size = 0;
    ASSERT_EQ(key.queryValueInfo("s", type, size), kOk);
    EXPECT_EQ(type, RegType::String);
    EXPECT_EQ(size, 4u);  // with its terminating zero
    ASSERT_EQ(key.queryValueInfo("d", type, size), kOk);
    EXPECT_EQ(type, RegType::Dword);
    EXPECT_EQ(size, 4u);

    char buf[8] = "xxxxxxx";
    size = 3;
    EXPECT_EQ(key.queryValue("s", type, buf, size), kMoreData);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(std::string(buf), "xxxxxxx");
    size = sizeof buf;
    ASSERT_EQ(key.queryValue("s", type, buf, size), kOk);
    EXPECT_EQ(std::string(buf), "abc");

    std::uint32_t number = 0;
    ASSERT_EQ(key.readDword("D", number), kOk);
    EXPECT_EQ(number, 0x12345678u);
    std::string text;
    EXPECT_EQ(key.readString("d", text), kInvalidData);
    EXPECT_EQ(key.readDword("s", number), kInvalidData);
    ASSERT_EQ(key.readString("", text), kOk);
    EXPECT_EQ(text, "default");
    EXPECT_EQ(key.readString("missing", text), kFileNotFound);

    EXPECT_EQ(key.deleteValue("S"), kOk);
    EXPECT_EQ(key.deleteValue("s"), kFileNotFound);
    EXPECT_EQ(key.readString("s", text), kFileNotFound);
}

TEST_F(RegistryStoreTest, RefusesMalformedPathsAndClosedKeys) {
    RegKey key;
    for (const char* bad : {"a\\\\b", "\\a", "a\\", "\\"})
        EXPECT_EQ(RegKey::create(RegRoot::LocalMachine, bad, key), kInvalidParameter) << bad;
    EXPECT_EQ(RegKey::create(RegRoot::LocalMachine, std::string(256, 'n'), key), kInvalidParameter);
    EXPECT_EQ(RegKey::create(RegRoot::LocalMachine, std::string(255, 'n'), key), kOk);
    EXPECT_EQ(RegKey::open(static_cast<RegRoot>(9), "x", key), kInvalidParameter);
    EXPECT_FALSE(key.isOpen());
    std::string text;
    EXPECT_EQ(key.readString("v", text), kInvalidHandle);
    EXPECT_EQ(key.setDword("v", 1), kInvalidHandle);

    RegKey moved = create("Moved");
    RegKey target(std::move(moved));
    EXPECT_FALSE(moved.isOpen());
    EXPECT_TRUE(target.isOpen());
    EXPECT_EQ(target.path(), "Moved");
}

TEST_F(RegistryStoreTest, KeyDeletedWhileOpenFailsEveryOperation) {
    RegKey held = create("Gone\\Child");
    RegKey parent = create("Gone");
    ASSERT_EQ(parent.deleteSubKey("child"), kOk);
    std::string text;
    EXPECT_EQ(held.setString("v", "x"), kFileNotFound);
    EXPECT_EQ(held.readString("v", text), kFileNotFound);
    std::vector<std::string> names;
    EXPECT_EQ(held.subKeyNames(names), kFileNotFound);
    // A new key of the same name is a different key.
    create("Gone\\Child");
    EXPECT_EQ(held.setString("v", "x"), kFileNotFound);
}

TEST_F(RegistryStoreTest, DeleteSubKeyFollowsTheSystemLine) {
    const struct {
        const char* os;
        std::int32_t withSubKeys;
    } rows[] = {{nullptr, kOk}, {"nt4", kAccessDenied}, {"nt5", kAccessDenied}};
    for (const auto& row : rows) {
        env_.set("VELKA_TA_OS", row.os);
        RegKey top = create("Del");
        RegKey leaf = create("Del\\Tree\\Mid\\Leaf");
        ASSERT_EQ(leaf.setString("v", "x"), kOk);
        EXPECT_EQ(top.deleteSubKey("tree"), row.withSubKeys) << (row.os ? row.os : "consumer");
        EXPECT_EQ(exists("Del\\Tree\\Mid\\Leaf"), row.withSubKeys != kOk);
        if (row.withSubKeys != kOk) {
            EXPECT_EQ(top.deleteSubKey("Tree\\Mid\\Leaf"), kOk);  // a leaf goes on every line
            EXPECT_FALSE(exists("Del\\Tree\\Mid\\Leaf"));
            EXPECT_EQ(top.deleteTree("Tree"), kOk);  // the tree on every line
        }
        EXPECT_FALSE(exists("Del\\Tree"));
        EXPECT_EQ(top.deleteTree("Tree"), kFileNotFound);
        EXPECT_EQ(top.deleteSubKey(""), kInvalidParameter);
    }
}

TEST_F(RegistryStoreTest, DamagedStoredValuesGiveErrorsNotGarbage) {
    std::string text;
    std::uint32_t number = 0;
    RegType type;
    std::vector<std::uint8_t> data;

    plantRaw(4, {1, 2, 3});  // a 32-bit value of three bytes
    RegKey key = create("Raw");
    EXPECT_EQ(key.readDword("v", number), kInvalidData);
    plantRaw(1, {'a', 'b'});  // a string without its terminating zero
    ASSERT_EQ(key.readString("v", text), kOk);
    EXPECT_EQ(text, "ab");
    plantRaw(77, {0xDE, 0xAD});  // a type nobody writes
    ASSERT_EQ(key.readRaw("v", type, data), kOk);
    EXPECT_EQ(valueDataText(type, data), "DEAD");
    EXPECT_EQ(typeName(type), "REG_UNKNOWN");
    EXPECT_EQ(key.readString("v", text), kInvalidData);
    plantRaw(1, std::vector<std::uint8_t>(kMaxValueBytes + 1, 'x'));
    EXPECT_EQ(key.readString("v", text), kInvalidData);
}

TEST(RegistryValues, ParseRootedKeysAndDecodeStoredBytes) {
    const struct {
        const char* text;
        bool ok;
        RegRoot root;
        const char* path;
    } keys[] = {
        {"HKLM\\SOFTWARE\\x", true, RegRoot::LocalMachine, "SOFTWARE\\x"},
        {"hkey_local_machine\\a", true, RegRoot::LocalMachine, "a"},
        {"HKCU", true, RegRoot::CurrentUser, ""},
        {"HKCR\\", true, RegRoot::ClassesRoot, ""},
        {"HKEY_DYN_DATA\\Config Manager\\Enum", true, RegRoot::DynData, "Config Manager\\Enum"},
        {"HKU\\x", false, RegRoot::LocalMachine, ""},
        {"", false, RegRoot::LocalMachine, ""},
        {"HKLMX\\a", false, RegRoot::LocalMachine, ""},
    };
    for (const auto& row : keys) {
        RegRoot root = RegRoot::LocalMachine;
        std::string path;
        EXPECT_EQ(parseRootedKey(row.text, root, path), row.ok) << row.text;
        if (!row.ok) continue;
        EXPECT_EQ(root, row.root) << row.text;
        EXPECT_EQ(path, row.path) << row.text;
    }

    const struct {
        std::vector<std::uint8_t> data;
        std::int32_t rc;
        std::uint32_t value;
    } dwords[] = {
        {{0x78, 0x56, 0x34, 0x12}, kOk, 0x12345678},
        {{0xFF, 0xFF, 0xFF, 0xFF}, kOk, 0xFFFFFFFF},
        {{}, kInvalidData, 7},
        {{1, 2, 3}, kInvalidData, 7},
        {{1, 2, 3, 4, 5}, kInvalidData, 7},
    };
    for (const auto& row : dwords) {
        std::uint32_t value = 7;
        EXPECT_EQ(decodeDword(row.data, value), row.rc);
        EXPECT_EQ(value, row.value);
    }
    const struct {
        std::vector<std::uint8_t> data;
        const char* text;
    } strings[] = {
        {{}, ""}, {{0}, ""}, {{'a', 'b', 0}, "ab"}, {{'a', 0, 'b', 0}, "a"}, {{'x', 'y'}, "xy"}};
    for (const auto& row : strings) {
        std::string text = "old";
        EXPECT_EQ(decodeString(row.data, text), kOk);
        EXPECT_EQ(text, row.text);
    }
    EXPECT_EQ(valueDataText(RegType::Dword, encodeDword(31)), "0x1f");
    EXPECT_EQ(valueDataText(RegType::Dword, {1, 2}), "0102");
}

// Writes `count` values named <prefix><n> into one key, each in its own
// transaction, as separate programs would.
void writeMany(const char* prefix, int count) {
    for (int i = 0; i < count; ++i) {
        RegKey key;
        if (RegKey::create(RegRoot::LocalMachine, "SOFTWARE\\Shared", key) != kOk) _exit(3);
        if (key.setDword(std::string(prefix) + std::to_string(i), static_cast<std::uint32_t>(i)) !=
            kOk)
            _exit(4);
    }
}

TEST_F(RegistryStoreTest, TwoProcessesWritingAtOnceLoseNoValue) {
    constexpr int kPerProcess = 500;
    create("SOFTWARE");  // both children find the database ready
    int go[2];
    ASSERT_EQ(pipe(go), 0);
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = fork();
        ASSERT_GE(children[c], 0);
        if (children[c] == 0) {
            ::close(go[1]);
            char start;
            if (::read(go[0], &start, 1) != 0) _exit(2);  // released together when the pipe closes
            writeMany(c == 0 ? "first" : "second", kPerProcess);
            // A normal exit, so leak checking also covers the connection the
            // child inherited from this process.
            std::exit(0);
        }
    }
    ::close(go[0]);
    ::close(go[1]);
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
    }
    RegKey key;
    ASSERT_EQ(RegKey::open(RegRoot::LocalMachine, "software\\shared", key), kOk);
    std::vector<std::string> names;
    ASSERT_EQ(key.valueNames(names), kOk);
    EXPECT_EQ(names.size(), 2u * kPerProcess);
    for (const char* prefix : {"first", "second"}) {
        for (int i = 0; i < kPerProcess; ++i) {
            std::uint32_t value = 0;
            ASSERT_EQ(key.readDword(std::string(prefix) + std::to_string(i), value), kOk)
                << prefix << i;
            EXPECT_EQ(value, static_cast<std::uint32_t>(i));
        }
    }
}

TEST_F(RegistryStoreTest, ThreadsShareTheStoreSafely) {
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t] {
            for (int i = 0; i < 50; ++i) {
                RegKey key;
                ASSERT_EQ(
                    RegKey::create(RegRoot::CurrentUser, "Threads\\T" + std::to_string(t), key),
                    kOk);
                ASSERT_EQ(key.setString("v" + std::to_string(i), "x"), kOk);
            }
        });
    for (auto& th : threads) th.join();
    for (int t = 0; t < 4; ++t) {
        RegKey key;
        ASSERT_EQ(RegKey::open(RegRoot::CurrentUser, "Threads\\T" + std::to_string(t), key), kOk);
        std::vector<std::string> names;
        ASSERT_EQ(key.valueNames(names), kOk);
        EXPECT_EQ(names.size(), 50u);
    }
}

}  // namespace
