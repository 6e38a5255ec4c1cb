#pragma once
// Small pages for the sheet and wizard tests: a delay field (0 to 60, the
// kind of check real pages make) and a check box, and a log of every hook in
// the order the sheet called them.
#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <string>
#include <vector>

#include "platform/string_table.h"
#include "ui/property_page.h"
#include "ui/resource_id.h"

namespace uitest {

inline constexpr int kDelayEdit = 1001;
inline constexpr int kVoiceCheck = 1002;
inline constexpr std::uint32_t kDelayMessage = 1540;

inline const platform::StringTable& testStrings() {
    static const platform::StringEntry entries[] = {
        {kDelayMessage, "Verzögerungswert vor Öffnen muß zwischen 0 und 60 liegen."},
    };
    static const platform::StringTable table{entries};
    return table;
}

class TestPage : public ui::PropertyPage {
public:
    TestPage(int dialogId, const QString& caption, std::vector<std::string>* log = nullptr)
        : PropertyPage(dialogId, caption), log_(log) {}

    // The page's variables.
    std::int32_t delay = 5;
    std::int32_t voice = 0;
    // What the last OK or Apply wrote "to the profile".
    std::int32_t appliedDelay = -1;
    int applyCount = 0;
    int cancelCount = 0;
    int initCount = 0;
    bool refuseCancel = false;

    bool onInitDialog() override {
        ++initCount;
        note("init");
        return PropertyPage::onInitDialog();
    }
    bool onSetActive() override {
        note("set");
        return PropertyPage::onSetActive();
    }
    bool onKillActive() override {
        note("kill");
        return PropertyPage::onKillActive();
    }
    bool onApply() override {
        note("apply");
        ++applyCount;
        appliedDelay = delay;
        return true;
    }
    void onCancel() override {
        note("cancel");
        ++cancelCount;
    }
    bool onQueryCancel() override { return !refuseCancel; }

    QLineEdit* delayEdit() const { return ui::findControl<QLineEdit>(this, kDelayEdit); }
    QCheckBox* voiceCheck() const { return ui::findControl<QCheckBox>(this, kVoiceCheck); }

protected:
    void createControls() override {
        auto* form = new QFormLayout(this);
        auto* delayEdit = new QLineEdit(this);
        ui::setResourceId(delayEdit, kDelayEdit);
        form->addRow(QStringLiteral("&Verzögerung (Sekunden):"), delayEdit);
        auto* voice = new QCheckBox(QStringLiteral("Sprachanrufe zum PC"), this);
        ui::setResourceId(voice, kVoiceCheck);
        form->addRow(voice);
    }

    void doDataExchange(ui::DataExchange& dx) override {
        dx.number(kDelayEdit, delay);
        if (dx.saving() && !dx.failed() && (delay < 0 || delay > 60))
            dx.fail(testStrings(), kDelayMessage);
        dx.check(kVoiceCheck, voice);
    }

private:
    void note(const char* what) {
        if (log_) log_->push_back(caption().toStdString() + ":" + what);
    }
    std::vector<std::string>* log_;
};

}  // namespace uitest
