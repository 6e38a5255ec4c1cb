#pragma once
// What both drivers do around their sheet: the fonts, the modal run with its
// first page, the decision on the result, and taking every page down.
#include <cstdint>
#include <functional>

class QWidget;

namespace wizard {

class CWizardPage;
class CWizardSheet;

// Runs `sheet` from `first` and returns the end code a page left (2, 50 or
// 51), else 0 after Finish (when `writeBack` has run), else the sheet's own
// modal result. Every page created during the run is destroyed afterwards.
std::int32_t RunWizardSheet(CWizardSheet& sheet, CWizardPage& first,
                            const std::function<void()>& writeBack);

}  // namespace wizard
