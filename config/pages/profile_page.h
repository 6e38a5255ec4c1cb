#pragma once
// The base of the per-profile pages: the profile and the device a page
// edits, and the small builders every page's controls are made with (a
// label with its mnemonic is the buddy of its field; controls carry their
// resource ids).
//
// A page keeps its own copy of the values it edits. It writes them into the
// profile on OK or Apply only when the user changed something on it, so a
// sheet confirmed without changes leaves every setting as it was.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>

#include "profile/field_rules.h"
#include "ui/property_page.h"
#include "ui/property_sheet.h"

class CProfile;
class CDeviceInfo;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QWidget;

namespace config::pages {

class CProfilePage : public ui::PropertyPage {
    Q_OBJECT
public:
    CProfilePage(int dialogId, const QString& caption);

    // Gives the page its profile and device and loads its values.
    void Setup(CProfile& profile, CDeviceInfo& device);
    CProfile* profile() const { return profile_; }

    bool onApply() override;

protected:
    // Takes the page's values from the profile / writes them back.
    virtual void load() = 0;
    virtual void store() = 0;

    // Builders. `label` carries the mnemonic; the field is its buddy.
    QComboBox* addCombo(QFormLayout* form, int id, const QString& label,
                        const QStringList& items = {});
    QLineEdit* addEdit(QFormLayout* form, int id, const QString& label, int maxChars);
    QCheckBox* addCheck(QFormLayout* form, int id, const QString& text);

    // The entries of a number-assignment list for the profile's numbers:
    // "Nummer 1 (...)", "Nummer 2 (...)" and, when asked, "Beide Nummern";
    // only the first with one number, and "Keine Nummern konfiguriert" when
    // there is none.
    QStringList numberChoices(bool withBoth) const;
    bool hasNumbers() const;

    // The second number of the number a choice names (kSecondNumber the
    // second, any other the first), and writing it back.
    std::string secondNumberOf(std::int32_t choice) const;
    void storeSecondNumber(std::int32_t choice, const std::string& second);
    // The field for it; `edit` shows the second number of `choice` again.
    QLineEdit* addSecondNumber(QFormLayout* form, const QString& label);
    void showSecondNumber(std::int32_t choice, std::string& value);

    // A combination box whose entries carry their values as item data:
    // loading selects the entry of `value`, saving takes the chosen one's.
    static void exchangeItem(ui::DataExchange& dx, int id, std::int32_t& value);
    // A text checked by one of the field rules; a fault shows the rule's
    // message and keeps the page, with the focus on the field.
    using TextCheck = profile::FieldFault (*)(std::string_view);
    static void exchangeChecked(ui::DataExchange& dx, int id, std::string& value,
                                profile::FieldRule rule, TextCheck check);
    // Gives the label of the field `id` in its form a new text.
    void setLabelOf(int id, const QString& text);
    // Shows a message of the configurator and fails the exchange at `id`.
    static void failAt(ui::DataExchange& dx, int id, std::uint32_t message);

    CProfile* profile_ = nullptr;
    CDeviceInfo* device_ = nullptr;
};

// A text of the configurator's string table.
QString Tr(std::uint32_t id);

}  // namespace config::pages
