#include "registry/registry.h"

#include <cstring>
#include <vector>

#include "platform/os_version.h"

using platform::RegKey;
using platform::RegType;
using namespace registry;

namespace {

// A null value name means the key's default value, as with the system calls.
std::string_view valueName(const char* name) {
    return name ? std::string_view(name) : std::string_view();
}

// The key's last name and the path of its parent.
void splitLast(const std::string& path, std::string& parent, std::string& last) {
    const std::size_t slash = path.rfind('\\');
    if (slash == std::string::npos) {
        parent.clear();
        last = path;
    } else {
        parent = path.substr(0, slash);
        last = path.substr(slash + 1);
    }
}

// Deletes `path` and everything below it one level at a time, for systems
// whose key deletion leaves sub-keys alone.
std::int32_t deleteRecursive(platform::RegRoot root, const std::string& path) {
    if (path.empty()) return kRegEmptyName;
    RegKey key;
    if (RegKey::open(root, path, key) != platform::kOk) return kRegCannotDelete;
    for (;;) {
        std::string child;
        const std::int32_t rc = key.enumKey(0, child);
        if (rc == platform::kNoMoreItems) break;
        if (rc != platform::kOk) return kRegCannotDelete;
        if (const std::int32_t sub = deleteRecursive(root, path + "\\" + child); sub != kRegOk)
            return sub == kRegEmptyName ? kRegCannotDelete : sub;
    }
    key.close();
    std::string parentPath, last;
    splitLast(path, parentPath, last);
    RegKey parent;
    if (RegKey::open(root, parentPath, parent) != platform::kOk) return kRegCannotDelete;
    return parent.deleteSubKey(last) == platform::kOk ? kRegOk : kRegCannotDelete;
}

}  // namespace

CRegistry::CRegistry(platform::RegRoot root, std::string path)
    : path_(std::move(path)), root_(root) {}

CRegistry::CRegistry(std::string path) : path_(std::move(path)) {}

std::int32_t CRegistry::Exists() const {
    RegKey key;
    return RegKey::open(root_, path_, key) == platform::kOk ? kRegOk : kRegCannotOpen;
}

std::int32_t CRegistry::Open(RegKey& key) const {
    return RegKey::open(root_, path_, key) == platform::kOk ? kRegOk : kRegCannotOpen;
}

std::int32_t CRegistry::Create() const {
    RegKey key;
    if (RegKey::create(root_, path_, key) != platform::kOk) return kRegCannotCreate;
    key.close();  // closing a store key cannot fail, so kRegCannotClose never arises
    return kRegOk;
}

std::int32_t CRegistry::ReadString(const char* name, std::string& text) const {
    RegKey key;
    if (RegKey::open(root_, path_, key) != platform::kOk) return kRegCannotOpen;
    // Type and size first: a value that would not fit the classic 300-byte
    // buffer is refused before any of it is copied.
    RegType type;
    std::uint32_t size = 0;
    if (key.queryValueInfo(valueName(name), type, size) != platform::kOk) return kRegCannotRead;
    if (type != RegType::String || size > kRegReadBufferSize) return kRegCannotRead;
    std::vector<std::uint8_t> data;
    if (key.readRaw(valueName(name), type, data) != platform::kOk || type != RegType::String ||
        data.size() > kRegReadBufferSize)
        return kRegCannotRead;  // changed by another program in between
    std::string value;
    if (platform::decodeString(data, value) != platform::kOk) return kRegCannotRead;
    // A stored text without its terminating zero could fill all 300 bytes
    // and leave no room for the one we add.
    if (value.size() >= kRegReadBufferSize) return kRegCannotRead;
    text = std::move(value);
    return kRegOk;
}

std::int32_t CRegistry::ReadString(const char* name, char* buffer) const {
    if (buffer == nullptr) return kRegCannotRead;
    std::string text;
    const std::int32_t rc = ReadString(name, text);
    if (rc != kRegOk) return rc;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return kRegOk;
}

std::int32_t CRegistry::ReadDword(const char* name, std::uint32_t& value) const {
    RegKey key;
    if (RegKey::open(root_, path_, key) != platform::kOk) return kRegCannotOpen;
    std::uint32_t read = 0;
    if (key.readDword(valueName(name), read) != platform::kOk) return kRegCannotRead;
    value = read;
    return kRegOk;
}

std::int32_t CRegistry::WriteString(const char* name, const char* text) const {
    RegKey key;
    if (RegKey::open(root_, path_, key) != platform::kOk) return kRegCannotOpen;
    // The text and its terminating zero must fit the 260-byte limit; a
    // longer one is refused whole rather than stored cut.
    if (text == nullptr || std::strlen(text) + 1 > kRegWriteLimit) return kRegCannotWrite;
    return key.setString(valueName(name), text) == platform::kOk ? kRegOk : kRegCannotWrite;
}

std::int32_t CRegistry::WriteDword(const char* name, std::uint32_t value) const {
    RegKey key;
    if (RegKey::open(root_, path_, key) != platform::kOk) return kRegCannotOpen;
    return key.setDword(valueName(name), value) == platform::kOk ? kRegOk : kRegCannotWrite;
}

std::int32_t CRegistry::DeleteValue(const char* name) const {
    RegKey key;
    if (RegKey::open(root_, path_, key) != platform::kOk) return kRegCannotOpen;
    return key.deleteValue(valueName(name)) == platform::kOk ? kRegOk : kRegCannotDelete;
}

std::int32_t CRegistry::DeleteKey() const {
    // An empty path names the root itself; deleting "everything" is never
    // what a caller meant.
    if (path_.empty()) return kRegEmptyName;
    // Only the consumer line's key deletion takes the sub-keys with it; on
    // every NT version the wrapper walks the tree itself, so the key goes
    // with all its levels wherever it runs.
    if (platform::osVersion().platformId != platform::kPlatformNt) {
        std::string parentPath, last;
        splitLast(path_, parentPath, last);
        RegKey parent;
        if (RegKey::open(root_, parentPath, parent) != platform::kOk) return kRegCannotDelete;
        return parent.deleteSubKey(last) == platform::kOk ? kRegOk : kRegCannotDelete;
    }
    return deleteRecursive(root_, path_);
}

CRegistry CRegistry::SubKey(const char* name) const {
    const std::string child = name ? name : "";
    return CRegistry(root_, path_.empty() ? child : path_ + "\\" + child);
}
