// The terminal command with real files in a private data folder, a real pty
// as the adapter's port and stand-in programs on PATH (the launcher records
// what it was asked to open); and the help menu by installed products.
#include <gtest/gtest.h>

#include <QMenuBar>
#include <filesystem>

#include "folder/folder_doc.h"
#include "folder/folder_strings.h"
#include "folder/folder_view.h"
#include "folder/main_frame.h"
#include "folder/resource_ids.h"
#include "folder/terminal_connection.h"
#include "folder/tip_dlg.h"
#include "platform/registry_store.h"
#include "tests/support/env_guard.h"
#include "tests/support/sim_port.h"
#include "tests/support/temp_home.h"
#include "tests/ui/ui_test_support.h"
#include "ui/help.h"
#include "ui/scripted_dialogs.h"

namespace fs = std::filesystem;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

const std::string kSource = VELKA_TA_SOURCE_DIR;

struct FolderTerminalTest : uitest::WithApp, ::testing::Test {
    testsupport::TempHome home;
    testsupport::EnvGuard env;
    ui::ScriptedDialogs boxes;
    std::string data = home.file("data/");
    std::string bin = home.file("bin");
    std::string launched = home.file("launched");

    void SetUp() override {
        fs::create_directories(data);
        fs::create_directories(bin);
        CRegistry(std::string(kSuiteKey) + "\\Directory").WriteString("Data", data.c_str());
        // Only the stand-ins are found: a terminal installed on this machine
        // must not decide which one a row expects.
        env.set("PATH", bin.c_str());
        fs::copy_file(kSource + "/data/template.ht", data + "template.ht");
        launcher(0);
    }
    void program(const std::string& name, const std::string& body) {
        const std::string path = bin + "/" + name;
        writeFile(path, "#!/bin/sh\n" + body + "\n");
        fs::permissions(path, fs::perms::owner_all);
    }
    void launcher(int exitCode) {
        program("gio",
                "printf '%s\\n' \"$@\" > '" + launched + "'\nexit " + std::to_string(exitCode));
    }
    static CFolderItem item(const std::string& port) {
        CFolderItem it;
        it.portName = port;
        it.label = "Tamo T/A ISDN Modem auf " + port;
        it.type = 1;
        it.responding = 1;
        return it;
    }
};

TEST_F(FolderTerminalTest, TheConnectionRunsTheInstalledTerminalOnTheAdaptersDevice) {
    testsupport::RawPeer adapter("COM7");
    ASSERT_TRUE(adapter.ok());
    const std::string file = data + "Verbindung mit Tamo T_A ISDN Modem auf COM7.desktop";
    struct Row {
        std::vector<const char*> installed;
        std::string exec;  // empty: not available, nothing written
    } rows[] = {
        {{"picocom", "minicom"}, "Exec=picocom --baud 57600 --flow h " + adapter.devicePath()},
        {{"minicom"}, "Exec=minicom --device " + adapter.devicePath() + " --baudrate 57600"},
        {{}, ""},
    };
    for (const auto& row : rows) {
        fs::remove(file);
        fs::remove(launched);
        for (const char* name : {"picocom", "minicom"}) fs::remove(bin + "/" + name);
        for (const char* name : row.installed) program(name, "exit 0");
        boxes.clear();
        const bool available = !row.exec.empty();
        EXPECT_EQ(TerminalAvailable(), available) << row.exec;
        EXPECT_EQ(OpenTerminalConnection(nullptr, item("COM7")), available) << row.exec;
        if (!available) {
            EXPECT_EQ(boxes.messageIds(),
                      std::vector<std::uint32_t>{folder::IDS_TERMINAL_START_FAILED});
            EXPECT_FALSE(fs::exists(file));
            continue;
        }
        EXPECT_TRUE(boxes.messageIds().empty()) << row.exec;
        const std::string entry = readFile(file);
        EXPECT_NE(entry.find("\n" + row.exec + "\n"), std::string::npos) << entry;
        EXPECT_NE(entry.find("[Desktop Entry]\n"), std::string::npos);
        EXPECT_NE(entry.find("\nTerminal=true\n"), std::string::npos);
        EXPECT_EQ(entry.find("\nX-Velka-Exec"), std::string::npos) << entry;
        EXPECT_EQ(readFile(launched), "launch\n" + file + "\n");
    }
}

TEST_F(FolderTerminalTest, EachFailureShowsItsMessageAndOnlyTheLastOneGetsToTheLauncher) {
    program("picocom", "exit 0");
    const std::string longPath = "/dev/serial/by-id/" + std::string(kMaxPortField, 'x');
    struct Row {
        const char* what;
        std::function<void()> arrange;
        std::string port;
        std::uint32_t message, caption;
    } rows[] = {
        {"no template", [&] { fs::remove(data + "template.ht"); }, "COM1", folder::IDS_NO_TEMPLATE,
         folder::IDS_NO_TEMPLATE_CAPTION},
        {"a template without a port field",
         [&] {
             writeFile(data + "template.ht", "[Desktop Entry]\nX-Velka-Exec-picocom=picocom\n");
         },
         "COM1", folder::IDS_NO_TEMPLATE, folder::IDS_NO_TEMPLATE_CAPTION},
        {"a device path with a space", [] {}, "/dev/tty S0", folder::IDS_PORT_NOT_HELD,
         folder::IDS_PORT_NOT_HELD_CAPTION},
        {"a device path that would end the command", [] {}, "/dev/ttyS0;rm",
         folder::IDS_PORT_NOT_HELD, folder::IDS_PORT_NOT_HELD_CAPTION},
        {"a device path beyond the field", [] {}, longPath, folder::IDS_PORT_NOT_HELD,
         folder::IDS_PORT_NOT_HELD_CAPTION},
        {"the launcher fails", [&] { launcher(1); }, "COM1", folder::IDS_TERMINAL_START_FAILED, 0},
    };
    for (const auto& row : rows) {
        fs::copy_file(kSource + "/data/template.ht", data + "template.ht",
                      fs::copy_options::overwrite_existing);
        launcher(0);
        fs::remove(launched);
        row.arrange();
        boxes.clear();
        EXPECT_FALSE(OpenTerminalConnection(nullptr, item(row.port))) << row.what;
        ASSERT_EQ(boxes.messages().size(), 1u) << row.what;
        const ui::ShownMessage shown = boxes.messages()[0];
        EXPECT_EQ(shown.stringId, row.message) << row.what;
        if (row.caption) {
            EXPECT_EQ(shown.caption, folder::Utf8(row.caption)) << row.what;
            EXPECT_FALSE(fs::exists(launched)) << row.what;
            continue;
        }
        EXPECT_EQ(readFile(launched),
                  "launch\n" + data + "Verbindung mit Tamo T_A ISDN Modem auf COM1.desktop\n");
    }
    EXPECT_EQ(boxes.messages()[0].icon, ui::Icon::Error);
}

TEST(FolderTerminalName, UnsafeCharactersBecomeUnderscoresAndTheNameStaysInItsFolder) {
    const std::string umlaut = "\xc3\xa4";  // "ä", two bytes
    struct Row {
        std::string label, name;
    } rows[] = {
        {"Tamo T/A ISDN Modem auf COM1", "Verbindung mit Tamo T_A ISDN Modem auf COM1.desktop"},
        {"../../etc/passwd", "Verbindung mit .._.._etc_passwd.desktop"},
        {"a\\b:c*d?e\"f<g>h|i", "Verbindung mit a_b_c_d_e_f_g_h_i.desktop"},
        {std::string("line\nbreak\ttab\x7f", 15), "Verbindung mit line_break_tab_.desktop"},
        {"Ger" + umlaut + "t", "Verbindung mit Ger" + umlaut + "t.desktop"},
        {"", "Verbindung mit .desktop"},
    };
    for (const auto& row : rows) EXPECT_EQ(ConnectionFileName(row.label), row.name) << row.label;

    // A label too long for a file name is cut before a whole character.
    std::string many = "x";
    for (int i = 0; i < 150; ++i) many += umlaut;
    const std::string name = ConnectionFileName(many);
    EXPECT_LE(name.size(), 255u);
    EXPECT_TRUE(name.ends_with(umlaut + ".desktop")) << name;
}

struct FolderHelpMenuTest : uitest::WithApp, ::testing::Test {
    testsupport::TempHome home;

    // The help menu's entries: product sub-menus by title, "-" for a separator.
    static std::vector<std::string> entries(folder::CMainFrame& frame) {
        QMenu* help = frame.menuBar()->actions().last()->menu();
        std::vector<std::string> out;
        for (QAction* a : help->actions())
            out.push_back(a->isSeparator() ? "-" : a->menu() ? a->text().toStdString() : "item");
        return out;
    }
};

TEST_F(FolderHelpMenuTest, ProductEntriesFollowTheInstalledProductKeys) {
    const std::vector<std::string> head{"item", "-"}, tail{"item", "-", "item"};
    struct Row {
        std::vector<const char*> removed;
        std::vector<std::string> products;
    } rows[] = {
        {{},
         {"Tamo T/A ISDN &Modem", "Tamo T/A P&ro ISDN Modem", "Tamo T/A P&CI Card",
          "Tamo T/A &PC Card", "Tamo T/A M&obile"}},
        {{kProductIsdnModem, kProductPci, kProductMobile},
         {"Tamo T/A P&ro ISDN Modem", "Tamo T/A &PC Card"}},
        {{kProductPro, kProductPcCard}, {}},
    };
    for (const auto& row : rows) {
        for (const char* key : row.removed) CRegistry(key).DeleteKey();
        CFolderDoc doc;
        folder::CMainFrame frame(doc);
        std::vector<std::string> expected = head;
        expected.insert(expected.end(), row.products.begin(), row.products.end());
        if (!row.products.empty()) expected.push_back("-");
        expected.insert(expected.end(), tail.begin(), tail.end());
        EXPECT_EQ(entries(frame), expected) << row.products.size();
    }
}

TEST_F(FolderHelpMenuTest, EntriesOpenTheirPageAtItsContentsAndTheTipShows) {
    CFolderDoc doc;
    folder::CMainFrame frame(doc);
    std::string help;
    CRegistry(std::string(kSuiteKey) + "\\Directory").ReadString("Help", help);
    ui::ScopedHelpHandler quiet([](const ui::HelpRequest&) {});
    // User guide, then reference, of each product in the menu's order.
    const std::vector<std::string> files{
        "userTA.hlp",   "refTA.hlp",    "userTAPR.hlp", "refTAPR.hlp", "usrTAPCI.hlp",
        "refTAPCI.hlp", "userTAPC.hlp", "refTAPC.hlp",  "userMOB.hlp", "refMOB.hlp"};
    std::vector<std::string> opened;
    QAction* tipEntry = nullptr;
    for (QAction* entry : frame.menuBar()->actions().last()->menu()->actions()) {
        if (entry->text() == QStringLiteral("&Tipp des Tages...")) tipEntry = entry;
        if (!entry->menu()) continue;
        for (QAction* page : entry->menu()->actions()) {
            ui::clearRecordedHelpRequests();
            page->trigger();
            const auto requests = ui::recordedHelpRequests();
            ASSERT_EQ(requests.size(), 1u) << page->text().toStdString();
            EXPECT_EQ(requests[0].command, ui::HelpCommand::Contents);
            opened.push_back(requests[0].file.substr(help.size()));
            EXPECT_EQ(requests[0].file, help + opened.back());
        }
    }
    EXPECT_EQ(opened, files);
    for (const std::string& file : files)
        EXPECT_TRUE(fs::exists(ui::htmlHelpPath(kSource + "/data/help/" + file))) << file;

    bool tip = false;
    frame.View()->runDialog = [&](QDialog& dialog) {
        tip = dynamic_cast<CTipDlg*>(&dialog) != nullptr;
        return 0;
    };
    ASSERT_NE(tipEntry, nullptr);
    tipEntry->trigger();
    EXPECT_TRUE(tip);
}

}  // namespace
