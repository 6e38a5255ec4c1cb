// Dial-up networking over pppd: the peer-file reader and writer, and the
// phone book on a private peers folder with real files, pon and poff as real
// programs (scripts on PATH that write down how they were called), and the
// frame's menu that follows the entries.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <filesystem>

#include "folder/dialup/dial_entry_dlg.h"
#include "folder/dialup/dial_up_networking.h"
#include "folder/dialup/peer_file.h"
#include "folder/dialup/phone_book_dlg.h"
#include "folder/folder_commands.h"
#include "folder/folder_doc.h"
#include "folder/folder_view.h"
#include "folder/main_frame.h"
#include "folder/resource_ids.h"
#include "platform/clock.h"
#include "platform/status_codes.h"
#include "tests/support/env_guard.h"
#include "tests/support/temp_home.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework_ids.h"
#include "ui/resource_id.h"
#include "ui/scripted_dialogs.h"

using namespace dialup;
using testsupport::readFile;

namespace {

TEST(PeerFileTest, KeepsForeignLinesAndRewritesOnlyWhatChanged) {
    const std::string provider =
        "# provider\nhide-password\nconnect \"/usr/sbin/chat -v -f /etc/chatscripts/provider\"\n"
        "/dev/modem\n115200\nuser \"me@realm\" # account\nusepeerdns";
    PeerFile file;
    ASSERT_EQ(PeerFile::Parse(provider, file), platform::kOk);
    EXPECT_EQ(file.Settings().device, "/dev/modem");
    EXPECT_EQ(file.Settings().speed, 115200u);
    EXPECT_EQ(file.Settings().chatScript, "/etc/chatscripts/provider");
    EXPECT_EQ(file.Settings().user, "me@realm");
    EXPECT_EQ(file.Render(), provider);

    struct Row {
        const char* what;
        PeerSettings settings;
        std::string rendered;
    } rows[] = {
        {"new device and speed in place, the rest byte for byte",
         {"/dev/ttyS1", 57600, "/etc/chatscripts/provider", "me@realm"},
         "# provider\nhide-password\nconnect \"/usr/sbin/chat -v -f /etc/chatscripts/provider\"\n"
         "/dev/ttyS1\n57600\nuser \"me@realm\" # account\nusepeerdns"},
        {"no user drops its line; an empty device keeps the one written",
         {"", 115200, "/c/x", ""},
         "# provider\nhide-password\nconnect \"/usr/sbin/chat -v -f /c/x\"\n/dev/modem\n115200\n"
         "usepeerdns"},
    };
    for (const Row& row : rows) {
        PeerFile edited = file;
        ASSERT_EQ(edited.SetSettings(row.settings), platform::kOk) << row.what;
        EXPECT_EQ(edited.Render(), row.rendered) << row.what;
    }

    PeerFile fresh = PeerFile::New();
    ASSERT_EQ(fresh.SetSettings({"/dev/ttyUSB0", 115200, "/etc/ppp/chatscripts/b", "u"}),
              platform::kOk);
    PeerFile reread;
    ASSERT_EQ(PeerFile::Parse(fresh.Render(), reread), platform::kOk);
    EXPECT_EQ(reread.Settings().device, "/dev/ttyUSB0");
    EXPECT_EQ(reread.Settings().user, "u");
}

TEST(PeerFileTest, RefusesWhatCouldLeaveTheFolderOrReachAShell) {
    struct Row {
        std::string name;
        bool safe;
    } names[] = {
        {"Büro", true},
        {"t-online.de_2", true},
        {"", false},
        {"../passwd", false},
        {".hidden", false},
        {"-x", false},
        {"a/b", false},
        {"a b", false},
        {"a\x01", false},
        {"$(reboot)", false},
        {"a;b", false},
        {"a\"b", false},
        {std::string(255, 'n'), true},
        {std::string(256, 'n'), false},
    };
    for (const Row& row : names) EXPECT_EQ(IsSafeName(row.name), row.safe) << row.name;

    for (const char* good : {"0301234567", "*31#,0301234", "+4930W12"})
        EXPECT_TRUE(IsDialNumber(good)) << good;
    for (const char* bad :
         {"", "030 1234", "123;ATH", "1\"2", "12345678901234567890123456789012345678901"})
        EXPECT_FALSE(IsDialNumber(bad)) << bad;

    PeerFile file;
    for (const PeerSettings& bad :
         {PeerSettings{"/dev/tty S0", 0, "", ""}, PeerSettings{"", 12345, "", ""},
          PeerSettings{"", 0, "/x/`id`", ""}, PeerSettings{"", 0, "", "a\"\nconnect /bin/sh"},
          PeerSettings{"", 0, "", std::string(129, 'u')}})
        EXPECT_EQ(file.SetSettings(bad), platform::kInvalidParameter) << bad.device << bad.user;

    std::string nul("user x\n", 7);
    nul[4] = '\0';
    EXPECT_EQ(PeerFile::Parse(nul, file), platform::kInvalidData);
    EXPECT_EQ(PeerFile::Parse(std::string(kMaxFileBytes + 1, '#'), file), platform::kInvalidData);

    EXPECT_EQ(ChatScriptNumber(MakeChatScript("*31#0301234")), "*31#0301234");
    EXPECT_EQ(ChatScriptNumber("'' ATZ\nOK 'ATDT0301234'\n"), "0301234");
    EXPECT_EQ(ChatScriptNumber("OK ATD123;rm\n"), "");
}

struct DialUpTest : uitest::WithApp, ::testing::Test {
    testsupport::TempHome home;
    testsupport::EnvGuard env;
    ui::ScriptedDialogs dialogs;
    std::string peers = home.file("ppp/peers");
    std::string calls = home.file("calls");

    void SetUp() override {
        std::filesystem::create_directories(peers);
        std::filesystem::create_directories(home.file("bin"));
        env.set("VELKA_TA_PPP_PEERS", peers.c_str());
        env.set("PATH", (home.file("bin") + ":/usr/bin:/bin").c_str());
    }
    // pon or poff as a script that notes its call and ends with `exitCode`.
    void fakeTool(const char* name, int exitCode = 0) {
        const std::string path = home.file("bin/") + name;
        testsupport::writeFile(path, "#!/bin/sh\necho \"" + std::string(name) + " $*\" >> " +
                                         calls + "\necho \"no pppd is running\" >&2\nexit " +
                                         std::to_string(exitCode) + "\n");
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    }
    // Fills the entry dialog and presses OK.
    static std::function<int(QDialog&)> answerEntry(const char* name, const char* number) {
        return [=](QDialog& dialog) {
            ui::findControl<QLineEdit>(&dialog, folder::IDC_ENTRY_NAME)->setText(name);
            ui::findControl<QLineEdit>(&dialog, folder::IDC_ENTRY_NUMBER)->setText(number);
            ui::findControl<QLineEdit>(&dialog, folder::IDC_ENTRY_USER)->setText("gast");
            dialog.accept();
            return dialog.result();
        };
    }
    static std::vector<DialAdapter> oneAdapter() { return {{"Tamo T/A ISDN Modem", "/dev/ttyS0"}}; }
};

TEST_F(DialUpTest, CreatesListsAndRemovesAPeerEntryWithItsChatScript) {
    CDialUpNetworking dialUp;
    dialUp.adapters = oneAdapter;
    dialUp.runDialog = answerEntry("Büro", "0301234");
    std::string name;
    ASSERT_EQ(dialUp.EditEntry(nullptr, name), platform::kOk);
    EXPECT_EQ(name, "Büro");
    EXPECT_EQ(dialUp.Entries(), std::vector<std::string>{"Büro"});

    const std::string chat = home.file("ppp/chatscripts/Büro");
    const std::string peer = readFile(peers + "/Büro");
    for (const std::string& line :
         std::vector<std::string>{"/dev/ttyS0\n", "115200\n", "user \"gast\"\n",
                                  "connect \"/usr/sbin/chat -v -f " + chat + "\"\n"})
        EXPECT_NE(peer.find(line), std::string::npos) << line << peer;
    EXPECT_NE(readFile(chat).find("OK 'ATD0301234'\n"), std::string::npos);

    // A second entry of that name is refused; the first stays as it was.
    std::string again;
    EXPECT_EQ(dialUp.EditEntry(nullptr, again), folder::kDialUpEntryExists);
    EXPECT_EQ(readFile(peers + "/Büro"), peer);
    // Names that would leave the folder never reach the disk.
    dialUp.runDialog = answerEntry("../escape", "1");
    EXPECT_EQ(dialUp.EditEntry(nullptr, again), platform::kUserCancelled);
    EXPECT_EQ(dialogs.messages().back().stringId, folder::IDS_DIALUP_BAD_NAME);
    EXPECT_FALSE(std::filesystem::exists(home.file("ppp/escape")));

    DialEntry entry;
    ASSERT_EQ(dialUp.Book().Read("Büro", entry), platform::kOk);
    EXPECT_EQ(entry.number, "0301234");
    EXPECT_EQ(entry.speed, 115200u);

    // An edit keeps the lines the user added by hand.
    testsupport::writeFile(peers + "/Büro", peer + "mtu 1400 # own\n");
    entry.number = "0407654";
    ASSERT_EQ(dialUp.Book().Write("Büro", entry, false), platform::kOk);
    EXPECT_EQ(readFile(peers + "/Büro"), peer + "mtu 1400 # own\n");
    EXPECT_NE(readFile(chat).find("OK 'ATD0407654'\n"), std::string::npos);

    dialogs.answer(ui::IDYES);
    EXPECT_EQ(dialUp.RemoveEntry(nullptr, "Büro"), platform::kOk);
    EXPECT_TRUE(dialUp.Entries().empty());
    EXPECT_FALSE(std::filesystem::exists(peers + "/Büro"));
    EXPECT_FALSE(std::filesystem::exists(chat));
}

TEST_F(DialUpTest, DialsAndHangsUpThroughPonAndPoffAndReportsTheirFailures) {
    CDialUpNetworking dialUp;
    fakeTool("pon");
    fakeTool("poff", 1);
    EXPECT_EQ(dialUp.Dial(nullptr, "Büro"), platform::kOk);
    EXPECT_EQ(dialUp.HangUp(nullptr, "Büro"), folder::kDialUpToolFailed);
    EXPECT_EQ(readFile(calls), "pon Büro\npoff Büro\n");
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].stringId, folder::IDS_DIALUP_TOOL_EXIT);
    EXPECT_NE(dialogs.messages()[0].text.find("no pppd is running"), std::string::npos);

    // A pon that stays (pppd kept in the foreground) counts as dialling and
    // leaves the folder free.
    testsupport::writeFile(home.file("bin/pon"), "#!/bin/sh\nexec sleep 5\n");
    env.set("VELKA_TA_TIME_SCALE", "0.001");
    platform::reloadTimeScale();
    EXPECT_EQ(dialUp.Dial(nullptr, "Büro"), platform::kOk);
    env.set("VELKA_TA_TIME_SCALE", nullptr);
    platform::reloadTimeScale();
    EXPECT_EQ(dialogs.messages().size(), 1u);

    std::filesystem::remove(home.file("bin/pon"));
    EXPECT_EQ(dialUp.Dial(nullptr, "Büro"), platform::kFileNotFound);
    EXPECT_EQ(dialogs.messages().back().stringId, folder::IDS_DIALUP_TOOL_MISSING);
    EXPECT_EQ(dialUp.HangUp(nullptr, "-x"), folder::kDialUpBadName);
    EXPECT_EQ(readFile(calls), "pon Büro\npoff Büro\n");
}

TEST_F(DialUpTest, MissingPeersFolderGivesMinus20AndTheWarning) {
    env.set("VELKA_TA_PPP_PEERS", home.file("no/peers").c_str());
    CFolderDoc doc;
    CFolderView view(doc);
    EXPECT_FALSE(view.dialUpAvailable());
    // The after-configuration dialog warns itself; the menu's command warns here.
    EXPECT_EQ(view.Commands().openDialUp(), -20);
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(view.OnDialUpCommand(folder::ID_DIALUP), -20);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].stringId, folder::IDS_DIALUP_MISSING);
    EXPECT_NE(dialogs.messages()[0].text.find(home.file("no/peers")), std::string::npos);
}

TEST_F(DialUpTest, FrameMenuFollowsTheEntriesAndOpensThem) {
    CFolderDoc doc;
    folder::CMainFrame frame(doc);
    CDialUpNetworking& dialUp = frame.View()->DialUp();
    dialUp.adapters = oneAdapter;
    const auto entryItems = [&] {
        std::vector<std::pair<QString, int>> items;
        for (QAction* menu : frame.menuBar()->actions())
            for (QAction* item : menu->menu()->actions())
                if (item->text().startsWith("Dial-Up Networking : "))
                    items.emplace_back(item->text(), item->data().toInt());
        return items;
    };
    std::string name;
    for (const char* entry : {"zweite", "erste"}) {
        dialUp.runDialog = answerEntry(entry, "0301234");
        name.clear();
        ASSERT_EQ(dialUp.EditEntry(nullptr, name), platform::kOk);
    }
    using Items = std::vector<std::pair<QString, int>>;
    EXPECT_EQ(entryItems(),
              (Items{{"Dial-Up Networking : erste", 2700}, {"Dial-Up Networking : zweite", 2701}}));

    int listed = -1;
    dialUp.runDialog = [&](QDialog& dialog) {
        listed = dynamic_cast<CPhoneBookDlg&>(dialog).List()->count();
        return static_cast<int>(QDialog::Rejected);
    };
    frame.OnCommand(folder::ID_DIALUP);
    EXPECT_EQ(listed, 2);

    std::string opened;
    dialUp.runDialog = [&](QDialog& dialog) {
        opened = ui::findControl<QLineEdit>(&dialog, folder::IDC_ENTRY_NAME)->text().toStdString();
        return static_cast<int>(QDialog::Rejected);
    };
    frame.OnCommand(2701);
    EXPECT_EQ(opened, "zweite");

    dialogs.answer(ui::IDYES);
    ASSERT_EQ(dialUp.RemoveEntry(nullptr, "erste"), platform::kOk);
    EXPECT_EQ(entryItems(), (Items{{"Dial-Up Networking : zweite", 2700}}));
}

}  // namespace
