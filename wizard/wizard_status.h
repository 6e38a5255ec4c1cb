#pragma once
// Status codes of the wizard library (200 a pattern for another area code,
// 13011 a list or value of AREACODE.INI too long, 13012 a bad mode letter):
// the suite's one table of codes.
#include "platform/status_codes.h"
