#pragma once
// What the reader and the writer need of the configurator's busy dialog: a
// line of text that tells the user which step runs. The profile engine stays
// free of any user-interface library; the dialog implements this.
//
// SetBusyText is called on the worker thread that runs ReadProfiles or
// WriteProfiles, so an implementation must hand the text over to its own
// user-interface thread (for example with a queued call) and must not block.
#include <cstdint>

namespace profile {

// String-table ids and their texts, shown while the engine works.
inline constexpr std::uint32_t kBusyConnecting = 57399;  // "Verbindet mit Gerät..."
inline constexpr std::uint32_t kBusyReading = 1294;      // "Liest von Gerät..."
inline constexpr std::uint32_t kBusyWriting = 1295;      // "Schreibt zu Gerät..."
inline constexpr std::uint32_t kBusyRestarting = 57398;  // "Gerät wird gestartet..."

// The German text of one of the ids above; empty for any other id.
const char* BusyText(std::uint32_t stringId);

}  // namespace profile

class IBusyDialog {
public:
    virtual ~IBusyDialog() = default;
    // stringId is one of profile::kBusy*; text is its German text (UTF-8).
    virtual void SetBusyText(std::uint32_t stringId, const char* text) = 0;
};
