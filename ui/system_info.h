#pragma once
// Facts about the system that the classic dialogs decided their look by.
// Qt's widgets stand in for the newest common controls (5.81) on a system
// without a service pack; VELKA_TA_COMCTL_VERSION ("4.70") and
// VELKA_TA_SERVICE_PACK ("Service Pack 1b") let tests choose others.
#include <string>

#include "ui/ui_export.h"

namespace ui {

struct CommonControlsVersion {
    int major = 5;
    int minor = 81;
};

VELKA_UI_EXPORT CommonControlsVersion commonControlsVersion();
VELKA_UI_EXPORT std::string servicePackText();
// "4.70" -> {4, 70}; false (and out untouched) for anything else.
VELKA_UI_EXPORT bool parseVersion(const std::string& text, CommonControlsVersion& out);

}  // namespace ui
