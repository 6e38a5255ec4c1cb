// Command lines split without a shell. Starting and waiting are shown with
// real panels by the folder's modem panel test.
#include "platform/waitable_process.h"

#include <gtest/gtest.h>

namespace {

TEST(SplitCommandLine, SeparatesAtBlanksOutsideQuotes) {
    const struct {
        const char* line;
        std::vector<std::string> args;
    } rows[] = {
        {"ta-modems %1", {"ta-modems", "%1"}},
        {"  a\t b  ", {"a", "b"}},
        {"\"C:\\Program Files\\panel.exe\" \"%1\"", {"C:\\Program Files\\panel.exe", "%1"}},
        {"a\"b c\"d e", {"ab cd", "e"}},
        {"x \"\" y", {"x", "", "y"}},
        {"x \"unclosed rest", {"x", "unclosed rest"}},
        {"", {}},
        {" \t ", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(platform::splitCommandLine(row.line), row.args);
    }
}

}  // namespace
