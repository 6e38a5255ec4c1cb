#include "folder/terminal_connection.h"

#include <algorithm>

#include "folder/folder_doc.h"
#include "folder/folder_item.h"
#include "folder/folder_strings.h"
#include "folder/resource_ids.h"
#include "platform/desktop_launch.h"
#include "platform/file_io.h"
#include "platform/program_start.h"
#include "platform/serial_port.h"
#include "ui/dialog_facility.h"

using namespace folder;

namespace {

// A template is a few hundred bytes; anything near this is not one.
constexpr std::uint64_t kMaxTemplateBytes = 64 * 1024;
constexpr std::size_t kMaxFileName = 255;
constexpr std::string_view kEntryExtension = ".desktop";

bool portCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view("/._-+:,@").find(c) != std::string_view::npos;
}

// Whether an X-Velka-Exec line names an installed terminal; its command goes
// to `command`.
bool installedCommand(std::string_view line, const std::function<bool(std::string_view)>& installed,
                      std::string_view& command) {
    line.remove_prefix(kExecKeyPrefix.size());
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) return false;
    std::string_view program = line.substr(0, equals);
    while (!program.empty() && program.back() == ' ') program.remove_suffix(1);
    command = line.substr(equals + 1);
    return installed(program);
}

std::string replacedPortField(std::string_view command, std::string_view devicePath) {
    std::string out;
    for (std::size_t at; (at = command.find(kPortField)) != std::string_view::npos;) {
        out.append(command.substr(0, at)).append(devicePath);
        command.remove_prefix(at + kPortField.size());
    }
    return out.append(command);
}

// The start of the character at `at`: UTF-8 continuation bytes are 10xxxxxx.
std::size_t characterBoundary(std::string_view text, std::size_t at) {
    while (at > 0 && at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
        --at;
    return at;
}

}  // namespace

bool TerminalInstalled(std::string_view program) {
    return std::ranges::find(kTerminalPrograms, program) != kTerminalPrograms.end() &&
           !platform::resolveProgram(program).empty();
}

bool TerminalAvailable() {
    return std::ranges::any_of(kTerminalPrograms,
                               [](const char* program) { return TerminalInstalled(program); });
}

bool PortFieldHolds(std::string_view devicePath) {
    return devicePath.starts_with('/') && devicePath.size() <= kMaxPortField &&
           std::ranges::all_of(devicePath, portCharacter);
}

TemplateFill FillTemplate(std::string_view templ, std::string_view devicePath,
                          const std::function<bool(std::string_view program)>& installed,
                          std::string& entry) {
    std::string out;
    bool chosen = false;
    while (!templ.empty()) {
        const auto end = templ.find('\n');
        std::string_view line = templ.substr(0, end);
        templ.remove_prefix(end == std::string_view::npos ? templ.size() : end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (!line.starts_with(kExecKeyPrefix)) {
            out.append(line).append("\n");
            continue;
        }
        std::string_view command;
        if (chosen || !installedCommand(line, installed, command)) continue;
        if (command.find(kPortField) == std::string_view::npos) return TemplateFill::NoPortField;
        if (!PortFieldHolds(devicePath)) return TemplateFill::PortNotHeld;
        out.append("Exec=").append(replacedPortField(command, devicePath)).append("\n");
        chosen = true;
    }
    if (!chosen) return TemplateFill::NoTerminal;
    entry = std::move(out);
    return TemplateFill::Ok;
}

std::string ConnectionFileName(std::string_view label) {
    const std::string unsafe = Utf8(IDS_FILE_NAME_UNSAFE);
    std::string name = Utf8(IDS_CONNECTION_PREFIX);
    for (char c : label) {
        const bool control = static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
        name += control || unsafe.find(c) != std::string::npos ? '_' : c;
    }
    const std::size_t room = kMaxFileName - kEntryExtension.size();
    if (name.size() > room) name.resize(characterBoundary(name, room));
    return name.append(kEntryExtension);
}

bool OpenTerminalConnection(QWidget* parent, const CFolderItem& item) {
    const std::string data = folderkeys::DirectoryFolder("Data");
    const std::string templateName = Utf8(IDS_TERMINAL_TEMPLATE);
    std::string templ;
    const auto noTemplate = [&] {
        ui::messageBox(parent, Strings(), IDS_NO_TEMPLATE, ui::Icon::Error, ui::Buttons::Ok,
                       Strings().text(IDS_NO_TEMPLATE_CAPTION), {data + templateName});
        return false;
    };
    if (data.empty() || platform::readRegularFile(data + templateName, templ, kMaxTemplateBytes) !=
                            platform::ReadResult::Ok)
        return noTemplate();

    std::string device;
    platform::resolvePortName(item.portName, device);
    std::string entry;
    switch (FillTemplate(templ, device, TerminalInstalled, entry)) {
        case TemplateFill::Ok:
            break;
        case TemplateFill::NoPortField:
            return noTemplate();
        case TemplateFill::PortNotHeld:
            ui::messageBox(parent, Strings(), IDS_PORT_NOT_HELD, ui::Icon::Warning, ui::Buttons::Ok,
                           Strings().text(IDS_PORT_NOT_HELD_CAPTION),
                           {device.empty() ? item.portName : device});
            return false;
        case TemplateFill::NoTerminal:
            ui::messageBox(parent, Strings(), IDS_TERMINAL_START_FAILED, ui::Icon::Error);
            return false;
    }
    const std::string path = data + ConnectionFileName(item.label);
    if (platform::replaceFile(path, entry) != platform::kOk ||
        platform::launchDesktopEntry(path) != platform::kOk) {
        ui::messageBox(parent, Strings(), IDS_TERMINAL_START_FAILED, ui::Icon::Error);
        return false;
    }
    return true;
}
