#pragma once
// The trace log: everything a link writes and reads, appended to one file.
//
// The record texts are built by pure functions; TraceLog appends them the
// way the file has always looked: every line feed stored as CR LF (a CR
// already in front of it stays, giving CR CR LF), one append per record
// piece, the size limit applied only when a connection closes.
#include <cstdint>
#include <ctime>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace serial {

inline constexpr std::uint64_t kTraceLimitBytes = 153600;  // 150 KB
inline constexpr int kTraceLimitKb = 150;
inline constexpr std::size_t kTracePieceLength = 75;

// Line feeds become CR LF.
std::string traceFileText(std::string_view text);

std::string traceHeader(std::string_view timeText, std::string_view portName);
std::string traceWriteMarker(std::string_view portName);
std::string traceReadMarker(std::string_view portName);
// The written bytes, NUL bytes included, in pieces of 75 characters, each
// followed by a line feed. Nothing for an empty text.
std::vector<std::string> traceWritePieces(const void* bytes, std::uint32_t length);
// `when` is the local time as "%H:%M:%S on %A, %B %d, %Y" with English names.
std::string traceRestartBanner(std::string_view when, int limitKb);
std::string traceBannerTime(std::time_t now);

class TraceLog {
public:
    void setPath(std::string path);
    std::string path() const;

    // Each returns 0, or 1012 when the file cannot be opened, written,
    // closed or examined; the header also 1013 when the time has no text.
    std::int32_t appendHeader(std::string_view portName, std::time_t now);
    std::int32_t appendWrite(std::string_view portName, const void* bytes, std::uint32_t length);
    std::int32_t appendRead(std::string_view portName, const char* chunk, std::uint32_t length,
                            bool withMarker);
    // Replaces a file larger than the limit by one holding only the banner.
    std::int32_t applySizeLimit(std::time_t now);

private:
    std::int32_t appendLocked(std::string_view text);

    mutable std::mutex mutex_;
    std::string path_;
};

}  // namespace serial
