#pragma once
// What the firmware upgrade needs to know about each device kind: which
// image type codes fit it, and the texts and animation of its download.
#include <cstdint>
#include <string_view>

namespace firmware {

struct KindTexts {
    std::uint32_t actionLine;    // "Firmware %s wird ... übertragen"
    std::uint32_t timeout;       // no answer from the device
    std::uint32_t deviceError;   // the device cancelled
    std::uint32_t notForDevice;  // the image does not fit the device
    int animation;
    bool finalDot;  // cards end the download with "."; boxes with "...\r\n"
};

// Kinds 1 and 4 share the box's texts; kinds other than 1, 2, 4 and 8 are
// handled like the PC card.
const KindTexts& kindTexts(std::int32_t kind);

// The device kind an image type code is for; 0 for an unknown code.
std::int32_t kindOfTypeCode(std::string_view code);
// The device name shown for an image type code; 1056 "Unbekannt" otherwise.
std::uint32_t deviceNameOfTypeCode(std::string_view code);

// Whether an image of this type code may be loaded into a device of this
// kind. Boxes and the PCI card are checked; other kinds take any image that
// has a version record (the selection list still shows only theirs).
bool typeFitsDevice(std::string_view code, std::int32_t kind);
// Whether the selection list shows an image of this type code for the kind.
bool typeListedForDevice(std::string_view code, std::int32_t kind);

// Region texts: of an image by its region byte, of a device by its region.
std::uint32_t imageRegionText(char regionByte);
std::uint32_t deviceRegionText(std::int32_t region);

}  // namespace firmware
