// What a Linux desktop makes of profile files: the file type from the
// shared MIME database, and the thumbnailer's pictures.
#include <gtest/gtest.h>
#include <QImage>

#include <filesystem>

#include "profile/profile_file.h"
#include "tests/support/env_guard.h"
#include "tests/support/process.h"
#include "tests/support/temp_home.h"

namespace {

std::string exportedProfileFile(const std::string& path) {
    CDeviceProfiles model;
    model.profiles[0].name = "Büro";
    EXPECT_EQ(CProfileFile().Save(path, model, 7, 1), 0);
    return path;
}

TEST(ProfileFileType, ExportedFilesAreOursOtherPrfFilesAreNot) {
    testsupport::TempHome home;
    namespace fs = std::filesystem;
    const fs::path share = fs::path(home.path()) / "share";
    fs::create_directories(share / "mime" / "packages");
    fs::copy_file(fs::path(VELKA_DESKTOP_DIR) / "velka-ta-profile.xml",
                  share / "mime" / "packages" / "velka-ta-profile.xml");
    testsupport::EnvGuard env;
    env.set("XDG_DATA_HOME", share.c_str());
    // xdg-mime asks the desktop's own file-type service (gio for this one),
    // which reads the shared MIME database.
    env.set("XDG_CURRENT_DESKTOP", "GNOME");
    const auto update =
        testsupport::runProgram("/usr/bin/update-mime-database", {(share / "mime").string()});
    ASSERT_EQ(update.code, 0) << update.err;

    const std::string exported = exportedProfileFile(home.file("export.prf"));
    const std::string qmake = home.file("feature.prf");
    testsupport::writeFile(qmake, "# qmake feature\nCONFIG += warn_on\nQMAKE_CXXFLAGS += -O2\n");
    const std::string named = home.file("export.txt");
    fs::copy_file(exported, named);

    const struct {
        std::string file;
        std::string type;
    } cases[] = {
        {exported, "application/x-velka-ta-profile"},
        {qmake, "text/plain"},
        {named, "text/plain"},
    };
    for (const auto& c : cases) {
        const auto query =
            testsupport::runProgram("/usr/bin/xdg-mime", {"query", "filetype", c.file});
        EXPECT_EQ(query.out, c.type + "\n") << c.file << ": " << query.err;
    }
}

TEST(ProfileFileThumbnailer, DrawsTheChosenIconAtTheAskedSize) {
    testsupport::TempHome home;
    auto thumbnail = [&](const std::string& fileText, int size) {
        const std::string in = home.file("in.prf");
        const std::string out = home.file("out.png");
        testsupport::writeFile(in, fileText);
        std::filesystem::remove(out);
        const auto run =
            testsupport::runProgram("ta-prf-thumbnailer", {"-s", std::to_string(size), in, out});
        EXPECT_EQ(run.code, 0) << run.err;
        return QImage(QString::fromStdString(out));
    };
    const std::string general = "[General]\r\nDevice Type=1\r\n";
    const QImage plain = thumbnail(general, 48);
    ASSERT_EQ(plain.size(), QSize(48, 48));
    EXPECT_NE(plain.pixel(24, 24), plain.pixel(0, 0))
        << "the icon is drawn, not only its background";
    const QImage box = thumbnail(general + "[IconImage]\r\nIndex=1\r\n", 48);
    EXPECT_NE(box, plain);
    EXPECT_EQ(thumbnail(general + "[IconImage]\r\nIndex=99\r\n", 48), plain) << "no such icon";
    EXPECT_EQ(thumbnail(general, 256).size(), QSize(256, 256));

    const auto refused = testsupport::runProgram(
        "ta-prf-thumbnailer", {"-s", "0", home.file("in.prf"), home.file("x.png")});
    EXPECT_EQ(refused.code, 2);
}

// What the desktop entry starts: the host loads the built library and shows
// its page, or says why there is none.
TEST(ProfileFileViewer, ShowsTheExtensionsPageOfOneFile) {
    testsupport::TempHome home;
    const std::string file = exportedProfileFile(home.file("box.prf"));
    const auto one = testsupport::runProgram("ta-quillet-host", {"--list", file});
    EXPECT_EQ(one.code, 0) << one.err;
    EXPECT_NE(one.out.find("Details\n"), std::string::npos) << one.out;
    EXPECT_NE(one.out.find("1032 Tamo T/A ISDN Modem\n"), std::string::npos) << one.out;
    EXPECT_NE(one.out.find("1039 Profil 0 ( Büro )\n"), std::string::npos) << one.out;

    const auto two = testsupport::runProgram("ta-quillet-host", {"--list", file, file});
    EXPECT_EQ(two.code, 1);
    EXPECT_NE(two.err.find("keine Seite"), std::string::npos) << two.err;
    const auto missing =
        testsupport::runProgram("ta-quillet-host", {"--library", home.file("none.so"), file});
    EXPECT_EQ(missing.code, 1);
}

}  // namespace
