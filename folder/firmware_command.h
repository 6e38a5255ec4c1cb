#pragma once
// Loading firmware into an adapter of the list: the command (the
// configurator asks for the image) and an image dropped onto a row.
#include <cstdint>
#include <string>

class CFolderDoc;
class CFolderView;

// Under the device-access mutex: asks first (not for an adapter that runs
// only its boot loader: it has nothing to lose), then has the configurator
// load `file`, or the image the user picks when `file` is empty. Any outcome
// but a cancel refreshes the list, the adapter selected again. Returns the
// upgrade's result; 4102 when cancelled or when the item has no record;
// 9001 when the mutex could not be had (the user was told so).
std::int32_t LoadFirmware(CFolderView& view, CFolderDoc& doc, int item,
                          const std::string& file = {});
