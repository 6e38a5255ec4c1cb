// The modem panel on a real store: the ports it offers, installing and
// removing through it and through its command line, and the ".cpl" command a
// fresh store carries.
#include "folder/modems/modem_panel.h"

#include <gtest/gtest.h>

#include <sstream>

#include "folder/modems/modems_cli.h"

#include <filesystem>

#include "platform/device_type.h"
#include "platform/registry_store.h"
#include "platform/serial_port.h"
#include "tests/support/temp_home.h"

namespace {

class ModemPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(dev_);
        for (const char* node : {"ttyUSB0", "ttyUSB1", "ttyACM1", "ttyS0", "tty1"})
            testsupport::writeFile(dev_ + "/" + node, "");
        // ttyUSB1 has a name and shows only under it.
        ASSERT_EQ(platform::mapPortName("COM3", dev_ + "/ttyUSB1"), platform::kOk);
    }

    std::string model(const std::string& port) const {
        for (const auto& p : panel_.Ports())
            if (p.name == port) return p.model;
        return "<no port>";
    }

    testsupport::TempHome home_;
    std::string dev_ = home_.file("dev");
    modems::CModemPanel panel_{dev_};
};

TEST_F(ModemPanelTest, OffersNamedPortsThenPluggedDevicesWithoutName) {
    ASSERT_EQ(panel_.Refresh(), platform::kOk);
    std::vector<std::pair<std::string, std::string>> seen;
    for (const auto& p : panel_.Ports()) seen.emplace_back(p.name, p.device);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"COM3", dev_ + "/ttyUSB1"},
        {dev_ + "/ttyACM1", dev_ + "/ttyACM1"},
        {dev_ + "/ttyUSB0", dev_ + "/ttyUSB0"},
    };
    EXPECT_EQ(seen, expected);
    EXPECT_TRUE(panel_.Modems().empty());
}

TEST_F(ModemPanelTest, InstallsAndRemovesThroughTheStore) {
    const std::string pro = device::ModemModelName(kDevicePro);
    const std::string unnamed = dev_ + "/ttyUSB0";
    struct Step {
        const char* what;
        bool install;
        std::string port;
        std::int32_t kind;
        std::int32_t rc;
        std::size_t modems;
        std::string com3Model, unnamedModel;
    };
    const Step steps[] = {
        {"box on COM3", true, "COM3", kDeviceExternal, platform::kOk, 1,
         device::ModemModelName(kDeviceExternal), ""},
        // Port names compare without case, and a second install replaces the first.
        {"Pro box on com3", true, "com3", kDevicePro, platform::kOk, 1, pro, ""},
        {"a device without name", true, unnamed, kDevicePcCard, platform::kOk, 2, pro,
         device::ModemModelName(kDevicePcCard)},
        {"another maker's modem", true, "COM3", kDeviceOtherMaker, platform::kInvalidParameter, 2,
         pro, device::ModemModelName(kDevicePcCard)},
        {"remove COM3", false, "COM3", 0, platform::kOk, 1, "",
         device::ModemModelName(kDevicePcCard)},
        {"remove COM3 again", false, "COM3", 0, platform::kFileNotFound, 1, "",
         device::ModemModelName(kDevicePcCard)},
        {"remove the device", false, unnamed, 0, platform::kOk, 0, "", ""},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        EXPECT_EQ(s.install ? panel_.Install(s.port, s.kind) : panel_.Remove(s.port), s.rc);
        EXPECT_EQ(panel_.Modems().size(), s.modems);
        EXPECT_EQ(model("COM3"), s.com3Model);
        EXPECT_EQ(model(unnamed), s.unnamedModel);
        // A second panel sees what the first one wrote.
        modems::CModemPanel other(dev_);
        ASSERT_EQ(other.Refresh(), platform::kOk);
        EXPECT_EQ(other.Modems().size(), s.modems);
    }
}

TEST_F(ModemPanelTest, FreshStoreOpensThePanelForControlPanelFiles) {
    const struct {
        const char* key;
        const char* text;
    } cases[] = {{".cpl", "cplfile"}, {"cplfile\\shell\\cplopen\\command", "ta-modems %1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        platform::RegKey key;
        ASSERT_EQ(platform::RegKey::open(platform::RegRoot::ClassesRoot, c.key, key),
                  platform::kOk);
        std::string text;
        EXPECT_EQ(key.readString("", text), platform::kOk);
        EXPECT_EQ(text, c.text);
    }
}

TEST(ModemPanelCommandLine, TakesThePanelFileAndOneActionWithItsValues) {
    using Mode = modems::Invocation::Mode;
    const struct {
        std::vector<std::string> args;
        Mode mode;
        std::string port;
        std::int32_t kind;
    } rows[] = {
        {{}, Mode::Window, "", 0},
        {{"modem.cpl"}, Mode::Window, "", 0},
        {{"-platform", "offscreen", "MODEM.CPL"}, Mode::Window, "", 0},
        {{"--install", "COM3", "2", "modem.cpl"}, Mode::Install, "COM3", 2},
        {{"modem.cpl", "--remove", "/dev/ttyUSB0"}, Mode::Remove, "/dev/ttyUSB0", 0},
        {{"--list"}, Mode::List, "", 0},
        {{"--install", "COM3"}, Mode::Usage, "", 0},
        {{"--install", "COM3", "2x"}, Mode::Usage, "", 0},
        {{"--remove", "COM3", "COM4"}, Mode::Usage, "", 0},
        {{"--list", "--remove", "COM3"}, Mode::Usage, "", 0},
        {{"--instal", "COM3", "1"}, Mode::Usage, "", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row.args));
        const modems::Invocation got = modems::ParseArguments(row.args);
        EXPECT_EQ(got.mode, row.mode);
        EXPECT_EQ(got.port, row.port);
        EXPECT_EQ(got.kind, row.kind);
        EXPECT_EQ(got.error.empty(), row.mode != Mode::Usage);
    }
}

TEST(ModemPanelCommandLine, InstallsListsAndRemovesWithoutAWindow) {
    testsupport::TempHome home;
    const struct {
        std::vector<std::string> args;
        int exit;
        std::string out;
    } steps[] = {
        {{"--install", "COM4", "16"}, 0, ""},
        {{"--list"}, 0, std::string("COM4\t") + device::ModemModelName(kDevicePcCard) + "\n"},
        {{"--install", "COM4", "64"}, 1, ""},
        {{"--remove", "COM4"}, 0, ""},
        {{"--remove", "COM4"}, 1, ""},
        {{"--list"}, 0, ""},
        {{"--bogus"}, 2, ""},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(::testing::PrintToString(step.args));
        std::ostringstream out, err;
        EXPECT_EQ(modems::RunWithoutWindow(modems::ParseArguments(step.args), out, err), step.exit);
        EXPECT_EQ(out.str(), step.out);
        EXPECT_EQ(err.str().empty(), step.exit == 0);
    }
}

}  // namespace
