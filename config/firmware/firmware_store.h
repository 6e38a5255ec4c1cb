#pragma once
// The firmware store: the folder of images the selection lists, and how an
// image from elsewhere joins it.
#include <cstdint>
#include <string>
#include <vector>

namespace firmware {

struct StoredImage {
    std::string path;
    std::string version;
    std::string type;
    char region = 0;
};

// The store folder (value ELM of the Directory key), ending in a separator;
// the installed sample folder when the value cannot be read.
std::string storeDirectory();

// Every "*.elm" image of `directory` with a readable version record, sorted
// by file name.
std::vector<StoredImage> listImages(const std::string& directory);

// Copies `source` into the store: over an image of the same version, type
// and region, otherwise to the first "firm<N>.elm" that does not exist yet.
// 0 with the copy's path in `stored`, 5002 when the source has no version
// record, 4000 when it cannot be read or the copy cannot be written.
std::int32_t addImage(const std::string& directory, const std::string& source, std::string& stored);

}  // namespace firmware
