// CConfig::ImportConfig and CConfig::ExportConfig: all profiles of an
// adapter from and to a profile file.
#include <QWidget>
#include <string>

#include "config/busy_animation.h"
#include "config/config.h"
#include "config/config_strings.h"
#include "config/delay_dlg.h"
#include "config/entry_steps.h"
#include "config/resource_ids.h"
#include "device/device_info.h"
#include "platform/clock.h"
#include "platform/device_type.h"
#include "platform/ini_file.h"
#include "platform/status_codes.h"
#include "profile/device_profiles.h"
#include "profile/field_rules.h"
#include "profile/profile_file.h"
#include "profile/profile_settings.h"
#include "ui/dialog_facility.h"
#include "ui/framework_ids.h"
#include "ui/wait_cursor.h"

namespace {

// The export's pause before the adapter is read: the file dialog's window
// is given time to go.
constexpr std::uint32_t kExportPauseMs = 100;

ui::FileRequest ProfileFileRequest(QWidget* parent, bool save, std::string initialName) {
    ui::FileRequest request;
    request.save = save;
    request.defaultExt = config::Text(config::IDS_PROFILE_FILE_EXT);
    request.initialName = std::move(initialName);
    request.filter = config::Text(config::IDS_PROFILE_FILE_FILTER);
    request.initialDir = config::DirectoryValue("Profiles");
    request.flags = ui::FileHideReadOnly | ui::FileNoChangeDir |
                    (save ? ui::FileOverwritePrompt | ui::FilePathMustExist : ui::FileMustExist);
    request.owner = parent;
    return request;
}

// The file of an import, read and checked whole before the port is opened.
struct ImportFile {
    platform::ini::Document doc;
    std::int32_t kind = 0;
};

// 0 with the file, or the failing code after its message.
std::int32_t LoadImportFile(QWidget* parent, const std::string& path, ImportFile& file) {
    std::string text;
    if (platform::ini::readFileText(path, text) != platform::ini::FileProblem::None ||
        text.empty()) {
        ui::messageBox(parent, config::Strings(), config::IDS_READ_FAILED);
        return profile::kProfileFileUnreadable;
    }
    file.doc = platform::ini::Document::parse(text);
    if (const auto fault = profile::CheckProfileFile(file.doc)) {
        const profile::FieldInfo* field = fault->section == profile::kGeneralSection
                                              ? profile::FindGeneralField(fault->key)
                                              : profile::FindProfileField(fault->key);
        ui::messageBox(parent, config::Strings(), config::IDS_IMPORT_BAD_VALUE, ui::Icon::Warning,
                       ui::Buttons::Ok, {},
                       {fault->section, fault->key, profile::FieldFaultText(fault->fault),
                        profile::FieldRuleText(*field)});
        return profile::kProfileFileBadValue;
    }
    const std::string* kind = file.doc.find(profile::kGeneralSection, profile::kKeyDeviceType);
    if (kind == nullptr || kind->empty()) {
        ui::messageBox(parent, config::Strings(), config::IDS_READ_FAILED);
        return profile::kProfileFileEmptyGeneral;
    }
    file.kind = profile::ParseFieldNumber(*kind).value_or(0);
    return 0;
}

// The two variants of the external box take each other's files.
bool KindsMatch(std::int32_t fileKind, std::int32_t deviceKind) {
    return fileKind == deviceKind || (IsBox(fileKind) && IsBox(deviceKind));
}

void ShowImportOutcome(QWidget* parent, std::int32_t result, bool refused) {
    if (parent == nullptr) return;
    // Refused lines were listed already; "imported successfully" would
    // contradict that box.
    if (result == 0 && refused) return;
    const bool ok = result == 0;
    ui::MessageRequest box;
    box.stringId = ok ? config::IDS_IMPORT_DONE_TEXT : config::IDS_IMPORT_FAILED_TEXT;
    box.text = config::Text(box.stringId);
    box.caption =
        config::Text(ok ? config::IDS_IMPORT_DONE_CAPTION : config::IDS_IMPORT_FAILED_CAPTION);
    box.icon = ok ? ui::Icon::Information : ui::Icon::Warning;
    box.helpContext = ui::HID_BASE_PROMPT + box.stringId;
    box.owner = parent;
    ui::dialogs().messageBox(box);
}

}  // namespace

namespace config {

std::string ExportFileName(const char* title) {
    std::string name = Text(IDS_EXPORT_FILE_NAME);
    const std::size_t insert = name.find("%s");
    if (insert != std::string::npos) name.replace(insert, 2, title ? title : "");
    // Characters a file name cannot hold, or that would make it a path.
    for (char& c : name)
        if (std::string_view("\\/<>:'").find(c) != std::string_view::npos) c = '_';
    return name;
}

}  // namespace config

std::int32_t CConfig::ImportConfig(QWidget* parent, CDeviceInfo& device, const char*,
                                   CProfileSettings& settings, const char* fileName) {
    CDeviceProfiles profiles;
    config::PrepareProfiles(profiles, device);
    std::string path = fileName ? fileName : "";
    if (path.empty()) {
        const ui::FileAnswer chosen = ui::fileDialog(
            ProfileFileRequest(parent, false, config::Text(config::IDS_PROFILE_FILE_PATTERN)));
        if (chosen.result != ui::IDOK) return platform::kUserCancelled;
        path = chosen.path;
    }

    ImportFile file;
    {
        ui::WaitCursor wait;
        if (const std::int32_t loaded = LoadImportFile(parent, path, file); loaded != 0)
            return loaded;
    }
    if (!KindsMatch(file.kind, device.type)) {
        ui::messageBox(parent, config::Strings(), config::IDS_KIND_MISMATCH, ui::Icon::Warning);
        return profile::kProfileKindsDiffer;
    }

    // The file lies over what the adapter holds: a key it lacks keeps the
    // adapter's value instead of a cleared one.
    bool overlaid = false;
    std::int32_t result = 0;
    {
        ui::WaitCursor wait;
        CDelayDlg dialog(profiles, config::ImportAnimation(device.type), [&] {
            const std::int32_t read = profiles.ReadProfiles(device, settings);
            if (read != 0) return read;
            for (std::size_t i = 0; i < profiles.profiles.size(); ++i)
                profiles.profiles[i].name = settings.names[i];
            profile::OverlayProfileFile(file.doc, profiles);
            overlaid = true;
            return profiles.WriteProfiles(device);
        });
        result = dialog.DoModal();
    }
    if (overlaid) {
        for (std::size_t i = 0; i < profiles.profiles.size(); ++i)
            settings.names[i] = profiles.profiles[i].name;
        settings.Save();
    }
    const bool refused = config::WarnRefusedLines(parent, profiles);
    ShowImportOutcome(parent, result, refused);
    return result;
}

std::int32_t CConfig::ExportConfig(QWidget* parent, CDeviceInfo& device, const char* title,
                                   CProfileSettings& settings) {
    CDeviceProfiles profiles;
    config::PrepareProfiles(profiles, device);
    const ui::FileAnswer chosen =
        ui::fileDialog(ProfileFileRequest(parent, true, config::ExportFileName(title)));
    if (chosen.result != ui::IDOK) return 0;

    platform::sleepMs(kExportPauseMs);
    const std::int32_t read = config::ReadAllProfiles(parent, profiles, device, settings, false);
    if (read != 0) return read;
    settings.Load();
    for (std::size_t i = 0; i < profiles.profiles.size(); ++i)
        profiles.profiles[i].name = settings.names[i];
    return CProfileFile().Save(chosen.path, profiles, 7, device.type);
}
