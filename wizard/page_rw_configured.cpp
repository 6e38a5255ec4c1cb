#include "wizard/page_rw_configured.h"

#include "wizard/resource_ids.h"

namespace wizard {

CWizConfiguredROW::CWizConfiguredROW()
    : ConfiguredPage(IDD_WIZ_CONFIGURED_ROW,
                     QStringLiteral("Das ausgewählte Gerät ist bereits konfiguriert. "),
                     QStringLiteral("Bitte &aktuelle Konfiguration benutzen.")) {}

int CWizConfiguredROW::next() {
    applicationError();
    return -1;
}

}  // namespace wizard
