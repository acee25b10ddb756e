#pragma once
// The artwork generator: every picture of resources/ is drawn here, from code, the same way on every run.

#include <QImage>
#include <QString>

#include <vector>

namespace tav::artgen {

// One generated picture and its path below resources/ ("tiles/MD00.png", "toolbar/pen.png", ...).
struct GeneratedPicture {
    QString Path;
    QImage Image; // always QImage::Format_Indexed8
};

// The tile edges of the four pictures of a set, in the order of the pictures' names (MDx0 .. MDx3).
inline constexpr int PictureEdges[] = {32, 16, 8, 4};

// Tile set 1..9 with tiles of `edge` pixels (one of PictureEdges): 8 x 16 tiles, one colour table per set.
QImage TileSetPicture(int tileSet, int edge);

// The names of the 26 tool-bar pictures (the files below toolbar/ without ".png"), left to right.
const std::vector<QString>& ToolbarPictureNames();
QImage ToolbarPicture(const QString& pictureName); // 24 x 24
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
