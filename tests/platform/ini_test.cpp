// Private-profile files: the document model, the classic caller-buffer
// contract and edits of real files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/ini_detail.h"
#include "platform/ini_file.h"
#include "tests/support/temp_home.h"

using namespace platform::ini;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

// A value that does not fit gets size - 1 bytes and its NUL; a list of names
// gets size - 2 bytes and two NULs. Nothing is written past the buffer.
TEST(IniBuffer, ValueIsCutToSizeMinusOneAndListToSizeMinusTwo) {
    using namespace std::string_literals;
    const std::vector<std::string> names{"ab", "cd"};
    const struct {
        bool list;
        std::uint32_t size;
        std::uint32_t returned;
        std::string bytes;  // the buffer's first `size` bytes afterwards
    } rows[] = {
        {false, 0, 0, ""},
        {false, 1, 0, "\0"s},
        {false, 2, 1, "a\0"s},
        {false, 6, 5, "abcde\0"s},
        {false, 7, 6, "abcdef\0"s},
        {false, 8, 6, "abcdef\0#"s},
        {true, 0, 0, ""},
        {true, 1, 0, "\0"s},
        {true, 2, 0, "\0\0"s},
        {true, 3, 1, "a\0\0"s},
        {true, 6, 4, "ab\0c\0\0"s},
        {true, 7, 6, "ab\0cd\0\0"s},
        {true, 8, 6, "ab\0cd\0\0#"s},
    };
    for (const auto& row : rows) {
        std::vector<char> buffer(row.size + 8, '#');
        const std::uint32_t rc = row.list ? detail::copyList(names, buffer.data(), row.size)
                                          : detail::copyText("abcdef", buffer.data(), row.size);
        EXPECT_EQ(rc, row.returned) << row.list << " size " << row.size;
        EXPECT_EQ(std::string(buffer.data(), row.size), row.bytes) << row.list << " " << row.size;
        EXPECT_EQ(std::string(buffer.data() + row.size, 8), std::string(8, '#'))
            << "written past the buffer: " << row.list << " size " << row.size;
    }
    char empty[4] = {'#', '#', '#', '#'};
    EXPECT_EQ(detail::copyList({}, empty, 4), 0u);
    EXPECT_EQ(std::string(empty, 4), "\0\0##"s);
}

TEST(IniDocument, ParsesEveryLineEndAndKeepsOtherLines) {
    const struct {
        const char* text;
        const char* section;
        const char* key;
        const char* value;  // null: not found
    } rows[] = {
        {"[A]\r\nk=v\r\n", "a", "K", "v"},
        {"[A]\nk=v", "A", "k", "v"},
        {"[A]\rk=v\r", "A", "k", "v"},  // bare CR ends a line
        {"[A]\r\rk=v", "A", "k", "v"},
        {"  [ Sec One ]  \n  Key  =  some value  \n", "sec one", "key", "some value"},
        {"[A]\nk==x\n", "A", "k", "=x"},
        {"[A]\n;k=v\n", "A", ";k", nullptr},  // comment
        {"k=v\n[A]\n", "A", "k", nullptr},    // before any section
        {"[A]\nk=first\nk=second\n", "A", "k", "first"},
        {"[A]\nk=v\n[B]\nk=w\n[A]\nk=x\n", "b", "K", "w"},
        {"[A\nk=v\n", "A", "k", "v"},  // header without ']'
        {"[A]\nk=\n", "A", "k", ""},
        {"[A]\nnovalue\n", "A", "novalue", nullptr},
    };
    for (const auto& row : rows) {
        const Document doc = Document::parse(row.text);
        const std::string* value = doc.find(row.section, row.key);
        if (row.value == nullptr) {
            EXPECT_EQ(value, nullptr) << row.text;
        } else {
            ASSERT_NE(value, nullptr) << row.text;
            EXPECT_EQ(*value, row.value) << row.text;
        }
    }
    const Document doc = Document::parse("; head\n[A]\nx = 1 \n\n[B]\n");
    EXPECT_EQ(doc.serialize(), "; head\r\n[A]\r\nx = 1 \r\n\r\n[B]\r\n");
}

TEST(IniDocument, EditsInPlaceAppendAtSectionEndAndRefuseInjection) {
    Document doc = Document::parse("[A]\nx=1\ny=2\n\n; about B\n[B]\nz=3\n");
    EXPECT_TRUE(doc.set("a", "X", "10"));   // replaced where it stands, name keeps its case
    EXPECT_TRUE(doc.set("A", "new", "n"));  // after the last entry, before the blank line
    EXPECT_TRUE(doc.set("C", "c", "c"));    // new section at the end
    EXPECT_EQ(doc.serialize(),
              "[A]\r\nx=10\r\ny=2\r\nnew=n\r\n\r\n; about B\r\n[B]\r\nz=3\r\n[C]\r\nc=c\r\n");

    EXPECT_TRUE(doc.set("B", "z", "ok\r\n[Evil]\r\nkey=1"));
    EXPECT_FALSE(doc.set("B", "a=b", "1"));
    EXPECT_FALSE(doc.set("B", "k\nx", "1"));
    EXPECT_FALSE(doc.set("B]\n[C", "k", "1"));
    EXPECT_FALSE(doc.set("B", ";k", "1"));
    EXPECT_FALSE(doc.set("", "k", "1"));
    const Document reread = Document::parse(doc.serialize());
    EXPECT_EQ(*reread.find("B", "z"), "ok");
    EXPECT_FALSE(reread.hasSection("Evil"));
    EXPECT_EQ(reread.sectionNames(), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(reread.keyNames("b"), (std::vector<std::string>{"z"}));

    doc.removeKey("A", "Y");
    doc.removeSection("b");
    EXPECT_EQ(doc.serialize(), "[A]\r\nx=10\r\nnew=n\r\n\r\n; about B\r\n[C]\r\nc=c\r\n");
}

class IniFileTest : public ::testing::Test {
protected:
    std::string get(const char* section, const char* key, const char* def = "") {
        char buf[256];
        const std::uint32_t n = getPrivateProfileString(section, key, def, buf, sizeof buf, path_);
        return std::string(buf, n);
    }
    testsupport::TempHome home_;
    std::string path_ = home_.file("test.ini");
};

TEST_F(IniFileTest, ReadsCaseInsensitivelyWithDefaultsAndListings) {
    writeFile(path_, "[Region]\r\nCount = 2 \r\nName=Deutschland\r\n[Other]\r\nx=1\r\n");
    EXPECT_EQ(get("REGION", "name"), "Deutschland");
    EXPECT_EQ(get("region", "missing", "vorgabe  "), "vorgabe");
    EXPECT_EQ(get("nosuch", "x", nullptr), "");
    EXPECT_EQ(get(nullptr, nullptr), std::string("Region\0Other\0", 13));
    EXPECT_EQ(get("region", nullptr), std::string("Count\0Name\0", 11));
    EXPECT_EQ(get("nosuch", nullptr), "");

    char section[64];
    const std::uint32_t n = getPrivateProfileSection("region", section, sizeof section, path_);
    EXPECT_EQ(std::string(section, n), std::string("Count=2\0Name=Deutschland\0", 25));

    const struct {
        const char* value;
        std::int32_t expected;
    } ints[] = {{"42", 42}, {"-7", -7}, {"12abc", 12},
                {"abc", 0}, {"", 99},   {"99999999999", INT32_MAX}};
    for (const auto& row : ints) {
        ASSERT_TRUE(writePrivateProfileString("Num", "v", row.value, path_));
        EXPECT_EQ(getPrivateProfileInt("num", "V", 99, path_), row.expected) << row.value;
    }
    EXPECT_EQ(getPrivateProfileInt("num", "missing", 5, path_), 5);
    EXPECT_EQ(get("missing-file-section", "k", "d"), "d");
    EXPECT_EQ(readString(home_.file("none.ini"), "a", "b", "dflt"), "dflt");
}

// A value in double quotes reads without them (the section listing keeps
// them), and the listing of a section holds its lines without "=" too.
TEST_F(IniFileTest, QuotedValuesAndBareLinesReadAsTheClassicCallsDo) {
    using namespace std::string_literals;
    writeFile(path_,
              "[S]\r\nq=\"val2\"\r\n bare line \r\nsp=\" a b \"\r\nhalf=\"x\r\none=\"\r\n"
              "empty=\"\"\r\nn=\"42\"\r\n;note\r\n");
    const struct {
        const char* key;
        const char* value;
    } rows[] = {{"q", "val2"}, {"sp", " a b "}, {"half", "\"x"},
                {"one", "\""}, {"empty", ""},   {"bare line", "none"}};
    for (const auto& row : rows) {
        EXPECT_EQ(get("S", row.key, "none"), row.value) << row.key;
        EXPECT_EQ(readString(path_, "S", row.key, "none"), row.value) << row.key;
    }
    char cut[4];
    EXPECT_EQ(getPrivateProfileString("S", "q", "", cut, sizeof cut, path_), 3u);
    EXPECT_EQ(std::string(cut), "val");
    EXPECT_EQ(getPrivateProfileInt("S", "n", 0, path_), 42);
    EXPECT_EQ(get("S", nullptr), "q\0sp\0half\0one\0empty\0n\0"s);

    char section[128];
    const std::uint32_t n = getPrivateProfileSection("s", section, sizeof section, path_);
    EXPECT_EQ(std::string(section, n),
              "q=\"val2\"\0bare line\0sp=\" a b \"\0half=\"x\0one=\"\0empty=\"\"\0n=\"42\"\0"s);
}

TEST_F(IniFileTest, WritesKeepEverythingElseAndReplaceAtomically) {
    writeFile(path_, "; Kommentar\n[A]\nx=1\ny=2\n\n[B]\nz=3\n");
    ASSERT_TRUE(writePrivateProfileString("a", "X", "neu", path_));
    ASSERT_TRUE(writePrivateProfileString("A", "w", "4", path_));
    ASSERT_TRUE(writePrivateProfileString("B", "z", nullptr, path_));
    ASSERT_TRUE(writePrivateProfileString("C", "c", "5", path_));
    EXPECT_EQ(readFile(path_),
              "; Kommentar\r\n[A]\r\nx=neu\r\ny=2\r\nw=4\r\n\r\n[B]\r\n[C]\r\nc=5\r\n");
    ASSERT_TRUE(writePrivateProfileString("B", nullptr, nullptr, path_));
    EXPECT_EQ(get(nullptr, nullptr), std::string("A\0C\0", 4));

    // No temporary file is left beside the target.
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(home_.path()))
        files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 1u);
}

TEST_F(IniFileTest, LineBreakInValueWritesOnlyItsFirstLine) {
    ASSERT_TRUE(
        writePrivateProfileString("Dial", "Number", "0301234\r\n[Injected]\r\nkey=evil", path_));
    ASSERT_TRUE(writePrivateProfileString("Dial", "Other", "a\rb", path_));
    EXPECT_EQ(readFile(path_), "[Dial]\r\nNumber=0301234\r\nOther=a\r\n");
    EXPECT_EQ(get("Injected", "key", "none"), "none");
    EXPECT_FALSE(writePrivateProfileString("Dial", "a=b", "1", path_));
}

TEST_F(IniFileTest, MissingFileAndUnwritablePlaces) {
    // Deleting from a file that does not exist creates nothing.
    EXPECT_TRUE(writePrivateProfileString("A", "k", nullptr, path_));
    EXPECT_FALSE(std::filesystem::exists(path_));
    EXPECT_FALSE(writePrivateProfileString("A", "k", "v", home_.file("no/such/dir/x.ini")));
    EXPECT_FALSE(writePrivateProfileString(nullptr, "k", "v", path_));
    // A directory where the file should be is a failure, not an empty file.
    std::filesystem::create_directory(home_.file("dir.ini"));
    EXPECT_FALSE(writePrivateProfileString("A", "k", "v", home_.file("dir.ini")));
    // So is a FIFO, and neither a read nor a write waits for its writer.
    const std::string fifo = home_.file("fifo.ini");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(readString(fifo, "A", "k", "none"), "none");
    EXPECT_FALSE(writePrivateProfileString("A", "k", "v", fifo));
    char buf[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(getPrivateProfileString("A", "k", "default", buf, 0, path_), 0u);
    EXPECT_EQ(buf[0], 'x');
    EXPECT_EQ(getPrivateProfileString("A", "k", "default", buf, 4, path_), 3u);
    EXPECT_EQ(std::string(buf), "def");
}

TEST_F(IniFileTest, KeepsTheFileModeAndWritesThroughSymlinks) {
    writeFile(path_, "[A]\nk=1\n");
    std::filesystem::permissions(path_, std::filesystem::perms(0640));
    const std::string link = home_.file("link.ini");
    std::filesystem::create_symlink(path_, link);
    ASSERT_TRUE(writePrivateProfileString("A", "k", "2", link));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(get("A", "k"), "2");
    EXPECT_EQ(std::filesystem::status(path_).permissions(), std::filesystem::perms(0640));
}

}  // namespace
