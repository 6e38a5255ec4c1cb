#pragma once
// CFolderApp: the folder's start-up and exit. One folder runs per session:
// the first holds the instance mutex, a second start wakes the first
// (wParam 16) and ends without a window.
#include <memory>

#include "folder/modem_enumerator.h"
#include "info/info.h"
#include "platform/named_mutex.h"

class CFolderDoc;
namespace folder {
class CMainFrame;
}

class CFolderApp {
public:
    static constexpr const char* kInstanceMutex = "Velka26EAC400-619B-11d1-BC30-00C04FC976B6";

    CFolderApp();
    ~CFolderApp();  // the exit steps

    // False when the process should end (another folder runs, or the
    // window could not be made).
    bool InitInstance();
    folder::CMainFrame* Frame() const { return frame_.get(); }
    CFolderDoc* Doc() const { return doc_.get(); }
    const InstalledProducts& Products() const { return products_; }

private:
    CInfo info_;
    platform::NamedMutex instance_;
    std::unique_ptr<CFolderDoc> doc_;
    std::unique_ptr<folder::CMainFrame> frame_;
    InstalledProducts products_;
};
