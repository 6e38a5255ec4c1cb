#include "config/firmware/elm_version.h"

#include <algorithm>
#include <array>
#include <fstream>

#include "config/firmware/firmware_status.h"

void CElmVersion::Reset() {
    carry_.clear();
    record_.clear();
    inRecord_ = false;
    version_.clear();
    type_.clear();
    region_ = 0;
}

bool CElmVersion::Feed(std::string_view piece) {
    if (Complete()) return true;
    if (!inRecord_) {
        // The marker is looked for in what was carried over plus this piece,
        // so one cut anywhere -- even inside a repeated "SYS" -- is found.
        std::string text = carry_;
        text.append(piece);
        const std::size_t at = text.find(kMarker);
        if (at == std::string::npos) {
            // Keep the longest end of the text that could still begin a marker.
            carry_.clear();
            for (std::size_t n = std::min(text.size(), kMarker.size() - 1); n > 0; --n) {
                if (std::string_view(text).substr(text.size() - n) == kMarker.substr(0, n)) {
                    carry_ = text.substr(text.size() - n);
                    break;
                }
            }
            return false;
        }
        inRecord_ = true;
        carry_.clear();
        const std::size_t start = at + kMarker.size();
        // What of the record lies in this piece: `text` ends with the piece.
        piece = std::string_view(text).substr(start);
        record_.append(piece.substr(0, kRecordSize));
    } else {
        record_.append(piece.substr(0, kRecordSize - record_.size()));
    }
    if (Complete()) Finish();
    return Complete();
}

void CElmVersion::Finish() {
    const std::string_view text = std::string_view(record_).substr(0, kVersionSize);
    version_ = std::string(text.substr(0, text.find('\0')));
    type_ = record_.substr(13, 3);
    region_ = record_[16];
}

std::int32_t CElmVersion::ReadBytes(std::string_view bytes) {
    Reset();
    for (std::size_t at = 0; at < bytes.size() && !Complete(); at += kPieceSize)
        Feed(bytes.substr(at, kPieceSize));
    return Complete() ? firmware::kOk : firmware::kElmNoVersion;
}

std::int32_t CElmVersion::ReadFile(const std::string& path) {
    Reset();
    std::ifstream file(path, std::ios::binary);
    if (!file) return firmware::kElmNoVersion;
    std::array<char, kPieceSize> piece;
    while (!Complete()) {
        file.read(piece.data(), piece.size());
        const auto got = static_cast<std::size_t>(file.gcount());
        if (got > 0) Feed(std::string_view(piece.data(), got));
        if (file.bad()) return firmware::kElmNoVersion;
        if (got < piece.size()) break;
    }
    return Complete() ? firmware::kOk : firmware::kElmNoVersion;
}
