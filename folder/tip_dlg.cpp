#include "folder/tip_dlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "folder/folder_strings.h"
#include "folder/resource_ids.h"
#include "ui/resource_id.h"

using namespace folder;

CTipDlg::CTipDlg(const InstalledProducts& products, QWidget* parent)
    : QDialog(parent), products_(products) {
    ui::setResourceId(this, static_cast<int>(IDD_TIP));
    setWindowTitle(Text(IDS_TIP_TITLE));
    settings_.Load();

    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setBackgroundRole(QPalette::Base);
    panel->setAutoFillBackground(true);
    auto* bulb = new QLabel(panel);
    bulb->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    bulb->setAlignment(Qt::AlignTop);
    auto* heading = new QLabel(Text(IDS_TIP_HEADING), panel);
    QFont bold = heading->font();
    bold.setWeight(QFont::Bold);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    heading->setFont(bold);
    text_ = new QLabel(panel);
    ui::setResourceId(text_, static_cast<int>(IDC_TIP_TEXT));
    text_->setWordWrap(true);
    text_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    text_->setMinimumHeight(80);
    auto* texts = new QVBoxLayout;
    texts->addWidget(heading);
    texts->addWidget(text_, 1);
    auto* inner = new QHBoxLayout(panel);
    inner->addWidget(bulb);
    inner->addLayout(texts, 1);

    show_ = new QCheckBox(Text(IDS_TIP_SHOW), this);
    ui::setResourceId(show_, static_cast<int>(IDC_TIP_SHOW));
    show_->setChecked(settings_.enable == 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    auto* next = buttons->addButton(Text(IDS_TIP_NEXT), QDialogButtonBox::ActionRole);
    ui::setResourceId(next, static_cast<int>(IDC_TIP_NEXT));
    connect(next, &QPushButton::clicked, this, [this] { ShowNextTip(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(show_);
    bottom->addStretch();
    bottom->addWidget(buttons);
    layout->addLayout(bottom);
    setMinimumWidth(460);
    ShowNextTip();
}

void CTipDlg::ShowNextTip() {
    std::int32_t next = settings_.currentTip;
    if (!NextTip(settings_.currentTip, products_, shown_, next)) return;
    text_->setText(Text(shown_));
    settings_.currentTip = next;
    settings_.Save();
}

void CTipDlg::accept() {
    settings_.enable = show_->isChecked() ? 1 : 0;
    settings_.Save();
    QDialog::accept();
}
