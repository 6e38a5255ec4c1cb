// ta-prf-thumbnailer [-s SIZE] FILE OUT.png: the picture a file manager shows
// for a profile file, the icon its "IconImage" "Index" chooses, as a PNG of
// SIZE x SIZE pixels (default 128). With --icon INDEX in place of FILE it
// draws that icon directly (how the PNG sizes of the icons are made).
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

#include "shellext/profile_details.h"

namespace {

constexpr int kIconCount = 5;
constexpr int kMaxSize = 1024;

QString iconResource(int index) {
    // An index without an icon of its own gets the plain profile file's.
    if (index < 0 || index >= kIconCount) index = 0;
    return QStringLiteral(":/velka/icons/prf-%1.svg").arg(index);
}

bool render(int index, int size, const QString& out) {
    QSvgRenderer svg(iconResource(index));
    if (!svg.isValid()) return false;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    svg.render(&painter);
    painter.end();
    return image.save(out, "PNG");
}

}  // namespace

int main(int argc, char** argv) {
    // A thumbnailer never shows anything, and may run where no display is.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    QStringList args = QCoreApplication::arguments().mid(1);

    int size = 128;
    int icon = -1;
    bool byIndex = false;
    while (args.size() > 2) {
        bool ok = false;
        if (args.front() == QStringLiteral("-s")) {
            size = args.at(1).toInt(&ok);
        } else if (args.front() == QStringLiteral("--icon")) {
            icon = args.at(1).toInt(&ok);
            byIndex = true;
        } else {
            break;
        }
        if (!ok) break;
        args = args.mid(2);
    }
    const int operands = byIndex ? 1 : 2;
    if (args.size() != operands || size < 1 || size > kMaxSize) {
        err << "Aufruf: ta-prf-thumbnailer [-s GRÖSSE] PROFILDATEI AUSGABE.png\n"
               "        ta-prf-thumbnailer --icon INDEX [-s GRÖSSE] AUSGABE.png\n";
        return 2;
    }
    if (!byIndex) icon = quillet::IconIndex(args.front().toStdString());
    if (!render(icon, size, args.back())) {
        err << "Das Bild kann nicht geschrieben werden: " << args.back() << "\n";
        return 1;
    }
    return 0;
}
