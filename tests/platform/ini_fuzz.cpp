// Fuzz target: INI text through the parser, the lookups, an edit and the
// classic buffer copies with small buffers.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ini_detail.h"
#include "platform/ini_file.h"

using namespace platform::ini;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    Document doc = Document::parse(text);
    const std::vector<std::string> sections = doc.sectionNames();
    for (const std::string& section : sections) {
        for (const std::string& key : doc.keyNames(section)) {
            const std::string* value = doc.find(section, key);
            if (value == nullptr) __builtin_trap();  // every listed key must be found
            char small[3];
            for (std::uint32_t n = 0; n <= sizeof small; ++n) detail::copyText(*value, small, n);
        }
        char small[4];
        for (std::uint32_t n = 0; n <= sizeof small; ++n)
            detail::copyList(doc.keyNames(section), small, n);
    }
    // An edit with the input's own text as value must read back as one line.
    const std::string value(text.substr(0, 64));
    if (doc.set("Fuzz", "Key", value)) {
        const Document reread = Document::parse(doc.serialize());
        const std::string* back = reread.find("Fuzz", "Key");
        if (back == nullptr) __builtin_trap();
        if (back->find_first_of("\r\n") != std::string::npos) __builtin_trap();
    }
    doc.removeSection(sections.empty() ? "x" : sections.front());
    (void)doc.serialize();
    return 0;
}
