#pragma once
// Driving a wizard run from a test: the script acts on the sheet inside
// Start's modal loop, pressing buttons like a user, and the run's result and
// record are read afterwards. A script that stops early (a failed
// expectation) leaves the sheet open; it is closed then, so no test hangs.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

#include "tests/ui/ui_test_support.h"
#include "ui/framework_ids.h"
#include "ui/resource_id.h"
#include "wizard/wizard_sheet.h"

namespace wiztest {

inline wizard::CWizardSheet* activeSheet() {
    return qobject_cast<wizard::CWizardSheet*>(QApplication::activeModalWidget());
}

// Runs `script` on the sheet once Start shows it.
inline void whenSheetShown(std::function<void(wizard::CWizardSheet&)> script) {
    uitest::whenModal([script = std::move(script)] {
        wizard::CWizardSheet* sheet = activeSheet();
        if (!sheet) return;
        script(*sheet);
        if (sheet->isRunning()) sheet->done(ui::IDCANCEL);
    });
}

inline int activeId(wizard::CWizardSheet& sheet) {
    return sheet.activePage() ? sheet.activePage()->dialogId() : -1;
}

template <typename T = QWidget>
T* control(wizard::CWizardSheet& sheet, int id) {
    return ui::findControl<T>(sheet.activePage(), id);
}

inline void press(wizard::CWizardSheet& sheet, int buttonId) {
    sheet.button(buttonId)->click();
}
inline void next(wizard::CWizardSheet& sheet) {
    press(sheet, ui::ID_WIZNEXT);
}
inline void back(wizard::CWizardSheet& sheet) {
    press(sheet, ui::ID_WIZBACK);
}
inline void finish(wizard::CWizardSheet& sheet) {
    press(sheet, ui::ID_WIZFINISH);
}
inline void click(wizard::CWizardSheet& sheet, int id) {
    if (auto* b = control<QAbstractButton>(sheet, id)) b->click();
}
inline void type(wizard::CWizardSheet& sheet, int id, const QString& text) {
    if (auto* e = control<QLineEdit>(sheet, id)) e->setText(text);
}
inline QString shown(wizard::CWizardSheet& sheet, int id) {
    if (auto* l = control<QLabel>(sheet, id)) return l->text();
    if (auto* c = control<QComboBox>(sheet, id)) return c->currentText();
    return QStringLiteral("<none>");
}

}  // namespace wiztest
