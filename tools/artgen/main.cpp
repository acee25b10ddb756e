// tavrenna-artgen: draws every picture the editor links in and writes them below the given directory.
//   tavrenna-artgen <resources-directory>

#include "ArtGen.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tavrenna-artgen <resources-directory>\n");
        return 2;
    }
    QString error;
    if (!tav::artgen::WriteAllPictures(QString::fromLocal8Bit(argv[1]), &error)) {
        std::fprintf(stderr, "tavrenna-artgen: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
