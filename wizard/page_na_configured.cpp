#include "wizard/page_na_configured.h"

#include "wizard/resource_ids.h"

namespace wizard {

CWizConfigured::CWizConfigured()
    : ConfiguredPage(IDD_WIZ_CONFIGURED,
                     QStringLiteral("Das ausgewählte Gerät wurde bereits richtig konfiguriert und "
                                    "Ihre ISDN-Leitung erfolgreich initialisiert."),
                     QStringLiteral("&Aktuelle Konfiguration benutzen. (Empfohlen)")) {}

// The North-American pages chain on from here.
int CWizConfigured::next() {
    applicationError();
    return -1;
}

}  // namespace wizard
