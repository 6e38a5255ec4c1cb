#include "folder/drop_target.h"

#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QTreeWidget>
#include <QUrl>
#include <algorithm>
#include <cctype>

#include "config/config.h"
#include "folder/firmware_command.h"
#include "folder/folder_commands.h"
#include "folder/folder_doc.h"
#include "folder/folder_view.h"

namespace {

std::size_t characters(const std::string& utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

}  // namespace

DropKind AcceptedDrop(bool itemResponds, const std::vector<std::string>& files) {
    if (!itemResponds || files.size() != 1) return DropKind::None;
    const std::string& path = files.front();
    if (path.empty() || characters(path) > kMaxDropPath) return DropKind::None;
    std::string name = path.substr(path.find_last_of('/') + 1);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (name.find(".prf") != std::string::npos) return DropKind::Profile;
    if (name.find(".elm") != std::string::npos) return DropKind::Firmware;
    return DropKind::None;
}

CDropTarget::CDropTarget(CFolderView& view, CFolderDoc& doc)
    : QObject(&view), view_(view), doc_(doc) {
    for (QWidget* list : {view.Report()->viewport(), view.Icons()->viewport()}) {
        list->setAcceptDrops(true);
        list->installEventFilter(this);
    }
}

// The drop is taken as a copy whatever the source proposes: a file manager
// deletes the source of an accepted move.
bool CDropTarget::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    // Entering is taken on the data alone, so that the moves over the rows
    // that follow are seen at all; each move then decides by its row.
    const Target target = TargetOf(*drop, type == QEvent::DragEnter);
    if (target.kind == DropKind::None || !(drop->possibleActions() & Qt::CopyAction)) {
        drop->ignore();
        return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop) {
        // Carried out once the drag has ended: the import or download runs
        // its own dialogs, and the program the file came from must not wait
        // for them.
        QMetaObject::invokeMethod(
            this, [this, target] { Drop(target.item, target.kind, target.file); },
            Qt::QueuedConnection);
    }
    return true;
}

CDropTarget::Target CDropTarget::TargetOf(const QDropEvent& event, bool anyRow) const {
    Target target;
    std::vector<std::string> files;
    if (event.mimeData() && event.mimeData()->hasUrls())
        for (const QUrl& url : event.mimeData()->urls())
            files.push_back(url.isLocalFile() ? url.toLocalFile().toStdString() : std::string());
    if (!view_.Detecting()) target.item = view_.ItemAt(event.position().toPoint());
    const bool responds = target.item >= 0 && doc_.Item(target.item).Responds();
    target.kind = AcceptedDrop(anyRow || responds, files);
    if (target.kind != DropKind::None) target.file = files.front();
    return target;
}

void CDropTarget::Drop(int item, DropKind kind, const std::string& file) {
    // A detection may have started since the drop; it renews every record.
    if (view_.Detecting() || item < 0 || item >= CFolderDoc::kMaxItems ||
        !doc_.Item(item).Responds())
        return;
    view_.SelectItem(item);
    if (kind == DropKind::Profile) ImportProfile(item, file);
    if (kind == DropKind::Firmware) LoadFirmware(view_, doc_, item, file);
}

void CDropTarget::ImportProfile(int item, const std::string& file) {
    CFolderItem& entry = doc_.Item(item);
    if (!view_.LockDevices()) return;
    const std::int32_t result = view_.Commands().Config().ImportConfig(
        &view_, *entry.device, entry.label.c_str(), entry.profileNames, file.c_str());
    view_.UnlockDevices();
    view_.Trace("import " + entry.portName + " " + std::to_string(result));
    if (result != 0) return;
    entry.notConfigured = kItemConfigured;
    doc_.Save();
    view_.UpdateList();
    view_.SelectItem(item);
}
