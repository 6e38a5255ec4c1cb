#include "folder/folder_app.h"

#include <QApplication>

#include "folder/folder_doc.h"
#include "folder/folder_strings.h"
#include "folder/folder_view.h"
#include "folder/main_frame.h"
#include "folder/resource_ids.h"
#include "platform/messages.h"

CFolderApp::CFolderApp() : instance_(kInstanceMutex) {}

CFolderApp::~CFolderApp() {
    if (!instance_.held()) return;
    info_.SetFolderWnd("");
    frame_.reset();
    doc_.reset();
    instance_.unlock();
}

bool CFolderApp::InitInstance() {
    if (!instance_.tryLock()) {
        const std::string folder = info_.GetFolderWnd();
        if (!folder.empty() && platform::isWindow(folder))
            platform::postMessage(folder, {platform::registerMessage(platform::kSuiteMessageName),
                                           folder::kSuiteShowFolder, 0});
        return false;
    }
    QCoreApplication::setOrganizationName(folder::Text(folder::IDS_REGISTRY_KEY));
    doc_ = std::make_unique<CFolderDoc>();
    frame_ = std::make_unique<folder::CMainFrame>(*doc_);
    if (!frame_->OnCreate()) return false;
    frame_->show();
    info_.SetFolderWnd(frame_->Endpoint());
    products_ = InstalledProducts::Read();
    frame_->View()->OnInitialUpdate();
    return true;
}
