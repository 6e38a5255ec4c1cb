#include "shellext/drop_list.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "shellext/quillet.h"

using namespace std::string_literals;

namespace {

// A block as another program might hand it over: head, then `names` (raw
// bytes, terminators included as given).
std::vector<std::byte> block(std::uint32_t offset, bool wide, const std::string& names) {
    DROPFILES head{};
    head.pFiles = offset;
    head.fWide = wide ? 1 : 0;
    std::vector<std::byte> out(sizeof head + names.size());
    std::memcpy(out.data(), &head, sizeof head);
    std::memcpy(out.data() + sizeof head, names.data(), names.size());
    return out;
}

std::string wide(const std::u16string& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

struct Case {
    const char* what;
    std::vector<std::byte> block;
    std::vector<std::string> names;
};

TEST(DropFileNames, ReadsTheNamesOfWellAndBadlyFormedBlocks) {
    const std::uint32_t head = sizeof(DROPFILES);
    const Case cases[] = {
        {"one wide name", block(head, true, wide(u"/tmp/a.prf\0\0"s)), {"/tmp/a.prf"}},
        {"two wide names, umlaut",
         block(head, true, wide(u"/a.prf\0/Bür\u00f6.prf\0\0"s)),
         {"/a.prf", "/Bürö.prf"}},
        {"no names", block(head, true, wide(u"\0"s)), {}},
        {"8-bit Latin-1 name", block(head, false, std::string("/B\xfc.prf\0\0", 9)), {"/Bü.prf"}},
        {"last name without terminator ends the list",
         block(head, true, wide(u"/a.prf\0/b.p"s)),
         {"/a.prf"}},
        {"odd trailing byte", block(head, true, wide(u"/a\0"s) + "x"), {"/a"}},
        {"offset beyond the block", block(head + 100, true, wide(u"/a\0\0"s)), {}},
        {"offset inside the head", block(4, true, wide(u"/a\0\0"s)), {}},
        {"head cut short", std::vector<std::byte>(sizeof(DROPFILES) - 1), {}},
        {"lone surrogate dropped", block(head, true, wide(u"/a\xD800z\0\0"s)), {"/az"}},
        {"surrogate pair", block(head, true, wide(u"/\xD83D\xDE00\0\0"s)), {"/\xF0\x9F\x98\x80"}},
    };
    for (const Case& c : cases) EXPECT_EQ(quillet::DropFileNames(c.block), c.names) << c.what;
}

}  // namespace
