#pragma once
// Messages between the programs of the suite. A message registered by name
// gets a number that every program of the session agrees on; a program's
// main window is an endpoint (a datagram socket in the runtime folder, named
// by a short text); posting hands (message, wParam, lParam) to an endpoint
// and returns at once, sending waits for the receiver's answer.
//
// Only these integers cross: no pointers, no memory. An endpoint whose
// program died (its socket file left behind) counts as no window.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

// Registered numbers lie in the classic range of named window messages.
inline constexpr std::uint32_t kFirstRegisteredMessage = 0xC000;
inline constexpr std::uint32_t kLastRegisteredMessage = 0xFFFF;

// The suite's message and the monitor's icon callback message.
inline constexpr const char* kSuiteMessageName = "Velka6A0FCAA0-619B-11d1-BC30-00C04FC976B6";
inline constexpr const char* kTrayCallbackMessageName = "Velka4E663000-619B-11d1-BC30-00C04FC976B6";

// The system's own message that asks a window to close (WM_CLOSE).
inline constexpr std::uint32_t kCloseMessage = 0x0010;

// Longest endpoint name; it is a file name in the runtime folder.
inline constexpr std::size_t kMaxEndpointLength = 80;

// Endpoint names: letters, digits, '-', '_' and '.', at most kMaxEndpointLength.
bool validEndpointName(std::string_view name);

struct Message {
    std::uint32_t message = 0;
    std::uint64_t wParam = 0;
    std::int64_t lParam = 0;
};

// The number of a message name (case-insensitive, like the classic call),
// the same in every program of the session; 0 when the table cannot be read
// or written, or the name is empty.
std::uint32_t registerMessage(std::string_view name);
// The registration table holds one name per line, the first line numbered
// kFirstRegisteredMessage. Index of `name` (case-insensitive) or -1; `count`
// gets the number of lines.
int registeredMessageIndex(std::string_view table, std::string_view name, int& count);

// One datagram on the wire. A send carries the endpoint that waits for the
// answer; the answer comes back as a Reply with the result in lParam.
struct MessagePacket {
    enum class Kind : std::uint8_t { Post = 0, Send = 1, Reply = 2 };
    Kind kind = Kind::Post;
    Message message;
    std::string replyTo;  // Send only: the sender's answer endpoint
};
std::string encodeMessagePacket(const MessagePacket& packet);
// Pure and bounds-checked: false (and `out` untouched) for anything that is
// not exactly one well-formed packet.
bool decodeMessagePacket(std::string_view bytes, MessagePacket& out);

// True when `endpoint` names a live window (a program is bound to it).
bool isWindow(const std::string& endpoint);
// 0; kInvalidHandle when there is no such window; kInvalidParameter for an
// empty or malformed name.
std::int32_t postMessage(const std::string& endpoint, const Message& message);
// Waits at most timeoutMs (scaled) for the receiver to handle the message;
// `result` is its answer. kWaitTimeout when it did not answer in time. A
// window must not send to itself from its own thread: it would wait for
// itself until the time-out.
std::int32_t sendMessage(const std::string& endpoint, const Message& message,
                         std::uint32_t timeoutMs, std::int64_t& result);

// A bound endpoint: the receiving end of a window. Its socket file is removed
// when the object goes.
class MessageEndpoint {
public:
    struct Received {
        Message message;
        std::string replyTo;  // non-empty when the sender waits for an answer
    };

    // Binds a new endpoint "<prefix>-<pid>-<n>" in the runtime folder.
    static std::int32_t create(std::string_view prefix, std::unique_ptr<MessageEndpoint>& out);
    ~MessageEndpoint();
    MessageEndpoint(const MessageEndpoint&) = delete;
    MessageEndpoint& operator=(const MessageEndpoint&) = delete;

    const std::string& name() const { return name_; }
    // Readable when a message waits (for the event loop's notifier).
    int fd() const { return fd_; }
    // Takes one waiting message without blocking; false when none waits.
    // Malformed datagrams are dropped.
    bool receive(Received& out);
    // Answers a sent message; a sender that gave up is ignored.
    void reply(const Received& received, std::int64_t result);

private:
    MessageEndpoint() = default;
    int fd_ = -1;
    std::string name_;
    std::string path_;
};

}  // namespace platform
