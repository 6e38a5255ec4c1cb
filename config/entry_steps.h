#pragma once
// Steps the configurator's entry points share: the profiles prepared for a
// device, the read and the write through the busy dialogs with the messages
// that follow them.
#include <cstdint>
#include <string>

class CDeviceInfo;
class CDeviceProfiles;
class CProfileSettings;
class QWidget;

namespace config {

// Region flag and device kind from the device record.
void PrepareProfiles(CDeviceProfiles& profiles, const CDeviceInfo& device);

// Reads all profiles through the reading dialog; on failure gives the
// common notice (with the Help button when `withHelp`). The reader's result.
std::int32_t ReadAllProfiles(QWidget* parent, CDeviceProfiles& profiles, const CDeviceInfo& device,
                             const CProfileSettings& settings, bool withHelp);
// The common notice after a failed read: the folder is told of the box (its
// help context) while it shows, and that it is gone afterwards.
void ShowReadFailure(QWidget* parent, bool withHelp);

// Writes all profiles through the writing dialog with `animation`. A failure
// shows 1017 when `reportFailure`; lines the adapter refused are listed in one
// warning box afterwards. The writer's result.
std::int32_t WriteAllProfiles(QWidget* parent, CDeviceProfiles& profiles, const CDeviceInfo& device,
                              int animation, bool reportFailure = true);
// The warning that lists the refused lines of the last write; false (and no
// box) when there were none.
bool WarnRefusedLines(QWidget* parent, const CDeviceProfiles& profiles);

// The name the export proposes: 57416 with the title, every character of
// "\\/<>:'" replaced by "_".
std::string ExportFileName(const char* title);

// A registry value of the suite's Directory key; empty when it cannot be read.
std::string DirectoryValue(const char* name);

}  // namespace config
