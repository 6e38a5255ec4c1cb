#include "config/pages/page_bacp.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTabBar>
#include <QVBoxLayout>

#include "config/config_strings.h"
#include "config/resource_ids.h"
#include "platform/text_format.h"
#include "profile/profile.h"
#include "ui/dialog_facility.h"
#include "ui/resource_id.h"

namespace config::pages {

namespace {
constexpr std::int32_t kMaxDelay = 60;

QSlider* makeSlider(QWidget* parent, int id) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setRange(0, 100);
    slider->setPageStep(10);
    ui::setResourceId(slider, id);
    return slider;
}
}  // namespace

CPageBACP::CPageBACP()
    : CProfilePage(IDD_PAGE_BACP, QStringLiteral("Kontrollprotokoll für Bandbreite")) {}

void CPageBACP::load() {
    start_ = std::uint32_t(profile_->bapStartInterval);
    repeat_ = std::uint32_t(profile_->bapRepeatInterval);
    channels_[0] = {profile_->delayOpenB1, profile_->thresholdOpenB1, profile_->thresholdCloseB1};
    channels_[1] = {profile_->delayOpenB2, profile_->thresholdOpenB2, profile_->thresholdCloseB2};
}

void CPageBACP::store() {
    profile_->bapStartInterval = std::int32_t(start_);
    profile_->bapRepeatInterval = std::int32_t(repeat_);
    profile_->delayOpenB1 = channels_[0].delay;
    profile_->thresholdOpenB1 = channels_[0].open;
    profile_->thresholdCloseB1 = channels_[0].close;
    profile_->delayOpenB2 = channels_[1].delay;
    profile_->thresholdOpenB2 = channels_[1].open;
    profile_->thresholdCloseB2 = channels_[1].close;
}

void CPageBACP::createControls() {
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    addEdit(form, IDC_BACP_START, QStringLiteral("&Startintervall (Sekunden):"), 10);
    addEdit(form, IDC_BACP_REPEAT, QStringLiteral("&Wiederholungsintervall (Sekunden):"), 10);

    tabs_ = new QTabBar(this);
    tabs_->addTab(Tr(1313));
    tabs_->addTab(Tr(1314));
    ui::setResourceId(tabs_, IDC_BACP_CHANNEL);
    layout->addWidget(tabs_);
    auto* channel = new QGroupBox(this);
    auto* channelForm = new QFormLayout(channel);
    auto* delay = new QLineEdit(channel);
    delay->setMaxLength(3);
    ui::setResourceId(delay, IDC_BACP_DELAY);
    channelForm->addRow(QStringLiteral("&Verzögerung vor Öffnen (Sekunden):"), delay);
    open_ = makeSlider(channel, IDC_BACP_OPEN);
    close_ = makeSlider(channel, IDC_BACP_CLOSE);
    openLabel_ = new QLabel(channel);
    closeLabel_ = new QLabel(channel);
    openLabel_->setBuddy(open_);
    closeLabel_->setBuddy(close_);
    channelForm->addRow(openLabel_, open_);
    channelForm->addRow(closeLabel_, close_);
    layout->addWidget(channel);
    layout->addStretch();
    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
        // The channel shown is left like a page: its delay must be valid.
        if (index == channel_) return;
        if (!updateData(true)) {
            tabs_->setCurrentIndex(channel_);
            return;
        }
        showChannel(index);
    });
    connect(open_, &QSlider::valueChanged, this, [this] { sliderMoved(open_); });
    connect(close_, &QSlider::valueChanged, this, [this] { sliderMoved(close_); });
}

void CPageBACP::showChannel(int channel) {
    channel_ = channel;
    updateData(false);
}

void CPageBACP::updateLabels() {
    openLabel_->setText(QString::fromStdString(
        platform::formatInserts(config::Text(1311), {std::uint64_t(open_->value())})));
    closeLabel_->setText(QString::fromStdString(
        platform::formatInserts(config::Text(1312), {std::int64_t(close_->value())})));
}

void CPageBACP::sliderMoved(QSlider* slider) {
    Channel& c = channels_[channel_];
    if (loading()) {
        updateLabels();
        return;
    }
    // Refused moves go back to where the slider was.
    if (slider == open_ && open_->value() < close_->value()) {
        ui::messageBox(this, config::Strings(), 1530, ui::Icon::Warning);
        const QSignalBlocker block(open_);
        open_->setValue(c.open);
    } else if (slider == close_ && close_->value() > open_->value()) {
        ui::messageBox(this, config::Strings(), 1531, ui::Icon::Warning);
        const QSignalBlocker block(close_);
        close_->setValue(c.close);
    }
    c.open = open_->value();
    c.close = close_->value();
    updateLabels();
}

void CPageBACP::doDataExchange(ui::DataExchange& dx) {
    dx.number(IDC_BACP_START, start_);
    dx.number(IDC_BACP_REPEAT, repeat_);
    Channel& c = channels_[channel_];
    dx.number(IDC_BACP_DELAY, c.delay);
    if (dx.saving() && !dx.failed() && (c.delay < 0 || c.delay > kMaxDelay)) {
        dx.prepare(IDC_BACP_DELAY);
        dx.fail(config::Strings(), 1540);
    }
    dx.position(IDC_BACP_OPEN, c.open);
    dx.position(IDC_BACP_CLOSE, c.close);
    if (!dx.saving()) updateLabels();
}

}  // namespace config::pages
