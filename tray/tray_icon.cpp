#include "tray/tray_icon.h"

#include <QIcon>
#include <cstdio>

#include "tray/resource_ids.h"
#include "tray/tray_strings.h"

namespace {

// How often to look for a notification area that was missing.
constexpr int kAreaPollMs = 2000;

QIcon stateIcon(std::uint32_t state) {
    return QIcon(QStringLiteral(":/velka/tray/%1.png").arg(state));
}

}  // namespace

CTrayIcon::CTrayIcon() {
    areaWatch_.setInterval(kAreaPollMs);
    QObject::connect(&areaWatch_, &QTimer::timeout, [this] { retryWhenAreaAppears(); });
}

CTrayIcon::~CTrayIcon() {
    ShowState(tray::kStateNone);
}

void CTrayIcon::SetNotificationWnd(std::function<void(QSystemTrayIcon::ActivationReason)> callback,
                                   QMenu* menu) {
    QObject::connect(&icon_, &QSystemTrayIcon::activated, std::move(callback));
    icon_.setContextMenu(menu);
}

bool CTrayIcon::ShowState(std::uint32_t state) {
    state_ = state;
    areaWatch_.stop();
    if (state == tray::kStateNone) {
        icon_.hide();
        shown_ = false;
        return true;
    }
    icon_.setIcon(stateIcon(state));
    // The tip is cut to the classic 63 characters of the notification area.
    icon_.setToolTip(tray::Text(state).left(63));
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        static bool told = false;
        if (!told) {
            std::fprintf(stderr, "%s\n", tray::Text(tray::IDS_NO_TRAY).toUtf8().constData());
            told = true;
        }
        shown_ = false;
        areaWatch_.start();
        return false;
    }
    icon_.show();
    shown_ = icon_.isVisible();
    return shown_;
}

void CTrayIcon::retryWhenAreaAppears() {
    if (QSystemTrayIcon::isSystemTrayAvailable()) ShowState(state_);
}
