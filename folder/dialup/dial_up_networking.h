#pragma once
// CDialUpNetworking: the folder's dial-up networking over pppd. The phone
// book is the peers folder (dialup::PhoneBook); dialling and hanging up run
// pon and poff with the entry's name. After every action the entry names are
// read again and handed to `entriesChanged`, which rebuilds the frame's menu.
#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "folder/dialup/phone_book.h"

class QDialog;
class QWidget;

// An adapter a new entry can dial through.
struct DialAdapter {
    QString label;
    std::string device;  // "/dev/ttyUSB0"
};

class CDialUpNetworking {
public:
    CDialUpNetworking();
    explicit CDialUpNetworking(dialup::PhoneBook book);

    bool Available() const { return book_.Available(); }
    // The phone-book dialog (2661). kDialUpFolderMissing when the peers folder
    // is missing: the caller warns (WarnMissing).
    std::int32_t Open(QWidget* parent);
    // The entry of a menu command 2700 ... 2799 in its dialog.
    std::int32_t OpenEntry(QWidget* parent, std::uint32_t command);
    static bool IsEntryCommand(std::uint32_t command);
    void WarnMissing(QWidget* parent) const;

    const std::vector<std::string>& Entries() const { return entries_; }
    void ReadEntries();

    // pon and poff with the entry's name; the errors are shown here.
    std::int32_t Dial(QWidget* parent, const std::string& name);
    std::int32_t HangUp(QWidget* parent, const std::string& name);
    // The entry's dialog; a new entry's when the name is empty, which then
    // receives the new name. kOk once written, kUserCancelled when the dialog
    // was cancelled.
    std::int32_t EditEntry(QWidget* parent, std::string& name);
    std::int32_t RemoveEntry(QWidget* parent, const std::string& name);

    dialup::PhoneBook& Book() { return book_; }

    std::function<void(const std::vector<std::string>&)> entriesChanged;
    std::function<std::vector<DialAdapter>()> adapters;
    // Runs a modal dialog; tests answer it instead.
    std::function<int(QDialog&)> runDialog;

private:
    std::int32_t RunTool(QWidget* parent, const char* tool, const std::string& name);
    void ShowError(QWidget* parent, std::int32_t code, const std::string& name) const;

    dialup::PhoneBook book_;
    std::vector<std::string> entries_;
};
