// The screenshot tool run as reviewers run it: every screen becomes a PNG
// that shows something, a filter picks screens, and a broken folder is
// reported.
#include <gtest/gtest.h>
#include <QImage>
#include <QSet>

#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/process.h"
#include "tests/support/temp_home.h"

namespace {

// The files the tool wrote, one a line of its output; empty when it failed.
std::vector<std::string> shoot(const std::vector<std::string>& args, int& status) {
    const testsupport::RunResult run = testsupport::runProgram("ta-screenshots", args);
    status = run.code;
    std::vector<std::string> files;
    std::istringstream out(run.out);
    for (std::string line; std::getline(out, line);) files.push_back(line);
    return files;
}

std::string fileName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

TEST(Screenshots, EveryScreenBecomesAPictureWithContent) {
    testsupport::TempHome home;
    int status = -1;
    std::set<std::string> names;
    for (const std::string& file : shoot({home.file("shots")}, status)) {
        names.insert(fileName(file));
        QImage image(QString::fromStdString(file));
        ASSERT_FALSE(image.isNull()) << file;
        // A menu is as narrow as its longest item; a dialog never is.
        const bool menu = fileName(file).find("_menu") != std::string::npos;
        EXPECT_GE(image.width(), menu ? 80 : 144) << file;
        EXPECT_GE(image.height(), menu ? 40 : 83) << file;
        // A dialog that failed to paint is one flat colour.
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 3)
            for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
        EXPECT_GT(colours.size(), 8) << file;
    }
    EXPECT_EQ(status, 0);
    for (const char* expected :
         {"busy_read_box.png", "busy_write_box.png", "busy_read_pccard.png",
          "busy_write_pccard.png", "busy_import_pccard.png", "sample_sheet_stacked_tabs.png",
          "sample_sheet_single_row.png", "sample_wizard.png", "message_yes_no.png"})
        EXPECT_TRUE(names.count(expected)) << expected;
}

TEST(Screenshots, AFilterPicksScreensByNameAndAFolderThatCannotBeMadeIsAnError) {
    testsupport::TempHome home;
    int status = -1;
    std::vector<std::string> names;
    for (const std::string& file : shoot({home.file("shots"), "busy_write_p"}, status))
        names.push_back(fileName(file));
    EXPECT_EQ(status, 0);
    EXPECT_EQ(names, (std::vector<std::string>{"busy_write_pro.png", "busy_write_pci.png",
                                               "busy_write_pccard.png"}));

    testsupport::writeFile(home.file("plain"), "x");
    shoot({home.file("plain") + "/shots"}, status);
    EXPECT_NE(status, 0);
}

}  // namespace
