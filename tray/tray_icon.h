#pragma once
// CTrayIcon: the monitor's one icon in the desktop's notification area.
// ShowState(id) shows the icon and tip of that state (adding the icon the
// first time, changing it later), state 0 removes it. Where the desktop has
// no notification area the state is kept, this is said once on standard
// error, and the icon appears as soon as an area does.
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>

class CTrayIcon {
public:
    CTrayIcon();
    ~CTrayIcon();  // shows state 0: the icon goes
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // The owner's callback for the icon's mouse events (double click) and
    // the menu shown on the right button.
    void SetNotificationWnd(std::function<void(QSystemTrayIcon::ActivationReason)> callback,
                            QMenu* menu);
    // true when the icon is now shown as asked (for state 0: removed).
    bool ShowState(std::uint32_t state);

    std::uint32_t State() const { return state_; }
    bool IsShown() const { return shown_; }
    QString Tip() const { return icon_.toolTip(); }

private:
    void retryWhenAreaAppears();

    std::uint32_t state_ = 0;
    bool shown_ = false;
    QSystemTrayIcon icon_;
    QTimer areaWatch_;
};
