#include "profile/device_profiles.h"

#include <algorithm>
#include <ctime>
#include <string_view>

#include "platform/clock.h"
#include "platform/event.h"
#include "platform/local_time.h"
#include "platform/status_codes.h"
#include "profile/command_builder.h"
#include "profile/listing_parser.h"
#include "profile/profile_settings.h"
#include "registry/registry.h"
#include "serial/com_speed.h"

namespace {

constexpr std::uint32_t kLinkBaud = 57600;
constexpr std::uint32_t kSettlePauseMs = 500;  // before a read, and before ATZ's answer

}  // namespace

// One open conversation with the adapter: the link open, the response event
// created and armed. Closing happens on every path, in the order disarm,
// close the port, drop the event.
class CDeviceProfiles::Session {
public:
    explicit Session(CDeviceProfiles& owner) : o_(owner) {}
    ~Session() {
        if (armed_) o_.link_.DisarmResponse();
        o_.link_.Close();
        o_.responseEvent_.reset();
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    std::int32_t Open(const std::string& port) {
        const std::int32_t status = o_.link_.Open(port.c_str(), kLinkBaud, 1, 1);
        if (status != 0) return status;
        o_.responseEvent_ = std::make_unique<platform::Event>();
        const std::int32_t armed = o_.link_.ArmResponse(
            o_.response_.data(), static_cast<std::int32_t>(kBufferSize), o_.responseEvent_.get(),
            &o_.status_, CComLink::kModeResultCode, nullptr, &answerLength_);
        armed_ = armed == 0;
        return armed;
    }

    // Writes the text and waits for its complete answer: 0, 258 or the
    // link's status for the answer.
    std::int32_t Exchange(std::string_view text) {
        Prepare();
        const std::int32_t written = Write(text);
        (void)written;  // a lost write shows as a missing answer
        return Wait();
    }

    void Prepare() {
        // Reset before writing, so an answer that comes late to an earlier
        // line cannot pass for the answer to this one.
        o_.responseEvent_->reset();
        o_.status_ = 0;
        answerLength_ = 0;
    }
    std::int32_t Write(std::string_view text) {
        const std::size_t n = text.size() < kBufferSize - 1 ? text.size() : kBufferSize - 1;
        text.copy(o_.command_.data(), n);
        o_.command_[n] = '\0';
        return o_.link_.Write(o_.command_.data(), static_cast<std::uint32_t>(n));
    }
    std::int32_t Wait() {
        const platform::WaitResult r = o_.responseEvent_->wait(kAnswerWaitMs);
        o_.responseEvent_->reset();
        if (r != platform::WaitResult::Signaled) return profile::kProfileNoAnswer;
        return o_.status_;
    }

    // Whole, even past a stray NUL byte on the line.
    std::string_view Answer() const {
        return std::string_view(o_.response_.data(),
                                std::min<std::size_t>(answerLength_, kBufferSize));
    }

private:
    CDeviceProfiles& o_;
    bool armed_ = false;
    std::uint32_t answerLength_ = 0;
};

CDeviceProfiles::CDeviceProfiles() = default;

CDeviceProfiles::~CDeviceProfiles() {
    link_.Close();
}

void CDeviceProfiles::Clear() {
    for (CProfile& p : profiles) p.Clear();
    activeProfile = 0;
    northAmerica = 1;
}

std::int32_t CDeviceProfiles::SetBusyDialog(IBusyDialog* dialog) {
    busyDialog_ = dialog;
    return profile::kProfileOk;
}

void CDeviceProfiles::ShowBusy(std::uint32_t stringId) {
    if (busyDialog_) busyDialog_->SetBusyText(stringId, profile::BusyText(stringId));
}

std::int32_t CDeviceProfiles::ReadProfiles(const std::string& port, std::int32_t region,
                                           std::int32_t kind, const CProfileSettings& settings) {
    Clear();
    incompleteGroups_ = {};
    platform::sleepMs(kSettlePauseMs);
    northAmerica = region == 1 ? 1 : 0;
    deviceKind = kind;

    ShowBusy(profile::kBusyConnecting);
    // A port that cannot be opened fails the Open below with the same code.
    std::uint32_t speed = 0;
    serial::DetectAndStoreComSpeed(link_, port, kind, serial::kMissingMeansOff, speed);

    Session session(*this);
    const std::int32_t opened = session.Open(port);
    if (opened != 0) return opened;
    return ReadOverLink(session, settings);
}

std::int32_t CDeviceProfiles::ReadOverLink(Session& session, const CProfileSettings& settings) {
    ShowBusy(profile::kBusyReading);
    std::int32_t status = session.Exchange("AT&V\r");
    if (status != 0) return status;

    profile::ListingContext context;
    context.northAmerica = northAmerica;
    context.deviceKind = deviceKind;
    context.enableVoiceForBox = settings.EnableVoiceForBox;
    context.enableModemForPro = settings.EnableModemForPro;
    const profile::ListingResult listing =
        profile::ParseProfileListing(session.Answer(), context, profiles);
    incompleteGroups_ = listing.incompleteGroups;
    if (listing.status != 0) return listing.status;
    // Without "&Y" the adapter has no region list worth asking for.
    if (!listing.activeProfileFound) return profile::kProfileOk;
    activeProfile = listing.activeProfile;

    status = session.Exchange("atI100\r");
    if (status != 0) return status;
    const std::string_view reply = session.Answer();
    for (CProfile& p : profiles) p.i100Reply.assign(reply);
    return profile::kProfileOk;
}

std::int32_t CDeviceProfiles::WriteProfiles(const std::string& port) {
    refused_.clear();
    ShowBusy(profile::kBusyConnecting);
    Session session(*this);
    const std::int32_t opened = session.Open(port);
    if (opened != 0) return opened;
    return WriteOverLink(session);
}

std::int32_t CDeviceProfiles::WriteOverLink(Session& session) {
    ShowBusy(profile::kBusyWriting);
    const profile::LineSender send = [this, &session](const std::string& line) {
        const std::int32_t status = session.Exchange(line);
        if (status == 0 && profile::AnswerIsError(session.Answer())) {
            const std::size_t end = line.find_last_not_of('\r');
            refused_.push_back(line.substr(0, end == std::string::npos ? 0 : end + 1));
        }
        return status;
    };
    for (std::int32_t i = 0; i < kProfileCount; ++i) {
        const auto pieces = profile::BuildProfileCommands(profiles[static_cast<std::size_t>(i)], i,
                                                          northAmerica, deviceKind);
        const std::int32_t status = profile::RunProfileCommands(pieces, send, kBufferSize - 1);
        if (status != 0) return status;
    }

    std::int32_t status = send("AT&Y" + std::to_string(activeProfile) + "\r");
    if (status != 0) return status;

    const std::time_t now = std::time(nullptr);
    const std::tm local = platform::localTime(now);
    // The sending step adds its own carriage return; the adapter ignores the
    // empty line, and the clock's answer is not needed.
    session.Exchange(profile::ClockLine(local) + "\r");

    ShowBusy(profile::kBusyRestarting);
    session.Prepare();
    status = session.Write("ATZ" + std::to_string(activeProfile) + "\r");
    if (status != 0) return status;
    // The adapter restarts: give it time, take whatever answer comes.
    platform::sleepMs(kSettlePauseMs);
    session.Wait();
    return profile::kProfileOk;
}
