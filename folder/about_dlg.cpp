#include "folder/about_dlg.h"

#include <QIcon>

#include "folder/folder_strings.h"
#include "folder/resource_ids.h"
#include "ui/about_layout.h"
#include "ui/resource_id.h"

CFolderAboutDlg::CFolderAboutDlg(QWidget* parent) : QDialog(parent) {
    using namespace folder;
    using Look = ui::AboutLine::Look;
    ui::setResourceId(this, static_cast<int>(IDD_ABOUTBOX));
    setWindowTitle(Text(IDS_ABOUT_TITLE));
    ui::layoutAboutBox(
        *this, QIcon(QStringLiteral(":/velka/folder/%1-32.png").arg(IDI_BOX_OK)).pixmap(32, 32),
        {{IDC_ABOUT_PRODUCT, Text(IDS_ABOUT_PRODUCT), Look::Title},
         {IDC_ABOUT_VERSION, QStringLiteral("Version 1.0"), Look::Bold},
         {IDC_ABOUT_MAKER, Text(IDS_ABOUT_MAKER), Look::Bold},
         {IDC_ABOUT_TEXT, Text(IDS_ABOUT_TEXT), Look::Text}},
        380);
}
