#pragma once
// The hour-glass while the suite works. Begin and end may sit in different
// steps of an operation (the entry points begin it before a busy dialog and
// end it after the result is known), so they are counted; an end without a
// begin is ignored rather than taking away a cursor someone else set.
// User-interface thread only.
namespace ui {

void beginWaitCursor();
void endWaitCursor();
int waitCursorDepth();

class WaitCursor {
public:
    WaitCursor() { beginWaitCursor(); }
    ~WaitCursor() { endWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace ui
