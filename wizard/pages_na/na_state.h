#pragma once
// What the North-American pages learn from the line and keep between them
// during one run: the line status and SPID list of the connection page, the
// area code, the SPIDs the network accepted, and the numbers they were
// found for. The online/offline page starts it afresh, since every path to
// the number pages passes it once per run.
#include <string>

#include "wizard/line_sequence.h"

#include "wizard/wizard_export.h"

namespace wizard::na {

struct NaState {
    LineStatus status;
    SpidList spidList;  // spidList.available: the line handed SPIDs out
    std::string areaCode;

    // The SPIDs offered to the network and whether it took them, the
    // patterns that found them and the device-cleared toggle, shared by the
    // SPID test and entry pages.
    SpidSearchState search;
    // The area-code number page saw numbers other than on its last visit.
    bool numbersChanged = false;
    bool searchStoppedByUser = false;

    // The list entry the automatic number page for number 1 took; -1 none.
    int autoNumber1 = -1;

    // Set by the online/offline page: the connection page starts detecting
    // by itself when it is shown next.
    bool startDetection = false;
    // Set by the number pages: the SPID test page searches when shown next.
    bool startSearch = false;
};

VELKA_WIZARD_EXPORT NaState& Na();
VELKA_WIZARD_EXPORT void ResetNa();

}  // namespace wizard::na
