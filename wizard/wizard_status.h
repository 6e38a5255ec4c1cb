#pragma once
// The wizard's codes are in platform/status_codes.h.
#include "platform/status_codes.h"
