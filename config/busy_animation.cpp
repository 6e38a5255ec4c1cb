#include "config/busy_animation.h"

#include <iterator>

#include "config/resource_ids.h"

namespace config {

namespace {

// The pictures of one device kind; kinds not listed get the last row.
struct KindAnimations {
    std::int32_t kind;
    int read;
    int write;
    int import;  // the PC card has no import picture of its own
};

constexpr KindAnimations kAnimations[] = {
    {1, IDR_AVI_READ_BOX, IDR_AVI_WRITE_BOX, IDR_AVI_WRITE_BOX},
    {4, IDR_AVI_READ_BOX, IDR_AVI_WRITE_BOX, IDR_AVI_WRITE_BOX},
    {2, IDR_AVI_READ_PRO, IDR_AVI_WRITE_PRO, IDR_AVI_WRITE_PRO},
    {8, IDR_AVI_READ_PCI, IDR_AVI_WRITE_PCI, IDR_AVI_WRITE_PCI},
    {16, IDR_AVI_READ_PCCARD, IDR_AVI_WRITE_PCCARD, IDR_AVI_WRITE_OTHER},
    {0, IDR_AVI_READ_OTHER, IDR_AVI_WRITE_OTHER, IDR_AVI_WRITE_OTHER},
};

const KindAnimations& forKind(std::int32_t deviceKind) {
    for (const KindAnimations& row : kAnimations)
        if (row.kind == deviceKind) return row;
    return kAnimations[std::size(kAnimations) - 1];
}

}  // namespace

int ReadAnimation(std::int32_t deviceKind) {
    return forKind(deviceKind).read;
}

int WriteAnimation(std::int32_t deviceKind) {
    return forKind(deviceKind).write;
}

int ImportAnimation(std::int32_t deviceKind) {
    return forKind(deviceKind).import;
}

}  // namespace config
