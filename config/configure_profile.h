#pragma once
// CConfigureProfile: the tabbed sheet on which the user edits one profile of
// one adapter. The pages depend on the device kind, the region and the
// profile's own settings; they edit the CProfile in place, and the sheet
// reports whether anything changed so the caller knows whether to write the
// profiles to the adapter.
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "config/pages/sheet_state.h"

class CDeviceInfo;
class CProfile;
class CContextHelpPropertySheet;
class QWidget;

namespace ui {
class PropertyPage;
}

namespace config {

// One built profile sheet with its pages: published in the shared sheet
// state while it lives, every page taken out of the sheet when it goes.
class ProfileSheet {
public:
    ProfileSheet(pages::SheetVariant variant, QWidget* parent, CProfile& profile,
                 std::int32_t index, CDeviceInfo& device, const QString& caption);
    ~ProfileSheet();
    ProfileSheet(const ProfileSheet&) = delete;
    ProfileSheet& operator=(const ProfileSheet&) = delete;

    CContextHelpPropertySheet& sheet() { return *sheet_; }
    // Hands the sheet to a caller that shows it on its own (the screenshot
    // tool); this object then only keeps the pages.
    std::unique_ptr<CContextHelpPropertySheet> takeSheet();
    // Runs the sheet; 1 OK, 2 Cancel.
    int run();
    // Whether a page the user changed wrote into the profile (after OK), or
    // the General page was applied (after anything else).
    bool changedAfter(int result) const;

private:
    template <typename T, typename... Args>
    T* make(Args&&... args);
    void createPages(pages::SheetVariant variant);

    CProfile& profile_;
    CDeviceInfo& device_;
    std::unique_ptr<CContextHelpPropertySheet> sheet_;
    std::vector<std::unique_ptr<ui::PropertyPage>> pages_;
};

// The variant of sheet for a device kind, region and profile; false for a
// kind that has none.
bool SheetVariantFor(std::int32_t deviceKind, std::int32_t region, std::int32_t potsAvailable,
                     pages::SheetVariant& variant);

}  // namespace config

class CConfigureProfile {
public:
    // Shows the sheet for the profile; the modal result (1 OK, 2 Cancel), or
    // 0 without a sheet for a device kind the configurator does not know.
    // Afterwards changed says whether the profile must be written.
    std::int32_t ConfigureProfile(QWidget* parent, CProfile& profile, std::int32_t index,
                                  CDeviceInfo& device, QString caption, const char* profileName);

    std::int32_t changed = 0;
    const char* profileName = nullptr;

private:
    std::int32_t ConfigureProfileBoxNA(QWidget* parent, CProfile& profile, std::int32_t index,
                                       CDeviceInfo& device, const QString& caption);
    std::int32_t ConfigureProfileBoxRW(QWidget* parent, CProfile& profile, std::int32_t index,
                                       CDeviceInfo& device, const QString& caption);
    std::int32_t ConfigureProfileBoxNoPOTSRW(QWidget* parent, CProfile& profile, std::int32_t index,
                                             CDeviceInfo& device, const QString& caption);
    std::int32_t ConfigureProfileProBoxNA(QWidget* parent, CProfile& profile, std::int32_t index,
                                          CDeviceInfo& device, const QString& caption);
    std::int32_t ConfigureProfileProBoxRW(QWidget* parent, CProfile& profile, std::int32_t index,
                                          CDeviceInfo& device, const QString& caption);
    std::int32_t ConfigureProfileProNoPOTSBoxRW(QWidget* parent, CProfile& profile,
                                                std::int32_t index, CDeviceInfo& device,
                                                const QString& caption);
    std::int32_t Run(config::pages::SheetVariant variant, QWidget* parent, CProfile& profile,
                     std::int32_t index, CDeviceInfo& device, const QString& caption);
};
