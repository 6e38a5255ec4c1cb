#include "folder/dialup/phone_book.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "folder/dialup/peer_file.h"
#include "platform/file_io.h"
#include "platform/status_codes.h"

namespace dialup {
namespace {

std::string peersFromEnvironment() {
    const char* folder = std::getenv("VELKA_TA_PPP_PEERS");
    return folder && *folder ? folder : "/etc/ppp/peers";
}

std::int32_t codeOf(const std::error_code& ec) {
    if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted ||
        ec == std::errc::read_only_file_system)
        return platform::kAccessDenied;
    return platform::kIoError;
}

}  // namespace

PhoneBook::PhoneBook() : PhoneBook(peersFromEnvironment()) {}

PhoneBook::PhoneBook(std::string peersFolder) : folder_(std::move(peersFolder)) {
    while (folder_.size() > 1 && folder_.back() == '/') folder_.pop_back();
}

std::string PhoneBook::ChatFolder() const {
    return std::filesystem::path(folder_).parent_path().string() + "/chatscripts";
}

bool PhoneBook::Available() const {
    std::error_code ec;
    return std::filesystem::is_directory(folder_, ec);
}

std::int32_t PhoneBook::Names(std::vector<std::string>& names) const {
    names.clear();
    std::error_code ec;
    std::filesystem::directory_iterator it(folder_, ec);
    if (ec) return folder::kDialUpFolderMissing;
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        const std::string name = it->path().filename().string();
        if (IsSafeName(name) && it->is_regular_file(typeError)) names.push_back(name);
        if (ec) break;
    }
    // The menu shows the first hundred in the order the user reads them.
    std::sort(names.begin(), names.end());
    if (names.size() > kMaxEntries) names.resize(kMaxEntries);
    return platform::kOk;
}

std::int32_t PhoneBook::ReadPeer(const std::string& name, std::string& text) const {
    if (!IsSafeName(name)) return folder::kDialUpBadName;
    switch (platform::readRegularFile(PeerPath(name), text, kMaxFileBytes)) {
        case platform::ReadResult::Ok:
            return platform::kOk;
        case platform::ReadResult::Missing:
            return platform::kFileNotFound;
        case platform::ReadResult::Failed:
            break;
    }
    return platform::kInvalidData;
}

std::int32_t PhoneBook::Read(const std::string& name, DialEntry& entry) const {
    std::string text;
    PeerFile peer;
    if (const std::int32_t result = ReadPeer(name, text); result != platform::kOk) return result;
    if (const std::int32_t result = PeerFile::Parse(text, peer); result != platform::kOk)
        return result;
    const PeerSettings& s = peer.Settings();
    entry = DialEntry{s.device, s.speed, {}, s.user};
    std::string script;
    if (!s.chatScript.empty() &&
        platform::readRegularFile(s.chatScript, script, kMaxFileBytes) == platform::ReadResult::Ok)
        entry.number = ChatScriptNumber(script);
    return platform::kOk;
}

std::int32_t PhoneBook::Write(const std::string& name, const DialEntry& entry, bool create) {
    if (!IsSafeName(name)) return folder::kDialUpBadName;
    if (!IsDialNumber(entry.number) || !IsSafePath(entry.device)) return folder::kDialUpBadValue;
    if (!Available()) return folder::kDialUpFolderMissing;
    PeerFile peer = PeerFile::New();
    std::string text;
    const std::int32_t read = ReadPeer(name, text);
    if (create) {
        if (read != platform::kFileNotFound) return folder::kDialUpEntryExists;
        std::vector<std::string> names;
        Names(names);
        if (names.size() >= kMaxEntries) return folder::kDialUpBookFull;
    } else if (read != platform::kOk || PeerFile::Parse(text, peer) != platform::kOk) {
        return read == platform::kOk ? platform::kInvalidData : read;
    }
    const std::string chat = ChatPath(name);
    if (peer.SetSettings({entry.device, entry.speed, chat, entry.user}) != platform::kOk)
        return folder::kDialUpBadValue;

    // The script first: a peer file never names a script that is not there.
    std::error_code ec;
    std::filesystem::create_directory(ChatFolder(), ec);
    if (ec) return codeOf(ec);
    if (const std::int32_t result = platform::replaceFile(chat, MakeChatScript(entry.number));
        result != platform::kOk)
        return result;
    return platform::replaceFile(PeerPath(name), peer.Render());
}

std::int32_t PhoneBook::Remove(const std::string& name) {
    std::string text;
    PeerFile peer;
    if (const std::int32_t result = ReadPeer(name, text); result != platform::kOk) return result;
    const bool ownScript = PeerFile::Parse(text, peer) == platform::kOk &&
                           peer.Settings().chatScript == ChatPath(name);
    if (const std::int32_t result = platform::removeFile(PeerPath(name)); result != platform::kOk)
        return result;
    if (ownScript) platform::removeFile(ChatPath(name));
    return platform::kOk;
}

}  // namespace dialup
