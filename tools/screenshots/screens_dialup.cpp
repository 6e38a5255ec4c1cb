// Dial-up networking: the phone book, empty and with two entries in a private
// peers folder, and the entry dialog of a new and of an existing entry.
#include <QTemporaryDir>
#include <filesystem>

#include "folder/dialup/dial_entry_dlg.h"
#include "folder/dialup/dial_up_networking.h"
#include "folder/dialup/phone_book_dlg.h"
#include "tools/screenshots/screens.h"

namespace {

const std::vector<DialAdapter> kAdapters = {
    {QStringLiteral("Tamo T/A ISDN Modem auf COM1"), "/dev/ttyS0"},
    {QStringLiteral("Tamo T/A Pro ISDN Modem auf COM3"), "/dev/ttyUSB0"},
};

CDialUpNetworking* emptyBook(screenshots::Scene& s) {
    auto* dir = s.make<QTemporaryDir>();
    const std::string peers = dir->path().toStdString() + "/peers";
    std::filesystem::create_directories(peers);
    return s.make<CDialUpNetworking>(dialup::PhoneBook(peers));
}

CDialUpNetworking* sampleBook(screenshots::Scene& s) {
    auto* dialUp = emptyBook(s);
    dialUp->Book().Write("Büro", {"/dev/ttyS0", 115200, "0301234567", "tamo"}, true);
    dialUp->Book().Write("Internet-Provider", {"/dev/ttyUSB0", 57600, "*31#0191011", ""}, true);
    dialUp->ReadEntries();
    return dialUp;
}

VELKA_SCREEN("dialup_phone_book", [](screenshots::Scene& s) {
    s.dialog = std::make_unique<CPhoneBookDlg>(*sampleBook(s));
});

VELKA_SCREEN("dialup_phone_book_empty", [](screenshots::Scene& s) {
    s.dialog = std::make_unique<CPhoneBookDlg>(*emptyBook(s));
});

VELKA_SCREEN("dialup_entry_new", [](screenshots::Scene& s) {
    s.dialog = std::make_unique<CDialEntryDlg>(kAdapters, "", dialup::DialEntry{});
});

VELKA_SCREEN("dialup_entry_edit", [](screenshots::Scene& s) {
    s.dialog = std::make_unique<CDialEntryDlg>(
        kAdapters, "Büro", dialup::DialEntry{"/dev/ttyUSB0", 57600, "0301234567", "tamo"});
});

}  // namespace
