#pragma once
// Private-profile (INI) files with the classic semantics: case-insensitive
// section and key names, trimmed values, a default text, the caller's buffer
// size with truncation and the classic returned lengths, NUL-separated name
// listings, in-place edits that keep everything else, atomic replacement.
//
// The document model and its parser are pure functions over text (fuzzed);
// the file functions below read and write through them.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform::ini {

struct Line {
    // Bare: text inside a section without "=" (no key, but part of the
    // section's listing).
    enum class Kind { Other, Section, Entry, Bare } kind = Kind::Other;
    std::string raw;    // the line as written in the file (rebuilt for edited lines)
    std::string name;   // section or key name, or a bare line's text, trimmed
    std::string value;  // entry value, trimmed
};

class Document {
public:
    static Document parse(std::string_view text);  // CR, LF and CR LF all end a line
    std::string serialize() const;                 // CR LF line ends

    bool hasSection(std::string_view section) const;
    const std::string* find(std::string_view section, std::string_view key) const;
    std::vector<std::string> sectionNames() const;
    std::vector<std::string> keyNames(std::string_view section) const;
    std::vector<std::pair<std::string, std::string>> entries(std::string_view section) const;
    // Every line of the section as the section listing gives it: "key=value"
    // for entries, the bare text for lines without "=".
    std::vector<std::string> sectionLines(std::string_view section) const;

    // Replace in place or append at the end of the section (new section at the
    // end of the file). Only the value's first line is kept. false (and no
    // change) for a section or key name that would not read back as itself.
    bool set(std::string_view section, std::string_view key, std::string_view value);
    void removeKey(std::string_view section, std::string_view key);
    void removeSection(std::string_view section);

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::size_t sectionIndex(std::string_view section) const;  // first header of that name
    std::size_t sectionEnd(std::size_t header) const;          // next header or the end
    std::size_t entryIndex(std::string_view section, std::string_view key) const;

    std::vector<Line> lines_;
};

// A value as the classic reads return it: one written in double quotes
// ("text") without them, any other as it is.
std::string_view unquote(std::string_view value);

// Classic entry points. A null section lists the section names, a null key
// the key names of the section; both as NUL-separated names ending with an
// extra NUL. Returns the characters copied, without the final NUL(s):
// size - 1 for a value that was cut, size - 2 for a list that was cut.
// A value written in double quotes is returned without them.
std::uint32_t getPrivateProfileString(const char* section, const char* key, const char* defaultText,
                                      char* buffer, std::uint32_t size, const std::string& path);
std::int32_t getPrivateProfileInt(const char* section, const char* key, std::int32_t defaultValue,
                                  const std::string& path);
// The lines of a section ("key=value" pairs, and the text of lines without
// "=", values as written), NUL-separated, ending with an extra NUL.
std::uint32_t getPrivateProfileSection(const char* section, char* buffer, std::uint32_t size,
                                       const std::string& path);
// A null key deletes the section, a null value deletes the key. false when
// the file cannot be written (the old file is then left as it was).
bool writePrivateProfileString(const char* section, const char* key, const char* value,
                               const std::string& path);

// The file's text exactly as the reads above take it: empty for a file that
// is missing, unreadable, not a regular file (a FIFO or a device is never
// waited on) or larger than any INI file.
std::string fileText(const std::string& path);

// Why a file's text could not be taken.
enum class FileProblem { None, Missing, NoPermission, NotAFile, TooLarge, Unreadable };
// The file's text as fileText takes it, and, when it cannot, the reason.
FileProblem readFileText(const std::string& path, std::string& text);

// Replaces the file whole with the document, in one atomic replacement: a
// batched write for callers that set many keys. false when it cannot be
// written or the name holds something other than a file (a FIFO, a device,
// a folder); the old file is then left as it was.
bool writeDocument(const std::string& path, const Document& doc);

// Convenience for code that does not need the classic buffer contract.
std::string readString(const std::string& path, std::string_view section, std::string_view key,
                       std::string_view defaultText = {});

}  // namespace platform::ini
