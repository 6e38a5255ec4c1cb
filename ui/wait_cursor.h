#pragma once
// The hour-glass while the suite works. Begin and end may sit in different
// steps of an operation (the entry points begin it before a busy dialog and
// end it after the result is known), so they are counted; an end without a
// begin is ignored rather than taking away a cursor someone else set.
// User-interface thread only.
#include "ui/ui_export.h"

namespace ui {

VELKA_UI_EXPORT void beginWaitCursor();
VELKA_UI_EXPORT void endWaitCursor();
VELKA_UI_EXPORT int waitCursorDepth();

class VELKA_UI_EXPORT WaitCursor {
public:
    WaitCursor() { beginWaitCursor(); }
    ~WaitCursor() { endWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace ui
