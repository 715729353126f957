// velmora-render-icon IN.svg OUT_DIR SIZE...: renders the icon as OUT_DIR/SIZExSIZE/apps/
// NAME.png for each size, the folders of the hicolor icon theme (NAME is IN's base name).
// Run by the build; Qt SVG draws it, as it draws the window's pictures.
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: velmora-render-icon IN.svg OUT_DIR SIZE...\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "velmora-render-icon: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString name = QFileInfo(QString::fromLocal8Bit(argv[1])).completeBaseName();
    for (int i = 3; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size <= 0) return 2;
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        svg.render(&painter);
        painter.end();
        const QString folder =
            QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[2])).arg(size);
        if (!QDir().mkpath(folder) || !image.save(folder + QLatin1Char('/') + name + ".png")) {
            std::fprintf(stderr, "velmora-render-icon: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
