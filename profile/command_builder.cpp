#include "profile/command_builder.h"

#include <cstdio>
#include <string>

#include "profile/adapter_dialect.h"

namespace profile {

namespace {

std::string Num(std::int32_t v) {
    return std::to_string(v);
}
std::string Unsigned(std::int32_t v) {
    return std::to_string(static_cast<std::uint32_t>(v));
}

// "%A2=" and the protocol number; nothing for a connect type the adapter
// does not know.
std::string ConnectPiece(std::int32_t connectType) {
    const std::string_view code = ConnectTypeCode(connectType);
    return code.empty() ? std::string() : "%A2=" + std::string(code);
}

class PieceList {
public:
    void add(std::string text, Chain chain = Chain::None, bool stops = false) {
        pieces_.push_back(CommandPiece{std::move(text), chain, stops});
    }
    std::vector<CommandPiece> take() { return std::move(pieces_); }

private:
    std::vector<CommandPiece> pieces_;
};

void AddAnalogueLines(const CProfile& p, std::int32_t northAmerica, bool twoPorts, PieceList& out) {
    auto pair = [&](const char* name1, std::int32_t v1, const char* name2, std::int32_t v2) {
        std::string text = std::string(name1) + Num(v1);
        if (twoPorts) text += std::string(name2) + Num(v2);
        out.add(std::move(text), Chain::Analogue);
    };
    pair("*E1=", p.modePots1, "*E2=", p.modePots2);
    pair("*R1=", p.distinctRingPots1, "*R2=", p.distinctRingPots2);
    pair("*B1=", p.audioPots1, "*B2=", p.audioPots2);
    pair("*S1=", p.supplementaryServicesPots1, "*S2=", p.supplementaryServicesPots2);
    pair("*D1=", p.dialAccessPots1, "*D2=", p.dialAccessPots2);
    if (northAmerica == 1) {
        pair("*V1=", p.voiceMailPots1, "*V2=", p.voiceMailPots2);
        pair("*A1=", p.abbreviatedRingPots1, "*A2=", p.abbreviatedRingPots2);
        out.add("*K1=" + CommandText(p.callConferenceKey), Chain::Analogue);
        out.add("*K3=" + CommandText(p.callDropKey), Chain::Analogue);
        out.add("*K5=" + CommandText(p.vmwiKey), Chain::Analogue);
        out.add("*M=" + Num(p.vmwiRefreshTime), Chain::Analogue);
    }
    if (northAmerica == 0) pair("*W1=", p.callWaitingPots1, "*W2=", p.callWaitingPots2);
}

}  // namespace

std::string CommandText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '\r' && c != '\n' && c != '\0') out.push_back(c);
    return out;
}

std::vector<CommandPiece> BuildProfileCommands(const CProfile& p, std::int32_t index,
                                               std::int32_t northAmerica, std::int32_t deviceKind) {
    PieceList out;
    out.add("!C1=" + Num(p.switchType) + ConnectPiece(p.connectType), Chain::None, true);

    out.add("*P" + Num(p.region), Chain::Line);
    out.add("!N1=" + CommandText(p.number1) + "!N2=" + CommandText(p.number2), Chain::Line);
    if (northAmerica == 0) out.add("!N5=" + CommandText(p.n5Text), Chain::Line);
    out.add("!T1=" + Num(p.t1Setting) + "!T2=" + Num(p.t2Setting), Chain::Line);
    out.add("!A" + Num(p.portSettings), Chain::Line);
    if (northAmerica == 1)
        out.add("!C6=" + CommandText(p.spid1) + "!C7=" + CommandText(p.spid2) +
                    "!C4=" + Num(p.terminalMode1) + "!C5=" + Num(p.terminalMode2),
                Chain::Line);

    out.add("%P5=" + Num(p.bacp) + "%P6=" + Unsigned(p.bapStartInterval) +
                "%P7=" + Unsigned(p.bapRepeatInterval),
            Chain::Bandwidth);
    if (p.aodiSupported == 1) {
        out.add("!X10=" + Num(p.delayOpenB1) + "!X11=" + Num(p.thresholdOpenB1) +
                    "!X12=" + Num(p.thresholdCloseB1) + "!X13=" + Num(p.delayOpenB2) +
                    "!X14=" + Num(p.thresholdOpenB2) + "!X15=" + Num(p.thresholdCloseB2),
                Chain::Bandwidth);
        out.add("!X22=" + Num(p.aodi) + "!X1=" + Num(p.x25Version) +
                "!X2=" + CommandText(p.x25DteAddress) + "!X3=" + CommandText(p.x25Facilities));
    }

    if (HasDataOverVoice(northAmerica, deviceKind))
        out.add("!O" + Num(p.dataOverVoice > 0 ? 3 : 0));
    else if (IsPro(deviceKind))
        out.add("!O" + Num(p.proOption));

    // This piece carries its own carriage return, so the line ends in two.
    out.add("%P8=" + Num(p.dynamicBandwidthAllocation) + "\r");

    if (HasAnaloguePorts(deviceKind) && p.potsAvailable != 0)
        AddAnalogueLines(p, northAmerica, IsBox(deviceKind), out);

    out.add("&W" + Num(index), Chain::None, true);
    return out.take();
}

std::int32_t RunProfileCommands(const std::vector<CommandPiece>& pieces, const LineSender& send,
                                std::size_t maxLineLength) {
    if (maxLineLength < 4) maxLineLength = 4;  // room for "AT", one character and "\r"
    std::string line = "AT";
    Chain skipping = Chain::None;
    for (const CommandPiece& piece : pieces) {
        if (skipping != Chain::None) {
            if (piece.chain == skipping) continue;
            skipping = Chain::None;
        }

        // Stale text of a failed line goes first; the piece itself is only cut
        // when it alone does not fit.
        if (line.size() + piece.text.size() + 1 > maxLineLength) line = "AT";
        const std::size_t room = maxLineLength - line.size() - 1;
        line.append(piece.text, 0, room);
        line += '\r';

        const std::int32_t status = send(line);
        if (status == 0) {
            line = "AT";
            continue;
        }
        if (piece.stopsProfile) return status;
        if (piece.chain != Chain::None) skipping = piece.chain;
    }
    return 0;
}

std::string ClockLine(const std::tm& t) {
    char text[64];
    std::snprintf(text, sizeof text, "at@date=%02d-%02d-%02d@time=%02d:%02d:%02d\r",
                  (t.tm_mon + 1) % 100, t.tm_mday % 100, t.tm_year % 100, t.tm_hour % 100,
                  t.tm_min % 100, t.tm_sec % 100);
    return text;
}

bool AnswerIsError(std::string_view answer) {
    while (!answer.empty() &&
           (answer.back() == '\r' || answer.back() == '\n' || answer.back() == ' '))
        answer.remove_suffix(1);
    return answer.ends_with("ERROR");
}

}  // namespace profile
