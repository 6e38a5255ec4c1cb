#pragma once
// CElmVersion: reads the version record of a firmware image (*.elm).
//
// Somewhere in the image stands the marker "SYS_VER "; the 20 bytes after it
// are the record: the version text (zero-terminated, at most 13 bytes), the
// 3-character type code at offset 13 and the region byte at offset 16 ("R"
// for international firmware). The file is read in pieces of 1000 bytes, so
// the marker and the record may both be cut at a piece boundary; the reader
// keeps what it matched or copied and goes on with the next piece.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class CElmVersion {
public:
    static constexpr std::size_t kPieceSize = 1000;
    static constexpr std::size_t kRecordSize = 20;
    static constexpr std::size_t kVersionSize = 13;
    static constexpr std::string_view kMarker{"SYS_VER ", 8};

    CElmVersion() { Reset(); }

    // Forgets a half-matched marker, a half-copied record and the result.
    void Reset();
    // 0 with the record read, or 5002 when the file cannot be opened or read
    // or holds no complete record.
    std::int32_t ReadFile(const std::string& path);
    // The same over bytes in memory, cut into pieces as a file would be.
    std::int32_t ReadBytes(std::string_view bytes);
    // One piece (any length); true once the record is complete. Pieces after
    // that are ignored.
    bool Feed(std::string_view piece);
    bool Complete() const { return record_.size() == kRecordSize; }

    // Valid when Complete().
    const std::string& Version() const { return version_; }
    const std::string& Type() const { return type_; }  // 3 characters
    char Region() const { return region_; }
    bool International() const { return region_ == 'R'; }

private:
    void Finish();

    std::string carry_;   // the end of the last piece that begins the marker
    std::string record_;  // record bytes copied so far (once the marker is complete)
    bool inRecord_ = false;
    std::string version_;
    std::string type_;
    char region_ = 0;
};
