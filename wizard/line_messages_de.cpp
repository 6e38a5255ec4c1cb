// German texts of the line detection's messages, exact as the users know
// them, one entry per line, sorted by id.
#include "platform/string_table.h"
#include "wizard/line_sequence.h"

namespace wizard {

namespace {
// clang-format off
constexpr platform::StringEntry kMessages[] = {
    {1238, "Der Konfig.Assistent konnte keine SPID für ISDN-Rufnummer 1 finden. Falls Ihre Nummer falsch eingegeben wurde, klicken Sie auf Zurück zum Korrigieren.\n\nWenn Sie fortfahren, versucht der Konfig.Assistant, eine SPID für ISDN-Rufnummer 2 zu finden. Wirklich fortfahren ?"},
    {1242, "Initialisierung mit dem ISDN-Netzwerk schlug fehl, da SPID 1 ungültig ist.\n\nBitte prüfen, ob SPID richtig eingegeben oder kontaktieren Sie Ihren ISDN-Dienstanbieter für die richtige SPID. Ohne gültige SPID erhalten Sie nur Zugriff auf einen begrenzten Service.\n\nSoll SPID 1 geändert werden?"},
    {1243, "Rufnummer 1 finden. Falls Ihre Nummer falsch eingegeben wurde, klicken Sie auf Zurück zum Korrigieren. Klicken Sie auf 'Weiter', werden Sie aufgefordert, Ihre SPID einzugeben."},
    {1254, "Der Konfig.Assistant bekam keinen Anschluß zum ISDN-Netzwerk.\n\nPrüfen Sie, ob das Gerät gestartet und angeschlossen ist. Klicken Sie Zurück und:\n1. Klicken Sie 'Weiter', um es erneut zu versuchen.\noder\n2. Wählen Sie Gerät Offline konfigurieren."},
    {1271, "Der Konfig.Assistant bekam keinen Anschluß zum ISDN-Netzwerk.\n\nPrüfen Sie, ob das Gerät gestartet und angeschlossen ist. Klicken Sie auf Zurück und:\n1. Klicken Sie'Weiter', um es erneut zu versuchen.\nOder\n2. Wählen Sie Gerät Offline konfigurieren."},
    {1273, "Der Konfig.Assistent konnte keine Verbindung mit dem ISDN-Netzwerk bekommen. Bitte prüfen, ob Sie fest angeschlossen sind."},
    {1276, "Initialisierung mit dem ISDN-Netzwerk schlug fehl, da SPID 2 ungültig ist.\n\nBitte prüfen, ob SPID richtig eingegeben wurde oder kontaktieren Sie Ihren ISDN-Dienstanbieter für die richtige SPID. Ohne gültige SPID erhalten Sie nur Zugriff auf einen begrenzten Service.\n\nSoll SPID 2 geändert werden?"},
    {1279, "Sie sind im Begriff, die SPID-Erkennung zu stoppen.\n\nWollen Sie wirklich stoppen?"},
    {1290, "Die Firmware auf Ihrem Tamo Terminal Adapter ist entweder überholt oder ist keine nordamerikanische.\n\nWählen Sie die Option Firmware herunterladen im Ordner  Tamo Terminal Adapter, um die richtige Firmware zu laden. Sie können auch auf Zurück klicken und Offline konfigurieren"},
    {1304, "Der Konfig.Assistant konnte keine SPID für Rufnummer 2 finden. Falls Ihre Nummer falsch eingegeben wurde, klicken Sie auf Zurück zum Korrigieren. Klicken Sie auf 'Weiter', werden Sie aufgefordert, Ihre SPID einzugeben."},
    {1305, "Der Konfig.Assistent konnte Ihr Gerät nicht initialisieren.\n\nBitte prüfen, ob das Gerät gestartet und fest angeschlossen ist. Klicken Sie Zurück und:\n1. Klicken Sie'Weiter' zum Verbinden.\noder\n2. Wählen Sie das Konfigurieren Offline."},
};
// clang-format on
}  // namespace

std::string_view LineMessageText(std::uint32_t id) {
    static const platform::StringTable table(kMessages);
    return table.text(id);
}

}  // namespace wizard
