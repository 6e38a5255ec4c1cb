#pragma once
// CPageProfileSelect: the page of the full configuration. It lists the
// adapter's three profiles by name, lets the user configure, rename or set
// up one (with the wizard) and choose the active profile, and writes all
// profiles to the adapter on Apply or OK when anything is pending.
// CRenameDlg: the name of one profile, 1 to 40 characters.
#include <QDialog>
#include <QString>
#include <cstdint>
#include <functional>

#include "config/configure_profile.h"
#include "profile/device_profiles.h"
#include "ui/property_page.h"

class CDeviceInfo;
class CProfileSettings;
class QComboBox;
class QLineEdit;
class QListWidget;

class CRenameDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxNameLength = 40;

    CRenameDlg(const QString& name, QWidget* parent = nullptr);
    QString Name() const;

    // An empty name is refused with 1187; the dialog stays open.
    void accept() override;

private:
    QLineEdit* edit_ = nullptr;
};

class CPageProfileSelect : public ui::PropertyPage {
    Q_OBJECT
public:
    // Runs the wizard on profile `index` from the page; the wizard's result
    // (0 finished and copied back into the profile).
    using WizardRun = std::function<std::int32_t(QWidget* parent, std::int32_t index)>;

    CPageProfileSelect();

    // The adapter's profiles, filled by the caller's read before the sheet runs.
    CDeviceProfiles& Profiles() { return profiles_; }
    void SetContext(CProfileSettings& settings, const char* title, CDeviceInfo& device);
    void SetWizardRun(WizardRun run) { wizardRun_ = std::move(run); }

    // Something was written to the adapter while the sheet ran.
    bool Configured() const { return configured_; }

protected:
    void createControls() override;
    bool onInitDialog() override;
    bool onApply() override;

private:
    void ConfigureSelected();
    void RenameSelected();
    void RunWizardOnSelected();
    void ActiveChosen(int index);
    // The selected row, or -1 after telling the user to select one.
    int SelectedProfile();
    void MarkPending(bool changed);
    void FillNames();

    CDeviceProfiles profiles_;
    CProfileSettings* settings_ = nullptr;
    CDeviceInfo* device_ = nullptr;
    QString title_;
    CConfigureProfile configure_;
    WizardRun wizardRun_;
    bool pending_ = false;
    bool configured_ = false;
    std::int32_t activeAtOpening_ = 0;

    QListWidget* list_ = nullptr;
    QComboBox* active_ = nullptr;
};
