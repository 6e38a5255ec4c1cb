// Modem installations in a real store: the keys and values the folder's
// enumeration reads, reinstalling, removing, and the NT line's class keys.
#include "device/modem_records.h"

#include <gtest/gtest.h>

#include "platform/device_type.h"
#include "platform/registry_store.h"
#include "tests/support/env_guard.h"
#include "tests/support/temp_home.h"

using platform::RegKey;
using platform::RegRoot;

namespace {

std::string value(const std::string& path, const char* name) {
    RegKey key;
    std::string text;
    if (RegKey::open(RegRoot::LocalMachine, path, key) != platform::kOk) return "<no key>";
    if (key.readString(name, text) != platform::kOk) return "<no value>";
    return text;
}

bool exists(const std::string& path) {
    RegKey key;
    return RegKey::open(RegRoot::LocalMachine, path, key) == platform::kOk;
}

std::vector<device::InstalledModem> modems() {
    std::vector<device::InstalledModem> list;
    EXPECT_EQ(device::ListModems(list), platform::kOk);
    return list;
}

class ModemRecordsTest : public ::testing::Test {
protected:
    testsupport::TempHome home_;
    testsupport::EnvGuard env_;
};

TEST_F(ModemRecordsTest, EachKindGetsTheInstanceTheFolderLooksFor) {
    struct Case {
        std::int32_t kind;
        bool pnp;
        const char* instance;
        const char* portValue;
        const char* friendly;
    };
    const Case cases[] = {
        {kDeviceExternal, false, "Enum\\Root\\MODEM\\0000", "AttachedTo",
         "Velka Tamo T-A ISDN Modem"},
        {kDevicePro, true, "Enum\\SERENUM\\VELKA_TA\\0000", "AttachedTo",
         "Velka Tamo T-A Pro ISDN Modem Pnp"},
        {kDevicePci, false, "Enum\\PCI\\VELKA_TA_PCI\\0000", "PORTNAME", "Velka Tamo T-A PCI Card"},
        {kDevicePcCard, true, "Enum\\PCMCIA\\VELKA-TAMO_T-A\\0000", "PORTNAME", "Velka Tamo T-A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.instance);
        device::InstalledModem installed;
        ASSERT_EQ(device::InstallModem({"COM4", c.kind, c.pnp}, &installed), platform::kOk);
        EXPECT_EQ(installed.instanceKey, c.instance);
        EXPECT_EQ(value(c.instance, "Class"), "Modem");
        EXPECT_EQ(value(c.instance, c.portValue), "COM4");
        EXPECT_EQ(value(c.instance, "FriendlyName"), c.friendly);
        // "Driver" cut after its first backslash names the driver key.
        EXPECT_EQ(value(c.instance, "Driver"), "Modem\\0000");
        const std::string driver = "System\\CurrentControlSet\\Services\\Class\\Modem\\0000";
        EXPECT_EQ(value(driver, "DriverDesc"), device::ModemModelName(c.kind));
        EXPECT_EQ(value(driver, "Model"), device::ModemModelName(c.kind));
        EXPECT_EQ(value(driver, "AttachedTo"), "COM4");

        const auto list = modems();
        ASSERT_EQ(list.size(), 1u);
        EXPECT_EQ(list[0].port, "COM4");
        EXPECT_EQ(list[0].driverKey, driver);
        EXPECT_EQ(list[0].model, device::ModemModelName(c.kind));
        EXPECT_EQ(device::RemoveModem("COM4"), platform::kOk);
    }
}

TEST_F(ModemRecordsTest, ReinstallingAPortKeepsOneInstallationAndRemovingTidiesUp) {
    ASSERT_EQ(device::InstallModem({"COM3", kDeviceExternal}), platform::kOk);
    ASSERT_EQ(device::InstallModem({"COM5", kDevicePro}), platform::kOk);
    // Another kind on the same port (named in other case) replaces the first.
    ASSERT_EQ(device::InstallModem({"com3", kDeviceExternal6F}), platform::kOk);
    auto list = modems();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].port, "COM5");
    EXPECT_EQ(list[1].port, "com3");
    // The numbers freed by the removal are used again.
    EXPECT_EQ(list[1].instanceKey, "Enum\\Root\\MODEM\\0000");

    EXPECT_EQ(device::RemoveModem("COM3"), platform::kOk);
    list = modems();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].port, "COM5");
    EXPECT_FALSE(exists("System\\CurrentControlSet\\Services\\Class\\Modem\\0000"));
    EXPECT_EQ(device::RemoveModem("COM5"), platform::kOk);
    EXPECT_FALSE(exists("Enum\\Root\\MODEM"));
    EXPECT_TRUE(modems().empty());
    EXPECT_EQ(device::RemoveModem("COM5"), platform::kFileNotFound);
}

TEST_F(ModemRecordsTest, ListingSkipsWhatTheFolderSkipsAndRefusesOtherKinds) {
    // Another class, and a modem without a driver, are no installations.
    for (const auto& [path, cls, driver] :
         {std::tuple{"Enum\\Root\\PORTS\\0000", "Ports", true},
          std::tuple{"Enum\\Root\\MODEM\\0007", "modem", false}}) {
        RegKey key;
        ASSERT_EQ(RegKey::create(RegRoot::LocalMachine, path, key), platform::kOk);
        key.setString("Class", cls);
        key.setString("AttachedTo", "COM1");
        if (driver) key.setString("Driver", "Ports\\0000");
    }
    EXPECT_TRUE(modems().empty());
    EXPECT_EQ(device::RemoveModem("COM1"), platform::kFileNotFound);
    EXPECT_EQ(device::InstallModem({"COM1", kDeviceOtherMaker}), platform::kInvalidParameter);
    EXPECT_EQ(device::InstallModem({"", kDeviceExternal}), platform::kInvalidParameter);
}

TEST_F(ModemRecordsTest, TheNtLineKeepsModemsBelowTheClassKey) {
    env_.set("VELKA_TA_OS", "nt4");
    device::InstalledModem installed;
    ASSERT_EQ(device::InstallModem({"COM2", kDevicePci}, &installed), platform::kOk);
    const std::string classKey =
        "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}";
    EXPECT_EQ(value(classKey, "Class"), "Modem");
    EXPECT_EQ(installed.instanceKey, classKey + "\\0000");
    EXPECT_EQ(value(installed.instanceKey, "AttachedTo"), "COM2");
    EXPECT_EQ(value(installed.instanceKey, "DriverDesc"), "Velka Tamo T-A PCI Card");
    ASSERT_EQ(modems().size(), 1u);
    EXPECT_EQ(device::RemoveModem("COM2"), platform::kOk);
    EXPECT_TRUE(modems().empty());
    EXPECT_TRUE(exists(classKey));
}

}  // namespace
