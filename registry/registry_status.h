#pragma once
// Status codes of the registry key wrapper.
#include <cstdint>

namespace registry {

inline constexpr std::int32_t kRegOk = 0;
inline constexpr std::int32_t kRegEmptyName = 1010;  // recursive deletion of an empty name
inline constexpr std::int32_t kRegCannotOpen = 2000;
inline constexpr std::int32_t kRegCannotClose = 2001;
inline constexpr std::int32_t kRegCannotWrite = 2002;
inline constexpr std::int32_t kRegCannotRead = 2003;  // missing, or larger than its buffer
inline constexpr std::int32_t kRegCannotCreate = 2004;
inline constexpr std::int32_t kRegCannotDelete = 2005;

// Read buffers hold 300 bytes: 299 characters and the terminating zero.
inline constexpr std::uint32_t kRegReadBufferSize = 300;
// A written string with its terminating zero must fit in 260 bytes.
inline constexpr std::uint32_t kRegWriteLimit = 260;

}  // namespace registry
