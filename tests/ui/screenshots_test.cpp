// The screenshot tool run as reviewers run it: every screen becomes a PNG
// that shows something, and a broken filter or folder is reported.
#include <gtest/gtest.h>
#include <QImage>
#include <QSet>

#include <sys/wait.h>
#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "tests/support/temp_home.h"

namespace {

struct ToolRun {
    int status = -1;
    std::vector<std::string> files;
};

ToolRun runTool(const std::string& args) {
    ToolRun run;
    const std::string command = testsupport::binDir() + "/ta-screenshots " + args + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 512> line{};
    while (fgets(line.data(), int(line.size()), pipe)) {
        std::string text(line.data());
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        run.files.push_back(text);
    }
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

TEST(Screenshots, EveryScreenBecomesAPictureWithContent) {
    testsupport::TempHome home;
    const std::string folder = home.file("shots");
    const ToolRun run = runTool(folder);
    ASSERT_EQ(run.status, 0);
    std::set<std::string> names;
    for (const std::string& file : run.files) {
        names.insert(std::filesystem::path(file).filename().string());
        QImage image(QString::fromStdString(file));
        ASSERT_FALSE(image.isNull()) << file;
        EXPECT_GE(image.width(), 144) << file;
        EXPECT_GE(image.height(), 83) << file;
        // A dialog that failed to paint is one flat colour.
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 3)
            for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
        EXPECT_GT(colours.size(), 8) << file;
    }
    for (const char* expected :
         {"busy_read_box.png", "busy_write_box.png", "busy_read_pccard.png",
          "busy_write_pccard.png", "busy_import_pccard.png", "sample_sheet_stacked_tabs.png",
          "sample_sheet_single_row.png", "sample_wizard.png", "message_yes_no.png"})
        EXPECT_TRUE(names.count(expected)) << expected;
}

TEST(Screenshots, AFilterPicksScreensByName) {
    testsupport::TempHome home;
    const ToolRun run = runTool(home.file("shots") + " busy_write_p");
    ASSERT_EQ(run.status, 0);
    std::vector<std::string> names;
    for (const auto& f : run.files) names.push_back(std::filesystem::path(f).filename().string());
    EXPECT_EQ(names, (std::vector<std::string>{"busy_write_pro.png", "busy_write_pci.png",
                                               "busy_write_pccard.png"}));
}

TEST(Screenshots, AFolderThatCannotBeMadeIsAnError) {
    testsupport::TempHome home;
    testsupport::writeFile(home.file("plain"), "x");
    EXPECT_NE(runTool(home.file("plain") + "/shots").status, 0);
}

}  // namespace
