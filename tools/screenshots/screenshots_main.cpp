// ta-screenshots: pictures of every dialog without a display.
//   ta-screenshots [output folder] [name filter ...]
// Writes <folder>/<name>.png for each screen whose name contains one of the
// filters (all screens without a filter) and lists the files written.
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "tools/screenshots/screens.h"

namespace screenshots {

namespace {
std::vector<Screen>& registry() {
    static std::vector<Screen> screens;
    return screens;
}

// The window's frame is not drawn offscreen; the caption is part of what a
// reviewer needs to see, so it is painted above the dialog.
QImage withCaption(const QWidget& dialog, QPixmap client) {
    // Under a scale factor the grab holds device pixels; draw them 1:1.
    const qreal scale = client.devicePixelRatio();
    client.setDevicePixelRatio(1.0);
    const int bar = qRound(22 * scale);
    QImage image(client.width() + 2, client.height() + bar + 1, QImage::Format_ARGB32);
    image.fill(QColor(192, 192, 192));
    QPainter p(&image);
    QLinearGradient gradient(0, 0, image.width(), 0);
    gradient.setColorAt(0, QColor(0, 0, 128));
    gradient.setColorAt(1, QColor(16, 132, 208));
    p.fillRect(QRect(1, 1, image.width() - 2, bar - 2), gradient);
    QFont font = dialog.font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * scale);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(6, 1, image.width() - 12, bar - 2), Qt::AlignVCenter | Qt::AlignLeft,
               dialog.windowTitle());
    p.drawPixmap(1, bar, client);
    return image;
}

void settle(int ms) {
    for (int waited = 0; waited < ms; waited += 10) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(10);
    }
}

bool wanted(const std::string& name, int argc, char** argv) {
    if (argc <= 2) return true;
    for (int i = 2; i < argc; ++i)
        if (name.find(argv[i]) != std::string::npos) return true;
    return false;
}
}  // namespace

bool add(const char* name, Factory build) {
    registry().push_back({name, std::move(build)});
    return true;
}

const std::vector<Screen>& all() {
    return registry();
}

}  // namespace screenshots

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Dialogs that read settings must not touch the user's store.
    std::string home;
    if (!std::getenv("VELKA_TA_HOME")) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "velka-shots-XXXXXX").string();
        if (mkdtemp(pattern.data())) {
            home = pattern;
            setenv("VELKA_TA_HOME", home.c_str(), 1);
        }
    }
    int status = 0;
    {
        QApplication app(argc, argv);
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
        QApplication::setApplicationDisplayName(QStringLiteral("Tamo TA"));
        const QString folder = QString::fromLocal8Bit(argc > 1 ? argv[1] : "screenshots");
        if (!QDir().mkpath(folder)) {
            std::fprintf(stderr, "cannot create %s\n", qPrintable(folder));
            return 1;
        }
        std::map<std::string, int> seen;
        for (const auto& screen : screenshots::all()) {
            if (!screenshots::wanted(screen.name, argc, argv)) continue;
            if (seen[screen.name]++) {
                std::fprintf(stderr, "screen %s is listed twice\n", screen.name.c_str());
                status = 1;
                continue;
            }
            screenshots::Scene scene;
            screen.build(scene);
            if (!scene.dialog) {
                std::fprintf(stderr, "screen %s built no dialog\n", screen.name.c_str());
                status = 1;
                continue;
            }
            scene.dialog->show();
            screenshots::settle(150);
            const QImage image = screenshots::withCaption(*scene.dialog, scene.dialog->grab());
            const QString path = folder + QLatin1Char('/') + QString::fromStdString(screen.name) +
                                 QStringLiteral(".png");
            if (!image.save(path, "PNG")) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                status = 1;
                continue;
            }
            std::printf("%s\n", qPrintable(path));
            scene.dialog->hide();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    if (!home.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(home, ec);
    }
    return status;
}
