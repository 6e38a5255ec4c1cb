#pragma once
// CDropTarget: a profile file or a firmware image dropped onto an adapter of
// the list (report and icon styles alike). The rule of what may be dropped
// is a pure function; the target applies it while the file is dragged, so a
// refused drop shows as refused before the button is released.
#include <QObject>
#include <cstddef>
#include <string>
#include <vector>

class CFolderDoc;
class CFolderView;
class QDropEvent;

enum class DropKind { None, Profile, Firmware };

// The longest path a drop takes, in characters; a longer one is refused, not
// cut (a cut name would name another file).
inline constexpr std::size_t kMaxDropPath = 260;

// What a drag onto a row may become. `files` holds one entry per URL
// dragged: its local path, or empty for one that is not a local file. Only
// one local file onto an item that responds is taken: a profile when its
// name holds ".prf", a firmware image when it holds ".elm", in any case.
// Only the file's own name counts, not the folders it lies in.
DropKind AcceptedDrop(bool itemResponds, const std::vector<std::string>& files);

class CDropTarget : public QObject {
public:
    // Watches both lists of `view`, which owns the target.
    CDropTarget(CFolderView& view, CFolderDoc& doc);

    // Carries out an accepted drop: imports the profile file, or loads the
    // image after the user confirmed it.
    void Drop(int item, DropKind kind, const std::string& file);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Target {
        int item = -1;
        DropKind kind = DropKind::None;
        std::string file;
    };
    Target TargetOf(const QDropEvent& event, bool anyRow) const;
    void ImportProfile(int item, const std::string& file);

    CFolderView& view_;
    CFolderDoc& doc_;
};
