#pragma once
// The dial-up phone book: one pppd peer file per entry in the peers folder
// (/etc/ppp/peers, or the folder VELKA_TA_PPP_PEERS names), its chat script
// of the same name in the folder "chatscripts" beside it. Every write
// replaces a file whole, so a crash leaves an entry old or new, never half.
#include <cstdint>
#include <string>
#include <vector>

namespace dialup {

// One entry as the dialogs show it.
struct DialEntry {
    std::string device;
    std::uint32_t speed = 0;
    std::string number;
    std::string user;
};

class PhoneBook {
public:
    // The peers folder of the environment, else the system's.
    PhoneBook();
    explicit PhoneBook(std::string peersFolder);

    const std::string& Folder() const { return folder_; }
    std::string ChatFolder() const;
    // The folder exists: pppd is installed.
    bool Available() const;

    // The entries' names, sorted: regular files with a safe name, at most 100.
    // kOk or kDialUpFolderMissing.
    std::int32_t Names(std::vector<std::string>& names) const;
    // kOk, kDialUpBadName, kFileNotFound or kInvalidData (not a peer file).
    std::int32_t Read(const std::string& name, DialEntry& entry) const;
    // Creates the entry (kDialUpEntryExists when it is there, kDialUpBookFull
    // at 100 entries) or rewrites it, keeping the peer file's other lines.
    // kDialUpBadName, kDialUpBadValue, kDialUpFolderMissing, kAccessDenied,
    // kIoError.
    std::int32_t Write(const std::string& name, const DialEntry& entry, bool create);
    // Removes the peer file, and its chat script when the peer used ours.
    std::int32_t Remove(const std::string& name);

private:
    std::string PeerPath(const std::string& name) const { return folder_ + "/" + name; }
    std::string ChatPath(const std::string& name) const { return ChatFolder() + "/" + name; }
    std::int32_t ReadPeer(const std::string& name, std::string& text) const;

    std::string folder_;
};

}  // namespace dialup
