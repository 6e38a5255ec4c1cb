// Messages between programs, program start and the log-on entries, with real
// processes where another program is the point.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <thread>

#include "platform/autostart.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/program_start.h"
#include "platform/registry_store.h"
#include "platform/status_codes.h"
#include "tests/support/env_guard.h"
#include "tests/support/process.h"
#include "tests/support/temp_home.h"

using namespace platform;

namespace {

// The peer's endpoint name from its first line "endpoint <name>".
std::string startPeer(testsupport::ChildProcess& peer, std::vector<std::string> args = {}) {
    if (!peer.start("test_message_peer", args)) return {};
    const std::string& out = peer.readLines(args.size() / 2 + 1);
    const auto at = out.rfind("endpoint ");
    if (at == std::string::npos) return {};
    const auto end = out.find('\n', at);
    return out.substr(at + 9, end - at - 9);
}

TEST(MessagePacketTest, DecodesOnlyWholeWellFormedPackets) {
    MessagePacket send;
    send.kind = MessagePacket::Kind::Send;
    send.message = {0xC001, 0xFFFFFFFFFFFFFFFFull, -5};
    send.replyTo = "reply-12-3";
    MessagePacket back;
    ASSERT_TRUE(decodeMessagePacket(encodeMessagePacket(send), back));
    EXPECT_EQ(back.kind, MessagePacket::Kind::Send);
    EXPECT_EQ(back.message.message, 0xC001u);
    EXPECT_EQ(back.message.wParam, 0xFFFFFFFFFFFFFFFFull);
    EXPECT_EQ(back.message.lParam, -5);
    EXPECT_EQ(back.replyTo, "reply-12-3");

    MessagePacket post;
    post.message = {0xC000, 16, 0};
    const std::string good = encodeMessagePacket(post);
    std::string badMagic = good;
    badMagic[0] = 'X';
    std::string badKind = good;
    badKind[5] = 3;
    MessagePacket escape = send;
    escape.replyTo = "../x";
    MessagePacket postWithReply = post;
    postWithReply.replyTo = "reply-1-1";
    MessagePacket sendWithoutReply = send;
    sendWithoutReply.replyTo.clear();
    const std::string refused[] = {
        "",
        good.substr(0, good.size() - 1),
        good + "x",
        badMagic,
        badKind,
        encodeMessagePacket(escape),
        encodeMessagePacket(postWithReply),
        encodeMessagePacket(sendWithoutReply),
    };
    for (const auto& bytes : refused) {
        MessagePacket out;
        out.message.wParam = 77;
        EXPECT_FALSE(decodeMessagePacket(bytes, out)) << bytes.size();
        EXPECT_EQ(out.message.wParam, 77u);
    }
}

TEST(RegisterMessageTest, OneNumberPerNameAcrossPrograms) {
    testsupport::TempHome home;
    const std::uint32_t suite = registerMessage(kSuiteMessageName);
    const std::uint32_t icon = registerMessage(kTrayCallbackMessageName);
    EXPECT_GE(suite, kFirstRegisteredMessage);
    EXPECT_NE(suite, icon);
    EXPECT_EQ(registerMessage("velka6a0fcaa0-619b-11D1-BC30-00C04FC976B6"), suite);
    EXPECT_EQ(registerMessage(""), 0u);
    EXPECT_EQ(registerMessage("two\nlines"), 0u);

    testsupport::ChildProcess peer;
    ASSERT_TRUE(peer.start("test_message_peer", {"--register", kTrayCallbackMessageName}));
    EXPECT_NE(peer.readLines(1).find("registered " + std::to_string(icon) + "\n"),
              std::string::npos);
}

TEST(MessagesBetweenProgramsTest, PostedAndSentMessagesReachTheOtherProgram) {
    testsupport::TempHome home;
    testsupport::ChildProcess peer;
    const std::string window = startPeer(peer);
    ASSERT_FALSE(window.empty());
    EXPECT_TRUE(isWindow(window));

    EXPECT_EQ(postMessage(window, {0xC000, 16, 0}), kOk);
    std::int64_t result = 0;
    EXPECT_EQ(sendMessage(window, {0xC000, 32, 10}, 20000, result), kOk);
    EXPECT_EQ(result, 42);
    // The post was handled before the send that followed it.
    EXPECT_NE(peer.readLines(3).find("got 49152 16 0\ngot 49152 32 10\n"), std::string::npos);

    EXPECT_EQ(postMessage(window, {0xC000, 0xDEAD, 0}), kOk);
    EXPECT_EQ(peer.wait(), 0);
    EXPECT_FALSE(isWindow(window));
    EXPECT_EQ(postMessage(window, {0xC000, 16, 0}), kInvalidHandle);
}

TEST(MessagesBetweenProgramsTest, EndpointOfADeadProgramIsNoWindow) {
    testsupport::TempHome home;
    testsupport::ChildProcess peer;
    const std::string window = startPeer(peer);
    ASSERT_FALSE(window.empty());
    peer.stop(SIGKILL);
    // The socket file stays behind; nobody is bound to it any more.
    EXPECT_TRUE(std::filesystem::exists(paths::runtimeDir() + "/" + window));
    EXPECT_FALSE(isWindow(window));
    EXPECT_EQ(postMessage(window, {0xC000, 8, 0}), kInvalidHandle);
    std::int64_t result = 0;
    EXPECT_EQ(sendMessage(window, {0xC000, 8, 0}, 1000, result), kInvalidHandle);
    for (const std::string bad : {"", "../registry.db", "a/b"})
        EXPECT_EQ(postMessage(bad, {0xC000, 8, 0}), kInvalidParameter) << bad;
}

TEST(ProgramStartTest, SuiteNamesMapToInstalledPrograms) {
    const std::pair<std::string, std::string> rows[] = {
        {"tray.exe", "ta-tray"},
        {"FOLDER.EXE", "ta-folder"},
        {"C:\\Programme\\Velka\\tray.exe", "ta-tray"},
        {"/opt/velka/folder.exe", "ta-folder"},
        {"tactl", "tactl"},
    };
    for (const auto& [documented, installed] : rows) EXPECT_EQ(programName(documented), installed);
}

TEST(ProgramStartTest, StartedProgramRunsDetached) {
    testsupport::TempHome home;
    const std::string nameFile = home.file("peer-name");
    ASSERT_EQ(startProgram("test_message_peer", {"--name-file", nameFile}), kOk);
    ASSERT_TRUE(testsupport::waitForText(nameFile, "peer-", 20000));
    const std::string window = testsupport::readFile(nameFile);
    EXPECT_TRUE(isWindow(window));
    EXPECT_EQ(postMessage(window, {0xC000, 0xDEAD, 0}), kOk);

    EXPECT_EQ(startProgram("no-such-program-here"), kFileNotFound);
}

TEST(AutostartTest, RunValueAndItsEntryComeAndGoTogether) {
    testsupport::TempHome home;
    testsupport::EnvGuard env;
    env.set("XDG_CONFIG_HOME", (home.path() + "/config").c_str());
    const std::string entry = home.path() + "/config/autostart/velka-ta-tray.desktop";
    EXPECT_EQ(autostartEntryPath(kTrayRunValue), entry);

    // The value's program must exist, or the desktop would start nothing.
    EXPECT_EQ(setRunValue(kTrayRunValue, "/opt/velka/nothing.exe"), kFileNotFound);
    RegKey run;
    EXPECT_NE(RegKey::open(RegRoot::LocalMachine, kRunKey, run), kOk);

    const std::string command = "C:\\Velka\\test_message_peer";
    ASSERT_EQ(setRunValue(kTrayRunValue, command), kOk);
    ASSERT_EQ(RegKey::open(RegRoot::LocalMachine, kRunKey, run), kOk);
    std::string stored;
    EXPECT_EQ(run.readString(kTrayRunValue, stored), kOk);
    EXPECT_EQ(stored, command);
    const std::string text = testsupport::readFile(entry);
    EXPECT_NE(text.find("Exec=\"" + testsupport::binDir()), std::string::npos) << text;
    EXPECT_NE(text.find("/test_message_peer\"\n"), std::string::npos) << text;

    EXPECT_EQ(deleteRunValue(kTrayRunValue), kOk);
    EXPECT_FALSE(std::filesystem::exists(entry));
    EXPECT_EQ(run.readString(kTrayRunValue, stored), kFileNotFound);
    EXPECT_EQ(deleteRunValue(kTrayRunValue), kOk);
}

TEST(AutostartTest, EntryQuotesThePathForTheDesktop) {
    EXPECT_EQ(autostartFileName("VELKATA_Tray"), "velka-ta-tray.desktop");
    EXPECT_EQ(autostartFileName("Other App/1"), "other-app-1.desktop");
    const std::string text = autostartEntryText("ta-tray", "/opt/a \"b\" $c\\d/ta-tray");
    EXPECT_NE(text.find("Exec=\"/opt/a \\\\\"b\\\\\" \\\\$c\\\\\\\\d/ta-tray\"\n"),
              std::string::npos)
        << text;
}

}  // namespace
