#include "device/device_reply.h"

#include <array>
#include <cstring>

#include "device/device_status.h"
#include "platform/device_type.h"

namespace device {
namespace {

constexpr std::array<std::string_view, kProbeStringCount> kProbeStrings = {
    "Tamo T/A ISDN Modem",
    "Tamo T/A Pro ISDN Modem",
    "Tamo T/A ISDN Modem6F",
    "Tamo T/A PCI ISDN Modem",
    "Tamo T/A0B",
};

constexpr std::array<std::int32_t, kProbeStringCount> kProbeTypes = {
    kDeviceExternal, kDevicePro, kDeviceExternal6F, kDevicePci, kDevicePcCard,
};

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

std::string_view trim(std::string_view text) {
    constexpr std::string_view kSpace = " \t\r\n";
    const auto first = text.find_first_not_of(kSpace);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(kSpace);
    return text.substr(first, last - first + 1);
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

std::string_view probeString(std::int32_t index) {
    if (index < 0 || index >= kProbeStringCount) return {};
    return kProbeStrings[static_cast<std::size_t>(index)];
}

std::int32_t probeType(std::int32_t index) {
    if (index < 0 || index >= kProbeStringCount) return kDeviceNone;
    return kProbeTypes[static_cast<std::size_t>(index)];
}

std::int32_t parseCommandReply(std::string_view response, std::string_view command,
                               CommandReply& out) {
    out = {};
    if (command.empty()) return kDeviceNoEcho;
    const auto echo = response.find(command);
    if (echo == std::string_view::npos) return kDeviceNoEcho;
    const std::string_view rest = response.substr(echo + command.size());

    // The reply line sits between the first and the second line end after
    // the echo; an answer made of the result code alone gives that code.
    const auto firstEnd = rest.find("\r\n");
    if (firstEnd == std::string_view::npos) return kDeviceNoReplyLine;
    const std::string_view afterFirst = rest.substr(firstEnd + 2);
    const auto lineEnd = afterFirst.find("\r\n");
    if (lineEnd == std::string_view::npos) return kDeviceNoReplyLine;
    out.replyLine.assign(afterFirst.substr(0, lineEnd));

    // The result code is the last complete line: between the last two "\n".
    const auto lastNl = rest.rfind('\n');
    if (lastNl == std::string_view::npos || lastNl == 0) return kDeviceNoEcho;
    const std::string_view head = rest.substr(0, lastNl);
    const auto prevNl = head.rfind('\n');
    if (prevNl == std::string_view::npos) return kDeviceNoEcho;
    const std::string_view code = trim(head.substr(prevNl + 1));
    for (const std::string_view known : {std::string_view("OK"), std::string_view("ERROR")}) {
        if (equalsNoCase(code, known)) {
            out.resultCode.assign(known);
            return kDeviceOk;
        }
    }
    return kDeviceBadResultCode;
}

bool isMakerIdentification(std::string_view text) {
    return contains(text, kMakerName);
}

std::int32_t classifyModel(std::string_view text, std::span<const std::int32_t> order) {
    const bool has6F = contains(text, "6F");
    for (const std::int32_t index : order) {
        const std::string_view probe = probeString(index);
        if (probe.empty()) continue;
        if (index == 0 && has6F) continue;
        if (contains(text, probe)) return probeType(index);
    }
    return kDeviceUnknownModel;
}

LineFacts parseLineText(std::string_view line) {
    LineFacts facts{kRegionUnknown, 0};
    if (contains(line, "EURO")) facts.region = kRegionInternational;
    // A line reply that names both belongs to a North-American adapter.
    if (contains(line, "NI-1")) facts.region = kRegionNorthAmerica;
    if (contains(line, "V110")) facts.v110 = 1;
    return facts;
}

bool isMessageModeBanner(std::string_view reply) {
    return contains(reply, "user") || contains(reply, "Rizozu");
}

bool containsOk(std::string_view reply) {
    return contains(reply, "OK");
}

void copyText(char* dest, std::size_t size, std::string_view text) {
    if (dest == nullptr || size == 0) return;
    const std::size_t n = std::min(text.size(), size - 1);
    if (n > 0) std::memcpy(dest, text.data(), n);
    dest[n] = '\0';
}

std::string_view fieldText(const char* field, std::size_t size) {
    if (field == nullptr) return {};
    const void* end = std::memchr(field, '\0', size);
    const std::size_t n =
        end ? static_cast<std::size_t>(static_cast<const char*>(end) - field) : size;
    return {field, n};
}

}  // namespace device
