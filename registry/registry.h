#pragma once
// CRegistry names one key of the registry store (root and path) and opens it
// anew for every operation; it holds no handle between calls.
#include <cstdint>
#include <string>

#include "platform/registry_store.h"
#include "platform/status_codes.h"

namespace registry {
// Read buffers hold 300 bytes: 299 characters and the terminating zero.
inline constexpr std::uint32_t kRegReadBufferSize = 300;
// A written string with its terminating zero must fit in 260 bytes.
inline constexpr std::uint32_t kRegWriteLimit = 260;
}  // namespace registry

// The suite's own key below the local-machine root.
inline constexpr const char* kSuiteKey = "SOFTWARE\\Velka\\Tamo TA Common";

class CRegistry {
public:
    CRegistry() = default;
    CRegistry(platform::RegRoot root, std::string path);
    explicit CRegistry(std::string path);  // below the local-machine root

    std::int32_t Exists() const;
    std::int32_t Open(platform::RegKey& key) const;
    std::int32_t Create() const;
    // buffer must hold kRegReadBufferSize bytes; left untouched on failure.
    std::int32_t ReadString(const char* name, char* buffer) const;
    std::int32_t ReadString(const char* name, std::string& text) const;
    std::int32_t ReadDword(const char* name, std::uint32_t& value) const;
    std::int32_t WriteString(const char* name, const char* text) const;
    std::int32_t WriteDword(const char* name, std::uint32_t value) const;
    std::int32_t DeleteValue(const char* name) const;
    std::int32_t DeleteKey() const;
    CRegistry SubKey(const char* name) const;

    const std::string& Path() const { return path_; }
    platform::RegRoot Root() const { return root_; }

private:
    std::string path_;
    platform::RegRoot root_ = platform::RegRoot::LocalMachine;
};
