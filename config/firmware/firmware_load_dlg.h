#pragma once
// CFirmwareLoadDlg (dialog 1009 "Herunterladen"): shows a firmware download
// while it runs -- the action line, the time left, the progress bar and the
// device's animation -- and passes the user's cancel on. The download itself
// (download_session.h) runs on a worker thread of the dialog, so the window
// keeps answering during the long pauses the device needs.
#include <QDialog>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "config/firmware/download_protocol.h"

class QLabel;
class QProgressBar;
namespace ui {
class AnimationControl;
}
namespace firmware {
class DownloadSession;
}

class CFirmwareLoadDlg : public QDialog {
    Q_OBJECT
public:
    explicit CFirmwareLoadDlg(QWidget* parent = nullptr);
    ~CFirmwareLoadDlg() override;

    // Reads the image; 0, or 4000 when it cannot be read.
    std::int32_t Setup(const std::string& imagePath, const std::string& portName,
                       const std::string& version, std::int32_t kind, bool loaderMode);
    // Runs the download modally: 0, -2, -3, -7 or 4006.
    int Run();

    // What the download reports, on the dialog's thread (public for the
    // screenshots, which show a download half-way).
    void ShowAction(const QString& text);
    void ShowTimeLeft(const QString& text);
    void ShowProgress(int percent);
    void StartAnimation();

    void reject() override;  // Esc and the close box cancel the download

private:
    class Relay;
    void finished(int result, std::uint32_t messageId);

    firmware::DownloadSetup setup_;
    std::string port_;
    QLabel* action_ = nullptr;
    QLabel* timeLeft_ = nullptr;
    QProgressBar* bar_ = nullptr;
    ui::AnimationControl* animation_ = nullptr;
    std::unique_ptr<Relay> relay_;
    std::unique_ptr<firmware::DownloadSession> session_;
    std::jthread worker_;
    bool waitCursor_ = false;
};
