#pragma once
// The registry store: hierarchical keys under four roots, with string and
// 32-bit values, kept in one SQLite database shared by every program of the
// suite (WAL mode, busy time-out), so folder, monitor and configurator can
// read and write it at the same time.
//
// Key and value names are case-insensitive and keep the case they were
// created with. Paths use backslashes and never start with one.
// The database lives at paths::registryDbPath(); a missing one is created
// and filled with the installation defaults.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/status_codes.h"

namespace platform {

enum class RegRoot : std::uint8_t {
    LocalMachine = 0,
    CurrentUser = 1,
    ClassesRoot = 2,
    DynData = 3
};

// The classic type numbers, so stored values read the same on every layer.
enum class RegType : std::uint32_t { None = 0, String = 1, Dword = 4 };

// "HKLM\\SOFTWARE\\x" / "HKEY_LOCAL_MACHINE\\..." -> root and path.
bool parseRootedKey(std::string_view text, RegRoot& root, std::string& path);
std::string_view rootShortName(RegRoot root);  // "HKLM", "HKCU", "HKCR", "HKDD"
std::string_view rootLongName(RegRoot root);   // "HKEY_LOCAL_MACHINE", ...

// Limits that keep a damaged or hostile store from exhausting memory: no
// value holds more than kMaxValueBytes, no key name is longer than
// kMaxKeyNameLength characters (the classic limit).
inline constexpr std::uint32_t kMaxValueBytes = 1024 * 1024;
inline constexpr std::uint32_t kMaxKeyNameLength = 255;

// Pure decoders of stored value data. Stored bytes are outside input: a
// corrupted database must give an error, never a crash.
// A string value's data holds its text plus a terminating zero; the text ends
// at the first zero byte.
std::int32_t decodeDword(const std::vector<std::uint8_t>& data, std::uint32_t& out);
std::int32_t decodeString(const std::vector<std::uint8_t>& data, std::string& out);
std::vector<std::uint8_t> encodeDword(std::uint32_t value);
// "REG_SZ", "REG_DWORD", "REG_NONE", else "REG_UNKNOWN".
std::string_view typeName(RegType type);
// A value's data as a listing shows it: the text of a string, "0x1f" for a
// 32-bit number, the bytes in hex for anything else or anything malformed.
std::string valueDataText(RegType type, const std::vector<std::uint8_t>& data);

// Runs `work` as one transaction of the store: every key and value operation
// this thread makes inside it joins it. Another program sees all the writes
// of a write batch or none of them, and the reads of a read batch see the
// store as it was at one moment. A write batch whose work returns non-zero
// is rolled back, and that status is returned; a write inside a read batch
// is refused (kInvalidParameter). kStoreError when the batch cannot start or
// commit.
enum class RegBatch : std::uint8_t { Read, Write };
std::int32_t regBatch(RegBatch kind, const std::function<std::int32_t()>& work);

// An open key. Closed on destruction; movable, not copyable. A key deleted
// while open makes every further operation on it fail with kFileNotFound.
class RegKey {
public:
    RegKey() = default;
    ~RegKey();
    RegKey(RegKey&& other) noexcept;
    RegKey& operator=(RegKey&& other) noexcept;
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    // Opens an existing key; kFileNotFound when it is missing.
    static std::int32_t open(RegRoot root, std::string_view path, RegKey& out);
    // Opens the key, creating it and every missing key above it.
    static std::int32_t create(RegRoot root, std::string_view path, RegKey& out,
                               bool* created = nullptr);

    bool isOpen() const { return id_ != 0; }
    void close();
    RegRoot root() const { return root_; }
    const std::string& path() const { return path_; }

    // Type and size in bytes of a value (strings count their terminating zero).
    std::int32_t queryValueInfo(std::string_view name, RegType& type, std::uint32_t& size) const;
    // Copies at most `size` bytes of the value into `buffer`; kMoreData (and the
    // needed size in `size`) when it does not fit, buffer untouched.
    std::int32_t queryValue(std::string_view name, RegType& type, void* buffer,
                            std::uint32_t& size) const;
    std::int32_t readString(std::string_view name, std::string& out) const;
    std::int32_t readDword(std::string_view name, std::uint32_t& out) const;
    // The value's type and stored bytes as they are.
    std::int32_t readRaw(std::string_view name, RegType& type,
                         std::vector<std::uint8_t>& data) const;

    std::int32_t setString(std::string_view name, std::string_view text);
    std::int32_t setDword(std::string_view name, std::uint32_t value);
    std::int32_t deleteValue(std::string_view name);

    // index-th sub-key or value in creation order; kNoMoreItems past the end.
    std::int32_t enumKey(std::uint32_t index, std::string& name) const;
    std::int32_t enumValue(std::uint32_t index, std::string& name, RegType& type) const;
    std::int32_t subKeyNames(std::vector<std::string>& names) const;
    std::int32_t valueNames(std::vector<std::string>& names) const;

    // The system's key deletion of a direct sub-key. On the consumer line it
    // removes the whole tree; on the NT line it refuses (kAccessDenied) while
    // the sub-key has sub-keys of its own, as those systems do.
    std::int32_t deleteSubKey(std::string_view name);
    // Removes a sub-key with everything below it on every system version.
    std::int32_t deleteTree(std::string_view name);

private:
    RegRoot root_ = RegRoot::LocalMachine;
    std::string path_;
    std::int64_t id_ = 0;
};

}  // namespace platform
