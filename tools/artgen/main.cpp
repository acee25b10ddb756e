// tavrenna-artgen: draws every picture the editor links in and writes them below the given directory.
//   tavrenna-artgen <resources-directory>
//   tavrenna-artgen --contact-sheet <out.png> <width> <height> <render.png>...
//     puts the upper left width x height pixels of each render side by side, three to a row.

#include "ArtGen.h"

#include <QImage>
#include <QPainter>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

int ContactSheet(int argc, char** argv) {
    const int width = std::atoi(argv[3]), height = std::atoi(argv[4]), count = argc - 5, gap = 4;
    if (width <= 0 || height <= 0 || count <= 0) {
        std::fprintf(stderr, "tavrenna-artgen: --contact-sheet needs a size and at least one picture\n");
        return 2;
    }
    const int columns = std::min(3, count), rows = (count + 2) / 3;
    QImage sheet(columns * width + (columns - 1) * gap, rows * height + (rows - 1) * gap, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    for (int i = 0; i < count; ++i) {
        const QImage render(QString::fromLocal8Bit(argv[5 + i]));
        if (render.isNull()) {
            std::fprintf(stderr, "tavrenna-artgen: cannot read %s\n", argv[5 + i]);
            return 1;
        }
        painter.drawImage((i % 3) * (width + gap), (i / 3) * (height + gap), render, 0, 0, width, height);
    }
    painter.end();
    if (!sheet.save(QString::fromLocal8Bit(argv[2]), "PNG", 9)) {
        std::fprintf(stderr, "tavrenna-artgen: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 5 && std::string_view(argv[1]) == "--contact-sheet")
        return ContactSheet(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tavrenna-artgen <resources-directory>\n"
                             "       tavrenna-artgen --contact-sheet <out.png> <width> <height> <render.png>...\n");
        return 2;
    }
    QString error;
    if (!tav::artgen::WriteAllPictures(QString::fromLocal8Bit(argv[1]), &error)) {
        std::fprintf(stderr, "tavrenna-artgen: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
