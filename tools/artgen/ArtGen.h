#pragma once
// The artwork generator: every picture of resources/ is drawn here, from code, the same way on every run.

#include <QImage>
#include <QString>

#include <vector>

namespace tav::artgen {

// One generated picture and its path below resources/ ("tiles/MD00.png", "toolbar/PenButton.png", ...).
struct GeneratedPicture {
    QString Path;
    QImage Image; // always QImage::Format_Indexed8
};

// Tile set 1..9 at scale index 0..3: 8 x 16 tiles of edge 32, 16, 8 or 4, one colour table per set.
QImage TileSetPicture(int tileSet, int scaleIndex);

// The names of the 26 tool-bar buttons, left to right.
const std::vector<QString>& ToolbarButtonNames();
QImage ToolbarPicture(const QString& buttonName); // 24 x 24
// The application icon at each size of IconSizes(); a null picture for any other size.
const std::vector<int>& IconSizes();
QImage IconPicture(int size);
QImage AboutPicture();                            // 150 x 150

// Everything the program links in, in a fixed order.
std::vector<GeneratedPicture> AllPictures();

// Writes AllPictures() below `directory`, creating tiles/ and toolbar/. Returns false and sets `error`
// when a file cannot be written.
bool WriteAllPictures(const QString& directory, QString* error);

} // namespace tav::artgen
