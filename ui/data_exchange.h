#pragma once
// Data exchange between a page's controls (found by resource id) and the
// page's own variables, in both directions:
//   loading  (saving() false): variables -> controls, when the page starts;
//   saving   (saving() true):  controls -> variables with checks, when the
//            page is left or confirmed.
// A failed check shows its message and marks the exchange failed; the page
// then stays and the focus goes to the control the failed step was about.
// After a failure every further step of the same exchange does nothing, so
// a page's DoDataExchange reads top to bottom like its list of fields.
#include <QString>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "platform/string_table.h"
#include "platform/text_format.h"
#include "ui/dialog_facility.h"

#include "ui/ui_export.h"

class QWidget;

namespace ui {

class VELKA_UI_EXPORT DataExchange {
public:
    DataExchange(QWidget& dialog, bool saving);

    bool saving() const { return saving_; }
    bool failed() const { return failed_; }
    // The control the last step was about; the focus goes there on failure.
    QWidget* preparedControl() const { return prepared_; }

    // Finds a control by id and remembers it as the one the next check is
    // about. nullptr when the dialog has no such control.
    QWidget* prepare(int id);
    // Ends the exchange as failed (the message has been shown already).
    void fail();
    // Shows the message (warning icon unless told otherwise), then fails.
    void fail(const platform::StringTable& table, std::uint32_t stringId, Icon icon = Icon::Warning,
              std::initializer_list<platform::FormatArg> inserts = {});

    // Text of an edit, combination box or label.
    void text(int id, std::string& value);
    void text(int id, QString& value);
    // Decimal numbers of an edit; a text that is not a number is refused.
    void number(int id, std::int32_t& value);
    void number(int id, std::uint32_t& value);
    // Check box: 0, 1 (and 2 for a tri-state box).
    void check(int id, std::int32_t& value);
    // Radio group given as its buttons' ids in order: value is the index of
    // the checked one, -1 for none.
    void radio(std::initializer_list<int> ids, std::int32_t& value);
    // Selected entry of a combination box or list; -1 for none.
    void index(int id, std::int32_t& value);
    // Position of a slider, spin box or scroll bar.
    void position(int id, std::int32_t& value);

    // Checks of the last value exchanged. On loading, maxChars limits how much
    // the edit accepts, so the user cannot type more in the first place.
    void maxChars(int id, const std::string& value, int limit);
    void range(std::int64_t value, std::int64_t min, std::int64_t max);

private:
    QWidget* controlFor(int id);
    // Both number overloads: refused with `message` outside T's range.
    template <typename T>
    void exchangeNumber(int id, T& value, std::uint32_t message);

    QWidget& dialog_;
    bool saving_;
    bool failed_ = false;
    QWidget* prepared_ = nullptr;
};

}  // namespace ui
