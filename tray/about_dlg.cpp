#include "tray/about_dlg.h"

#include <QIcon>

#include "tray/resource_ids.h"
#include "tray/tray_strings.h"
#include "ui/about_layout.h"
#include "ui/resource_id.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    using namespace tray;
    using Look = ui::AboutLine::Look;
    ui::setResourceId(this, static_cast<int>(IDD_ABOUTBOX));
    setWindowTitle(Text(IDS_ABOUT_TITLE));
    ui::layoutAboutBox(*this,
                       QIcon(QStringLiteral(":/velka/tray/%1.png").arg(IDI_READY)).pixmap(32, 32),
                       {{IDC_ABOUT_PRODUCT, Text(IDS_ABOUT_PRODUCT), Look::Title},
                        {IDC_ABOUT_MAKER, Text(IDS_ABOUT_MAKER), Look::Bold},
                        {IDC_ABOUT_TEXT, Text(IDS_ABOUT_TEXT), Look::Text}},
                       340);
}
