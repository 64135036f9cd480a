// Build-time tool: writes the program's icon, drawn by its own artwork code,
// as hicolor theme PNG files under the directory given on the command line.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <cstdio>

#include "ui/widgets/artwork.h"

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_icons <directory>\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (int side : tolm::ui::kProgramIconSides) {
        const QString dir = root + QStringLiteral("/hicolor/%1x%1/apps").arg(side);
        const QString file = dir + QStringLiteral("/tolm.png");
        if (!QDir().mkpath(dir) || !tolm::ui::programIconImage(side).save(file, "PNG")) {
            std::fprintf(stderr, "write_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
