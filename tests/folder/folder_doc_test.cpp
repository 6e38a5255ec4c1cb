// The folder's document and frame in this process, on a private store:
// matching remembered items with found records, the key numbering on save,
// the filter by installed product, the stored settings of tips and toolbar,
// and the version order of the newer-firmware check.
#include <gtest/gtest.h>

#include <cstring>

#include "folder/firmware_catalogue.h"
#include "folder/folder_doc.h"
#include "folder/folder_settings.h"
#include "folder/folder_view.h"
#include "folder/follow_up_dlgs.h"
#include "folder/list_row.h"
#include "folder/main_frame.h"
#include "folder/resource_ids.h"
#include "platform/registry_store.h"
#include "tests/support/env_guard.h"
#include "tests/support/temp_home.h"
#include "tests/ui/ui_test_support.h"
#include "ui/resource_id.h"

#include <QCheckBox>
#include <QTreeWidget>

namespace {

struct FolderDocTest : uitest::WithApp, ::testing::Test {
    testsupport::TempHome home;

    // Devices\Device<n> for each (type, port); an empty port leaves out "Port".
    void storeItems(const std::vector<std::pair<int, std::string>>& items) {
        int n = 0;
        for (const auto& [type, port] : items) {
            const CRegistry key(folderkeys::DeviceKey(++n));
            key.Create();
            key.WriteDword("DeviceType", static_cast<std::uint32_t>(type));
            if (!port.empty()) key.WriteString("Port", port.c_str());
            key.WriteDword("Configured", 1);
        }
    }
    static void found(CFolderDoc& doc, int slot, int type) {
        CDeviceInfo& r = doc.Record(slot);
        r.type = type;
        r.firmwareState = device::kFirmwareRunning;
        const std::string port = "COM" + std::to_string(slot + 1);
        std::strcpy(r.port, port.c_str());
        std::strcpy(r.identification, "Velka");
    }
    static std::vector<std::string> storedPorts() {
        std::vector<std::string> ports;
        for (int n = 1; n <= CFolderDoc::kMaxItems; ++n) {
            std::string port;
            if (CRegistry(folderkeys::DeviceKey(n)).ReadString("Port", port) != 0) break;
            ports.push_back(port);
        }
        return ports;
    }
};

TEST_F(FolderDocTest, MatchesStoredItemsWithFoundRecordsAndNumbersTheSavedOnes) {
    struct Row {
        const char* what;
        std::vector<std::pair<int, std::string>> stored;
        std::vector<std::pair<int, int>> records;  // slot, type
        std::vector<int> itemsWithDevice;
        std::vector<int> newItems;
        std::vector<std::string> savedPorts;
    } rows[] = {
        {"COM12 looks beyond the ten records and gets none",
         {{1, "COM12"}, {2, "COM2"}},
         {{1, 2}},
         {1},
         {},
         {"COM12", "COM2"}},
        {"new adapters in slots 0 and 5 after three loaded items",
         {{1, "COM7"}, {2, "COM8"}, {8, "COM9"}},
         {{0, 1}, {5, 16}},
         {},
         {3, 8},
         {"COM7", "COM8", "COM9", "COM1", "COM6"}},
        {"twelve loaded items leave no room for slot 3",
         {{1, "COM1"},
          {1, "COM2"},
          {1, "COM3"},
          {1, "COM11"},
          {1, "COM12"},
          {1, "COM13"},
          {1, "COM14"},
          {1, "COM15"},
          {1, "COM16"},
          {1, "COM17"},
          {1, "COM18"},
          {1, "COM19"}},
         {{0, 1}, {3, 2}},
         {0, 1, 2},
         {},
         {"COM1", "COM2", "COM3", "COM11", "COM12", "COM13", "COM14", "COM15", "COM16", "COM17",
          "COM18", "COM19"}},
        {"a record of another kind is pointed at but not matched",
         {{2, "COM1"}},
         {{0, 1}},
         {0},
         {1},
         {"COM1", "COM1"}},
    };
    for (const auto& row : rows) {
        platform::RegKey suite;
        platform::RegKey::create(platform::RegRoot::LocalMachine, kSuiteKey, suite);
        suite.deleteTree("Devices");
        storeItems(row.stored);
        CFolderDoc doc;
        doc.ResetAll();
        doc.LoadItems();
        EXPECT_EQ(doc.LoadedCount(), static_cast<int>(row.stored.size())) << row.what;
        for (const auto& [slot, type] : row.records) found(doc, slot, type);
        doc.MatchItems();
        for (int i : row.itemsWithDevice)
            EXPECT_NE(doc.Item(i).device, nullptr) << row.what << " item " << i;
        for (int i : row.newItems) {
            EXPECT_NE(doc.Item(i).device, nullptr) << row.what << " new item " << i;
            EXPECT_EQ(doc.Item(i).notConfigured, kItemConfiguredUnknown) << row.what;
        }
        if (row.stored[0].second == "COM12") {
            EXPECT_EQ(doc.Item(0).device, nullptr) << row.what;
        }
        doc.Save();
        EXPECT_EQ(storedPorts(), row.savedPorts) << row.what;
    }
}

TEST_F(FolderDocTest, ANewAdapterIsStoredAsNotConfigured) {
    CFolderDoc doc;
    doc.ResetAll();
    found(doc, 2, 1);
    doc.MatchItems();
    doc.Save();
    CFolderDoc again;
    again.ResetAll();
    again.LoadItems();
    EXPECT_EQ(again.Item(0).portName, "COM3");
    EXPECT_EQ(again.Item(0).notConfigured, kItemNotConfigured);
    EXPECT_EQ(again.Item(0).label, "Tamo T/A ISDN Modem auf COM3");
    std::uint32_t absent = 9;
    EXPECT_EQ(CRegistry(folderkeys::DeviceAbsentKey()).ReadDword("DeviceAbsent", absent), 0);
    EXPECT_EQ(absent, 0u);
}

TEST_F(FolderDocTest, AnItemWithAMissingValueIsEmptyButCounts) {
    storeItems({{1, "COM1"}, {2, ""}});
    CFolderDoc doc;
    doc.ResetAll();
    doc.LoadItems();
    EXPECT_EQ(doc.LoadedCount(), 2);
    EXPECT_TRUE(doc.Item(1).IsEmpty());
}

TEST_F(FolderDocTest, ModelTextsAreKeptOnlyForInstalledProducts) {
    struct Row {
        const char* text;
        ModelKind kind;
    } rows[] = {
        {"Velka Tamo T-A ISDN Modem", kModelBox}, {"Tamo T/A Pro ISDN Modem", kModelPro},
        {"Velka Tamo T-A PCI Card", kModelPci},   {"Tamo T/A PCI ISDN Modem", kModelPci},
        {"Velka Tamo T-A", kModelPcCard},         {"Tamo T/A", kModelPcCard},
        {"Velka Tamo T-A (2)", kModelNone},       {"Other Modem 56k", kModelNone},
    };
    for (const auto& row : rows) EXPECT_EQ(ModelKindOfText(row.text), row.kind) << row.text;

    const CRegistry card("Enum\\PCMCIA\\CARD\\0000");
    card.Create();
    card.WriteString("FriendlyName", "Velka Tamo T-A");
    InstalledProducts products = InstalledProducts::Read();
    EXPECT_TRUE(products.pcCard) << "a fresh store holds every product key";
    EXPECT_EQ(FilterByModel({card}, products).size(), 1u);
    products.pcCard = false;
    EXPECT_TRUE(FilterByModel({card}, products).empty());
}

TEST_F(FolderDocTest, RowsShowKindStateAndColumns) {
    CFolderItem item;
    item.type = 2;
    item.portName = "COM2";
    item.label = "Pro";
    EXPECT_EQ(FillRow(item).icon, folder::IDI_PRO_ABSENT);
    EXPECT_EQ(item.statusText, "Dieses Gerät reagiert nicht.");
    CDeviceInfo record;
    record.firmwareState = device::kFirmwareBootOnly;
    item.device = &record;
    EXPECT_EQ(FillRow(item).icon, folder::IDI_PRO_DAMAGED);
    record.firmwareState = device::kFirmwareRunning;
    record.region = device::kRegionNorthAmerica;
    std::strcpy(record.versionText, "V2.10");
    item.responding = 1;
    const RowTexts row = FillRow(item);
    EXPECT_EQ(row.icon, folder::IDI_PRO_NEW);
    EXPECT_EQ(row.columns[2], "Ja");
    EXPECT_EQ(row.columns[3], "V2.10");
    EXPECT_EQ(row.columns[4], "Nordamerika");
    item.notConfigured = kItemConfigured;
    EXPECT_EQ(FillRow(item).icon, folder::IDI_PRO_OK);
    EXPECT_EQ(IconOfRow(64, RowState::Available), 0u);
}

TEST_F(FolderDocTest, FollowUpChecksOfferNewAndUninstalledAdaptersUntilToldNotToAsk) {
    CFolderDoc doc;
    doc.Settings().checkForNewerFirmware = 0;
    doc.ResetAll();
    found(doc, 0, 1);
    found(doc, 1, 2);
    doc.MatchItems();
    doc.Item(1).notConfigured = kItemConfigured;
    CFolderView view(doc);
    std::vector<std::pair<std::uint32_t, int>> commands;
    view.itemCommand = [&](std::uint32_t id, int item) { commands.emplace_back(id, item); };
    std::vector<int> listed;
    int tips = 0;
    view.runDialog = [&](QDialog& dialog) {
        auto* choice = dynamic_cast<CItemChoiceDlg*>(&dialog);
        if (!choice) {
            ++tips;  // the tip of the day, once no check asked anything
            return static_cast<int>(QDialog::Rejected);
        }
        listed.push_back(choice->List()->topLevelItemCount());
        ui::findControl<QCheckBox>(&dialog, folder::IDC_DONT_ASK)->setChecked(true);
        choice->accept();
        return static_cast<int>(QDialog::Accepted);
    };
    view.OnCommand(folder::ID_DETECTION_DONE);
    // One adapter is new; neither has a modem installation.
    EXPECT_EQ(listed, (std::vector<int>{1, 2}));
    EXPECT_EQ(commands, (std::vector<std::pair<std::uint32_t, int>>{
                            {folder::ID_CONFIGURE_PROFILES, 0}, {folder::ID_INSTALL, 0}}));
    FolderSettings stored;
    stored.Load();
    EXPECT_EQ(stored.checkNewDevices, 0);
    EXPECT_EQ(stored.checkDriver, 0);
    listed.clear();
    EXPECT_EQ(tips, 0);
    view.OnCommand(folder::ID_DETECTION_DONE);
    EXPECT_TRUE(listed.empty());
    EXPECT_EQ(tips, 1);
}

TEST_F(FolderDocTest, TipSettingsOutOfRangeFallBackToTheirDefaults) {
    const CRegistry key(std::string(kSuiteKey) + "\\View\\TipOfDay");
    key.Create();
    struct Row {
        std::uint32_t enable, current;
        std::int32_t wantEnable, wantCurrent;
    } rows[] = {{0, 7, 0, 7}, {1, 15, 1, 0}, {2, 3, 1, 0}, {1, 14, 1, 14}};
    for (const auto& row : rows) {
        key.WriteDword("Enable", row.enable);
        key.WriteDword("CurrentTip", row.current);
        TipSettings tips;
        tips.enable = 5;
        tips.Load();
        EXPECT_EQ(tips.enable, row.wantEnable) << row.enable << "/" << row.current;
        EXPECT_EQ(tips.currentTip, row.wantCurrent) << row.enable << "/" << row.current;
    }
}

TEST_F(FolderDocTest, TipsCycleAndSkipThoseOfProductsNotInstalled) {
    InstalledProducts none;
    std::uint32_t id = 0;
    std::int32_t next = 0;
    ASSERT_TRUE(NextTip(14, none, id, next));
    EXPECT_EQ(id, 61207u);
    EXPECT_EQ(next, 0);
    ASSERT_TRUE(NextTip(11, none, id, next));  // 114 is for the PC card only
    EXPECT_EQ(id, 1003u);
    InstalledProducts card;
    card.pcCard = true;
    ASSERT_TRUE(NextTip(11, card, id, next));
    EXPECT_EQ(id, 114u);
    EXPECT_EQ(next, 12);
}

TEST_F(FolderDocTest, FlatButtonsAreRefusedBelowCommonControls470) {
    testsupport::EnvGuard env;
    struct Row {
        const char* version;
        std::uint32_t stored;
    } rows[] = {{"4.0", 0}, {"4.71", 1}};
    for (const auto& row : rows) {
        env.set("VELKA_TA_COMCTL_VERSION", row.version);
        const CRegistry key(std::string(kSuiteKey) + "\\View\\ToolbarsVisible");
        key.Create();
        key.WriteDword("FlatButtons", 1);
        CFolderDoc doc;
        folder::CMainFrame frame(doc);
        std::uint32_t flat = 9;
        key.ReadDword("FlatButtons", flat);
        EXPECT_EQ(flat, row.stored) << row.version;
        EXPECT_EQ(frame.Toolbar().flatButtons, static_cast<std::int32_t>(row.stored))
            << row.version;
    }
}

TEST_F(FolderDocTest, AMissingToolbarKeyWritesTheDefaults) {
    CFolderDoc doc;
    folder::CMainFrame frame(doc);
    const CRegistry key(std::string(kSuiteKey) + "\\View\\ToolbarsVisible");
    std::uint32_t v = 9;
    std::vector<std::uint32_t> sections;
    for (const char* name :
         {"Section00", "Section01", "Section02", "Section03", "Section04", "Section05"}) {
        key.ReadDword(name, v);
        sections.push_back(v);
    }
    EXPECT_EQ(sections, (std::vector<std::uint32_t>{0, 1, 0, 0, 1, 1}));
    EXPECT_EQ(folder::CMainFrame::Buttons().size(), 22u);
}

TEST_F(FolderDocTest, VersionsCompareByMajorMinorAndBuild) {
    struct Row {
        const char* candidate;
        const char* current;
        bool newer;
    } rows[] = {
        {"2.10", "2.9", true},     {"2.1", "2.1.0", false}, {"2.1.1", "2.1", true},
        {"", "1.0", false},        {"1.0", "", true},       {"10.0", "9.99.99", true},
        {"1.2.3", "1.2.4", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(VersionNewer(row.candidate, row.current), row.newer)
            << row.candidate << " vs " << row.current;
    std::vector<CatalogueEntry> catalogue{
        {"a.elm", "1.5", 1, 0}, {"b.elm", "1.10", 1, 0}, {"c.elm", "9.0", 1, 1}};
    CatalogueEntry newest;
    ASSERT_EQ(NewestFile(catalogue, 1, 0, newest), 0);
    EXPECT_EQ(newest.file, "b.elm");
    EXPECT_EQ(NewestFile(catalogue, 2, 0, newest), folder::kFolderNoNewerFirmware);
}

}  // namespace
