#pragma once
// Which SPID of the line's list each directory number gets, which numbers
// the automatic number pages preselect, the packet-only number for X.25,
// and the texts of the SPID details box. Pure.
#include <cstdint>
#include <string>
#include <vector>

#include "wizard/line_detector.h"

namespace wizard::na {

// For every number the index of the first SPID record that is available, has the
// needed services and is not taken by an earlier number; -1 when none (the
// number is then not usable).
std::vector<int> ChooseSpids(const std::vector<NumberEntry>& numbers, std::int32_t needed);

// The number preselected on the page for number 1 (`taken` -1) or number 2
// (`taken` the index number 1 got); -1 for none.
int PreselectedNumber(const std::vector<int>& choice, int taken);

// The number whose first SPID record is packet service alone, with a SPID no
// other number lists; empty when there is none.
std::string PacketOnlyNumber(const std::vector<NumberEntry>& numbers);

// The details box.
std::string AvailabilityText(bool available);
std::string ServicesText(std::int32_t services);  // "Daten, Sprache, Paket"
std::uint32_t VerdictText(const SpidRecord& record, std::int32_t needed);

}  // namespace wizard::na
