// Fuzz target: any text as a peer file, then an edit of every field. An
// edited file must read back with the values written, and an unedited one
// must come back byte for byte.
#include <cstddef>
#include <cstdint>
#include <string>

#include "folder/dialup/peer_file.h"
#include "platform/status_codes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    dialup::PeerFile file;
    if (dialup::PeerFile::Parse(text, file) != platform::kOk) return 0;
    if (file.Render() != text) __builtin_trap();
    (void)dialup::ChatScriptNumber(text);
    (void)dialup::IsSafeName(text);

    const dialup::PeerSettings wanted{"/dev/ttyS1", 57600, "/etc/ppp/chatscripts/fuzz", "ich"};
    if (file.SetSettings(wanted) != platform::kOk) __builtin_trap();
    dialup::PeerFile reread;
    if (dialup::PeerFile::Parse(file.Render(), reread) != platform::kOk) return 0;
    const dialup::PeerSettings& back = reread.Settings();
    if (back.device != wanted.device || back.speed != wanted.speed ||
        back.chatScript != wanted.chatScript || back.user != wanted.user)
        __builtin_trap();
    return 0;
}
