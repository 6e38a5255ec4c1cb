#include "ui/wait_cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace ui {

namespace {
int depth = 0;
}

void beginWaitCursor() {
    ++depth;
    if (qGuiApp) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void endWaitCursor() {
    if (depth == 0) return;
    --depth;
    if (qGuiApp) QGuiApplication::restoreOverrideCursor();
}

int waitCursorDepth() {
    return depth;
}

}  // namespace ui
