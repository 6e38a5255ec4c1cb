#include "serial/trace_log.h"

#include <algorithm>
#include <cstring>

#include "platform/file_io.h"
#include "platform/local_time.h"
#include "platform/status_codes.h"

namespace serial {

std::string traceFileText(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8 + 2);
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

std::string traceHeader(std::string_view timeText, std::string_view portName) {
    std::string s = "\n";
    s.append(53, '-');
    s += "\r\nReport Created at Time ";
    s += timeText;
    s += " on Connection ";
    s += portName;
    s += "\n\n";
    return s;
}

std::string traceWriteMarker(std::string_view portName) {
    return "\n[Write   to  : " + std::string(portName) + "]\n";
}

std::string traceReadMarker(std::string_view portName) {
    return "\n[Read    from: " + std::string(portName) + "]\n";
}

std::vector<std::string> traceWritePieces(const void* bytes, std::uint32_t length) {
    std::vector<std::string> pieces;
    if (!bytes) return pieces;
    const char* p = static_cast<const char*>(bytes);
    for (std::size_t at = 0; at < length; at += kTracePieceLength) {
        std::string piece(p + at, std::min<std::size_t>(kTracePieceLength, length - at));
        piece += '\n';
        pieces.push_back(std::move(piece));
    }
    return pieces;
}

std::string traceRestartBanner(std::string_view when, int limitKb) {
    std::string s = "This trace file was restarted at ";
    s += when;
    s += " \n(Maximum trace file size is ";
    s += std::to_string(limitKb);
    s += " KB)\n";
    s.append(40, '=');
    s += "\n\n";
    return s;
}

std::string traceBannerTime(std::time_t now) {
    return platform::formatCLocale(now, "%H:%M:%S on %A, %B %d, %Y");
}

void TraceLog::setPath(std::string path) {
    std::lock_guard lock(mutex_);
    path_ = std::move(path);
}

std::string TraceLog::path() const {
    std::lock_guard lock(mutex_);
    return path_;
}

std::int32_t TraceLog::appendLocked(std::string_view text) {
    if (path_.empty()) return kLinkTraceFailed;
    return platform::appendToFile(path_, traceFileText(text)) == platform::kOk ? kLinkOk
                                                                               : kLinkTraceFailed;
}

std::int32_t TraceLog::appendHeader(std::string_view portName, std::time_t now) {
    std::string time;
    if (platform::formatSystemTime(now, time) != 0) return kLinkTraceNoPath;
    std::lock_guard lock(mutex_);
    return appendLocked(traceHeader(time, portName));
}

std::int32_t TraceLog::appendWrite(std::string_view portName, const void* bytes,
                                   std::uint32_t length) {
    std::lock_guard lock(mutex_);
    std::int32_t rc = appendLocked(traceWriteMarker(portName));
    for (const auto& piece : traceWritePieces(bytes, length)) {
        if (std::int32_t r = appendLocked(piece); r != kLinkOk) rc = r;
    }
    return rc;
}

std::int32_t TraceLog::appendRead(std::string_view portName, const char* chunk,
                                  std::uint32_t length, bool withMarker) {
    std::lock_guard lock(mutex_);
    std::int32_t rc = kLinkOk;
    if (withMarker) rc = appendLocked(traceReadMarker(portName));
    if (std::int32_t r = appendLocked(std::string_view(chunk, length)); r != kLinkOk) rc = r;
    return rc;
}

std::int32_t TraceLog::applySizeLimit(std::time_t now) {
    std::lock_guard lock(mutex_);
    if (path_.empty()) return kLinkTraceFailed;
    std::uint64_t size = 0;
    if (platform::fileSize(path_, size) != platform::kOk) return kLinkTraceFailed;
    if (size <= kTraceLimitBytes) return kLinkOk;
    if (platform::removeFile(path_) != platform::kOk) return kLinkTraceFailed;
    return appendLocked(traceRestartBanner(traceBannerTime(now), kTraceLimitKb));
}

}  // namespace serial
