#include "ArtGen.h"

#include <QDir>
#include <QSaveFile>

namespace tav::artgen {

std::vector<GeneratedPicture> AllPictures() {
    std::vector<GeneratedPicture> pictures;
    for (int set = 1; set <= 9; ++set)
        for (int digit = 0; digit < 4; ++digit)
            pictures.push_back({QStringLiteral("tiles/MD%1%2.png").arg(set - 1).arg(digit),
                                TileSetPicture(set, PictureEdges[digit])});
    for (const QString& name : ToolbarPictureNames())
        pictures.push_back({QStringLiteral("toolbar/%1.png").arg(name), ToolbarPicture(name)});
    // The window icon is icon.png (32) and icon48.png; the desktop's icon theme takes every size.
    for (const int size : IconSizes())
        pictures.push_back({size == 32 ? QStringLiteral("icon.png") : QStringLiteral("icon%1.png").arg(size),
                            IconPicture(size)});
    pictures.push_back({QStringLiteral("about.png"), AboutPicture()});
    return pictures;
}

bool WriteAllPictures(const QString& directory, QString* error) {
    const QDir root(directory);
    for (const char* sub : {"tiles", "toolbar"})
        if (!root.mkpath(QString::fromLatin1(sub))) {
            *error = QStringLiteral("Cannot create %1").arg(root.filePath(QString::fromLatin1(sub)));
            return false;
        }
    for (const GeneratedPicture& picture : AllPictures()) {
        const QString path = root.filePath(picture.Path);
        // Written through a temporary file, so an interrupted run never leaves a broken picture behind.
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || !picture.Image.save(&file, "PNG", 9) || !file.commit()) {
            *error = QStringLiteral("Cannot write %1").arg(path);
            return false;
        }
    }
    return true;
}

} // namespace tav::artgen
