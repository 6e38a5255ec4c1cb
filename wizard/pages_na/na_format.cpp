#include "wizard/pages_na/na_format.h"

#include <algorithm>
#include <cctype>

namespace wizard::na {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool allDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), isDigit);
}

std::string_view trimmed(std::string_view text) {
    const auto space = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && space(text.front())) text.remove_prefix(1);
    while (!text.empty() && space(text.back())) text.remove_suffix(1);
    return text;
}

constexpr std::string_view kDash = " - ";

}  // namespace

std::string FormatDirectoryNumber(std::string_view number) {
    if (!allDigits(number)) return std::string(number);
    const std::string n(number);
    if (n.size() == 10) return "(" + n.substr(0, 3) + ")  " + n.substr(3, 3) + " - " + n.substr(6);
    if (n.size() == 7) return n.substr(0, 3) + " - " + n.substr(3);
    return n;
}

std::string KeepDigitsAndSemicolons(std::string_view typed) {
    std::string kept;
    for (char c : typed)
        if (isDigit(c) || c == ';') kept += c;
    return kept;
}

std::string WithExchangeDash(std::string_view typed) {
    std::string plain;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        if (typed.substr(i, kDash.size()) == kDash) {
            i += kDash.size() - 1;
            continue;
        }
        if (typed[i] != '-') plain += typed[i];
    }
    // The dash follows the third digit, not the third character.
    int digits = 0;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        if (isDigit(plain[i]) && ++digits == 3 && i + 1 < plain.size())
            return plain.substr(0, i + 1) + std::string(kDash) + plain.substr(i + 1);
    }
    return plain;
}

std::string ProtocolName(std::int32_t connectionType) {
    switch (connectionType) {
        case 9:
            return "V.110";
        case 10:
            return "PPP";
        case 11:
            return "V.120";
        case 12:
            return "MultiLink PPP (MLPPP)";
        default:
            return {};
    }
}

std::string OrUnspecified(std::string_view text) {
    return text.empty() ? std::string("[Nicht spezifiziert]") : std::string(text);
}

std::vector<RegionItem> ParseRegionItems(std::string_view list, char firstLetter) {
    std::vector<RegionItem> items;
    std::size_t pos = list.find(firstLetter);
    while (pos != std::string_view::npos) {
        const std::size_t colon = list.find(':', pos);
        if (colon == std::string_view::npos) break;
        const std::size_t codeStart = colon + 1;
        std::size_t codeEnd = list.find_first_of("\r\n;", codeStart);
        const std::string_view codeText =
            list.substr(codeStart, codeEnd == std::string_view::npos ? std::string_view::npos
                                                                     : codeEnd - codeStart);
        std::int32_t code = 0;
        for (char c : codeText) {
            if (!isDigit(c) || code > 100000) break;
            code = code * 10 + (c - '0');
        }
        // A list that runs over several lines puts its line end before a
        // name; the drop-down shows the name alone.
        items.push_back({std::string(trimmed(list.substr(pos, colon - pos))), code});
        if (codeEnd == std::string_view::npos) break;
        pos = codeEnd + 1;
    }
    return items;
}

std::string RegionName(std::string_view list, std::int32_t code) {
    const std::size_t ok = list.find("\r\nOK");
    if (ok != std::string_view::npos) list = list.substr(0, ok);
    const std::string key = ":" + std::to_string(code) + ";";
    const std::size_t at = list.find(key);
    if (at == std::string_view::npos) return {};
    const std::size_t before = list.rfind(';', at);
    const std::size_t start = before == std::string_view::npos ? 0 : before + 1;
    return std::string(trimmed(list.substr(start, at - start)));
}

FinishSummary MakeFinishSummary(const FinishInput& in) {
    FinishSummary out;
    out.region = in.regionName;
    out.protocol = ProtocolName(in.connectionType);
    out.number1 = OrUnspecified(in.number1);
    out.number2 = OrUnspecified(in.number2);
    out.secondRow = in.twoNumbers || in.connectionType == 12 || in.knownKind;
    out.closingText = in.online ? 1167 : 1168;
    if (!in.withSpids) return out;
    // Finishing gives one number's SPID to both channels; show what is kept.
    const std::string& spid2 = in.number1 == in.number2 && in.spid2.empty() ? in.spid1 : in.spid2;
    out.spid1 = OrUnspecified(in.spid1);
    out.spid2 = OrUnspecified(spid2);
    if (in.spid1.empty() || (out.secondRow && spid2.empty())) out.closingText = 1295;
    return out;
}

}  // namespace wizard::na
