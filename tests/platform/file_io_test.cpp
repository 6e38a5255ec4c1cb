// Atomic replacement, as the INI writer, the shared runtime values and the
// simulator's state file use it.
#include "platform/file_io.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <set>
#include <string>
#include <thread>

#include "platform/ini_file.h"
#include "platform/status_codes.h"
#include "tests/support/temp_home.h"

namespace fs = std::filesystem;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

std::set<std::string> entries(const std::string& dir) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
    return names;
}

mode_t modeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

class UmaskGuard {
public:
    explicit UmaskGuard(mode_t mask) : old_(::umask(mask)) {}
    ~UmaskGuard() { ::umask(old_); }

private:
    mode_t old_;
};

// Whatever fails, the target is as it was and no temporary file is left.
TEST(ReplaceFile, FailureLeavesNoTemporaryFile) {
    testsupport::TempHome home;
    const std::string dir = home.file("box");
    fs::create_directories(dir + "/folder");
    fs::create_symlink(dir + "/nowhere/x", dir + "/dangling");
    const struct {
        const char* name;
        std::int32_t code;
    } rows[] = {
        {"folder", platform::kIoError},  // a folder where the file should be
        {"missing/x", platform::kFileNotFound},
        {"dangling", platform::kFileNotFound},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(platform::replaceFile(dir + "/" + row.name, "new"), row.code) << row.name;
        EXPECT_EQ(entries(dir), (std::set<std::string>{"dangling", "folder"})) << row.name;
    }
    EXPECT_TRUE(fs::is_directory(dir + "/folder"));
}

TEST(ReplaceFile, NewFileTakesTheUmaskAndAnOldOneKeepsItsMode) {
    testsupport::TempHome home;
    UmaskGuard mask(027);
    const std::string dir = home.file("box");
    fs::create_directories(dir);
    const std::string fresh = dir + "/fresh";
    ASSERT_EQ(platform::replaceFile(fresh, "one"), platform::kOk);
    EXPECT_EQ(modeOf(fresh), 0640u);
    const std::string old = dir + "/old";
    writeFile(old, "old");
    fs::permissions(old, fs::perms(0604));
    const std::string link = dir + "/link";
    fs::create_symlink(old, link);
    ASSERT_EQ(platform::replaceFile(link, "new"), platform::kOk);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readFile(old), "new");
    EXPECT_EQ(modeOf(old), 0604u);
    EXPECT_EQ(entries(dir), (std::set<std::string>{"fresh", "link", "old"}));
}

// Writing a new INI file must not open a window in which another thread's
// new files are created without the process's umask.
TEST(ReplaceFile, OtherThreadsKeepTheUmaskDuringIniWrites) {
    testsupport::TempHome home;
    UmaskGuard mask(022);
    std::atomic<bool> stop{false};
    std::atomic<int> looseFiles{0};
    std::thread creator([&] {
        const std::string path = home.file("other");
        while (!stop) {
            const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd < 0) continue;
            struct stat st {};
            if (::fstat(fd, &st) == 0 && (st.st_mode & 022) != 0) ++looseFiles;
            ::close(fd);
            ::unlink(path.c_str());
        }
    });
    const std::string ini = home.file("new.ini");
    for (int i = 0; i < 500; ++i) {
        ASSERT_TRUE(platform::ini::writePrivateProfileString("A", "k", "1", ini));
        ::unlink(ini.c_str());
    }
    stop = true;
    creator.join();
    EXPECT_EQ(looseFiles, 0);
}

}  // namespace
