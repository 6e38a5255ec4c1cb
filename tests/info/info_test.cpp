// The device information service's registry records and its values shared
// between processes, on a real registry store and the real runtime folder.
#include "info/info.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "device/device_reply.h"
#include "platform/paths.h"
#include "registry/registry.h"
#include "tests/support/temp_home.h"

namespace {

CRegistry portKey(int n) {
    return CRegistry(std::string(kSuiteKey) + "\\Ports\\Port" + std::to_string(n));
}

std::unique_ptr<CDeviceInfo> makeRecord(const char* port, std::int32_t type) {
    auto d = std::make_unique<CDeviceInfo>();
    d->SetPort(port);
    device::copyText(d->identification, CDeviceInfo::kTextSize, "Velka Technology Corporation");
    device::copyText(d->versionText, CDeviceInfo::kTextSize, std::string(199, '9'));
    device::copyText(d->lineText, CDeviceInfo::kTextSize, "NI-1 V110");
    device::copyText(d->extraText, CDeviceInfo::kTextSize, "TBX-0001");
    d->type = type;
    d->openState = 0;
    d->region = 1;
    d->firmwareState = 1;
    d->v110Capable = 1;
    return d;
}

// Every field of a record in one line, so records compare whole.
std::string fields(const CDeviceInfo& d) {
    std::string text;
    for (const char* t : {d.port, d.identification, d.versionText, d.lineText, d.extraText})
        text += std::string(t) + "|";
    for (std::int32_t n : {d.openState, d.type, d.region, d.firmwareState, d.v110Capable})
        text += std::to_string(n) + "|";
    return text;
}

class InfoRegistryTest : public testing::Test {
protected:
    testsupport::TempHome home;
    CInfo info;
};

TEST_F(InfoRegistryTest, StoredRecordReadsBackWhole) {
    auto stored = makeRecord("COM4", kDevicePro);
    ASSERT_EQ(info.StoreDeviceInfoToReg(portKey(4), stored.get()), 0);
    // The folder reads these two values itself.
    std::string model, port;
    EXPECT_EQ(portKey(4).ReadString("DeviceString", model), 0);
    EXPECT_EQ(portKey(4).ReadString("PortName", port), 0);
    EXPECT_EQ(model, "Tamo T/A Pro ISDN Modem");
    EXPECT_EQ(port, "COM4");

    auto loaded = std::make_unique<CDeviceInfo>();
    ASSERT_EQ(info.GetDeviceInfoFromReg(portKey(4), loaded.get()), 0);
    EXPECT_EQ(fields(*loaded), fields(*stored));

    // Another maker's modem is named by its identification.
    auto other = makeRecord("COM4", kDeviceOtherMaker);
    ASSERT_EQ(info.StoreDeviceInfoToReg(portKey(4), other.get()), 0);
    EXPECT_EQ(portKey(4).ReadString("DeviceString", model), 0);
    EXPECT_EQ(model, "Velka Technology Corporation");

    // A damaged record is refused and the caller's record stays as it was.
    portKey(4).DeleteValue("DeviceType");
    portKey(4).WriteString("DeviceType", "2");
    EXPECT_EQ(info.GetDeviceInfoFromReg(portKey(4), loaded.get()), registry::kRegCannotRead);
    EXPECT_EQ(fields(*loaded), fields(*stored));
    EXPECT_EQ(info.GetDeviceInfoFromReg(portKey(7), loaded.get()), registry::kRegCannotOpen);
}

TEST_F(InfoRegistryTest, DeleteReturnsTheSlotOfTheRemovedRecord) {
    const std::tuple<int, const char*, std::int32_t> records[] = {
        {1, "COM1", kDeviceExternal}, {4, "COM4", kDevicePci}, {10, "COM10", kDevicePro}};
    for (const auto& [slot, port, type] : records)
        ASSERT_EQ(info.StoreDeviceInfoToReg(portKey(slot), makeRecord(port, type).get()), 0);

    EXPECT_EQ(info.DeleteDeviceInfoFromReg("COM10", kDeviceExternal), 0);  // kind differs
    EXPECT_EQ(info.DeleteDeviceInfoFromReg("COM5", kDevicePci), 0);        // no such port
    EXPECT_EQ(info.DeleteDeviceInfoFromReg("COM4", kDevicePci), 4);
    EXPECT_EQ(portKey(4).Exists(), registry::kRegCannotOpen);
    EXPECT_EQ(info.DeleteDeviceInfoFromReg("COM4", kDevicePci), 0);  // gone already
    EXPECT_EQ(info.DeleteDeviceInfoFromReg("com10", kDevicePro), 10);
    EXPECT_EQ(info.DeleteDeviceInfoFromReg("COM1", kDeviceExternal), 1);

    // A record the store refuses to let go is reported, not passed off as
    // "none": the store is made to refuse every deletion of a key.
    ASSERT_EQ(info.StoreDeviceInfoToReg(portKey(2), makeRecord("COM2", kDevicePro).get()), 0);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(platform::paths::registryDbPath().c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db,
                           "CREATE TRIGGER keep BEFORE DELETE ON keys "
                           "BEGIN SELECT RAISE(ABORT, 'kept'); END",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    EXPECT_EQ(info.DeleteDeviceInfoFromReg("COM2", kDevicePro), -registry::kRegCannotDelete);
    EXPECT_EQ(portKey(2).Exists(), 0);
}

// One program stores two different records in turn into the same slot while
// another reads the slot: every read is one whole record, never some values
// of one and some of the other.
TEST_F(InfoRegistryTest, ARecordStoredByAnotherProgramReadsWhole) {
    const auto a = makeRecord("COM3", kDevicePro);
    auto b = makeRecord("COM9", kDevicePci);
    device::copyText(b->identification, CDeviceInfo::kTextSize, "Velka Technology Corporation B");
    device::copyText(b->versionText, CDeviceInfo::kTextSize, "V 2.00");
    device::copyText(b->lineText, CDeviceInfo::kTextSize, "EURO");
    device::copyText(b->extraText, CDeviceInfo::kTextSize, "TBX-0002");
    b->openState = 1;
    b->region = 0;
    b->firmwareState = 0;
    b->v110Capable = 0;
    ASSERT_EQ(info.StoreDeviceInfoToReg(portKey(3), a.get()), 0);

    const std::string stop = home.file("stop");
    std::fflush(nullptr);
    const pid_t writer = fork();
    if (writer == 0) {
        CInfo mine;
        for (int i = 0; !std::filesystem::exists(stop); ++i)
            if (mine.StoreDeviceInfoToReg(portKey(3), i % 2 ? a.get() : b.get()) != 0) _exit(1);
        _exit(0);
    }
    int seenA = 0, seenB = 0;
    std::vector<std::string> mixed;
    // The deadline only keeps a broken writer from hanging the test.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while ((seenA < 50 || seenB < 50) && std::chrono::steady_clock::now() < giveUp) {
        auto read = std::make_unique<CDeviceInfo>();
        const std::int32_t rc = info.GetDeviceInfoFromReg(portKey(3), read.get());
        const std::string f = rc == 0 ? fields(*read) : "refused " + std::to_string(rc);
        if (f == fields(*a))
            ++seenA;
        else if (f == fields(*b))
            ++seenB;
        else
            mixed.push_back(f);
    }
    testsupport::writeFile(stop, "");
    int status = 0;
    waitpid(writer, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_GE(seenA, 50);
    EXPECT_GE(seenB, 50);
    EXPECT_TRUE(mixed.empty()) << mixed.size() << " mixed reads, e.g. " << mixed.front();
}

// Runs `body` in a child process and returns its exit code.
template <typename Body>
int inChild(Body body) {
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) _exit(body());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

TEST(InfoSharedValues, AreSeenByOtherProcesses) {
    testsupport::TempHome home;
    CInfo info;
    EXPECT_EQ(info.GetFolderWnd(), "");
    EXPECT_EQ(info.GetIgnoreDeviceChange(), 0);
    EXPECT_EQ(inChild([] {
                  CInfo other;
                  return other.SetFolderWnd("velka-folder-4711") |
                         other.SetTrayWnd("velka-tray-42") | other.SetIgnoreDeviceChange(1);
              }),
              0);
    EXPECT_EQ(info.GetFolderWnd(), "velka-folder-4711");
    EXPECT_EQ(info.GetTrayWnd(), "velka-tray-42");
    EXPECT_EQ(info.GetIgnoreDeviceChange(), 1);

    ASSERT_EQ(info.SetFolderWnd(""), 0);
    ASSERT_EQ(info.SetIgnoreDeviceChange(0), 0);
    EXPECT_EQ(info.GetFolderWnd(), "");
    EXPECT_EQ(info.GetIgnoreDeviceChange(), 0);
}

TEST(InfoSharedValues, BadNamesAndDamagedFilesReadAsNone) {
    testsupport::TempHome home;
    CInfo info;
    ASSERT_EQ(info.SetTrayWnd("tray-1"), 0);
    EXPECT_NE(info.SetTrayWnd("two\nlines"), 0);
    EXPECT_NE(info.SetTrayWnd(std::string(300, 't')), 0);
    EXPECT_EQ(info.GetTrayWnd(), "tray-1");
    const std::string run = platform::paths::runtimeDir();
    testsupport::writeFile(run + "/info-tray-wnd", std::string(600, 'x'));
    EXPECT_EQ(info.GetTrayWnd(), "");
    testsupport::writeFile(run + "/info-ignore-device-change", "yes");
    EXPECT_EQ(info.GetIgnoreDeviceChange(), 0);
}

TEST(InfoSharedValues, ReadersNeverSeeHalfAWrite) {
    testsupport::TempHome home;
    CInfo info;
    const std::string a(200, 'a'), b(200, 'b');
    ASSERT_EQ(info.SetFolderWnd(a), 0);
    std::atomic<bool> stop{false};
    std::vector<std::jthread> writers;
    for (int w = 0; w < 2; ++w) {
        writers.emplace_back([&, w] {
            CInfo mine;
            for (int i = 0; !stop; ++i) mine.SetFolderWnd((i + w) % 2 ? a : b);
        });
    }
    std::set<std::string> seen;
    for (int i = 0; i < 2000; ++i) seen.insert(info.GetFolderWnd());
    stop = true;
    writers.clear();
    for (const std::string& s : seen) EXPECT_TRUE(s == a || s == b) << s.size();
}

}  // namespace
