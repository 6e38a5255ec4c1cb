#pragma once
// Whole-file reads, appends and atomic replacement: the file operations the
// suite needs beyond what the standard library does portably.
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

enum class ReadResult { Ok, Missing, Failed };

// Reads a regular file of at most maxBytes. Anything else under the name (a
// FIFO, a device, a folder) fails at once instead of blocking.
ReadResult readRegularFile(const std::string& path, std::string& text, std::uint64_t maxBytes);

// Replaces the file's content so that a reader sees the old bytes or the new
// ones, never a mix: a temporary file with a unique name beside the target
// is written, flushed to disk and renamed over it. A symbolic link is kept
// and the file it points at replaced. An existing file keeps its mode; a new
// one gets the mode any new file of the process gets. On failure the target
// is untouched and no temporary file is left. kOk, kFileNotFound (the
// folder or a link's target is missing), kAccessDenied or kIoError.
std::int32_t replaceFile(const std::string& path, std::string_view bytes);

// Appends to the file, creating it. kOk, kAccessDenied or kIoError.
std::int32_t appendToFile(const std::string& path, std::string_view bytes);

// kOk with the size, or kFileNotFound.
std::int32_t fileSize(const std::string& path, std::uint64_t& size);
// kOk, kFileNotFound or kAccessDenied.
std::int32_t removeFile(const std::string& path);
bool pathExists(const std::string& path);

}  // namespace platform
