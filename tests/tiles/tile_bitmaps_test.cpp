#include "PictureReadAhead.h"
#include "TileBitmaps.h"
#include "TileSets.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tav {
namespace {

int PngBitDepth(const QString& path, int* colourType) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray head = file.read(26); // signature, IHDR length and type, width, height, depth, colour type
    if (head.size() < 26)
        return -1;
    *colourType = static_cast<unsigned char>(head[25]);
    return static_cast<unsigned char>(head[24]);
}

TEST(TilePictures, AllThirtySixAreLinkedInAsIndexedPicturesOfTheRightSize) {
    for (TileSet set : AllTileSets)
        for (TileEdge tileEdge : AllTileEdges) {
            const QString path = QStringLiteral(":/tiles/") + PictureName(set, tileEdge) + QStringLiteral(".png");
            SCOPED_TRACE(path.toStdString());
            const QImage picture(path);
            ASSERT_FALSE(picture.isNull());
            const int edge = Pixels(tileEdge);
            EXPECT_EQ(picture.size(), QSize(8 * edge, 16 * edge));
            EXPECT_EQ(picture.format(), QImage::Format_Indexed8);
            if (tileEdge != TileEdge::Px4) {
                EXPECT_GE(picture.colorCount(), 16);
                EXPECT_LE(picture.colorCount(), 22);
            } else {
                EXPECT_EQ(picture.colorCount(), 256);
            }
            int colourType = 0;
            EXPECT_EQ(PngBitDepth(path, &colourType), 8);
            EXPECT_EQ(colourType, 3); // palette
        }
}

TEST(TilePictures, ToolbarIconAndAboutPicturesAreLinkedIn) {
    const char* pictures[] = {"new-map", "open", "save-as", "save", "exit", "pen", "line", "box", "box-fill",
                              "circle", "circle-fill", "bucket", "range-selection", "cut", "paste", "replace",
                              "exchange", "shape", "unshape", "undo", "edge-32", "edge-16", "edge-8", "map-check",
                              "faction-analysis", "help"};
    for (const char* name : pictures) {
        SCOPED_TRACE(name);
        const QImage picture(QStringLiteral(":/toolbar/%1.png").arg(QLatin1String(name)));
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.size(), QSize(24, 24));
        EXPECT_EQ(picture.format(), QImage::Format_Indexed8);
    }
    EXPECT_EQ(QImage(QStringLiteral(":/icon.png")).size(), QSize(32, 32));
    const QImage about(QStringLiteral(":/about.png"));
    EXPECT_EQ(about.size(), QSize(150, 150));
    EXPECT_EQ(about.format(), QImage::Format_Indexed8);
    EXPECT_EQ(about.colorCount(), 256);
}

TEST(TileBitmaps, LoadHoldsTheFourPicturesOfTheSetReadyForRowCopies) {
    TileBitmaps bitmaps;
    EXPECT_FALSE(bitmaps.IsLoaded());
    bitmaps.LoadTileSetBitmaps(TileSet::Stellan);
    ASSERT_TRUE(bitmaps.IsLoaded());
    EXPECT_EQ(bitmaps.LoadedTileSet(), TileSet::Stellan);
    for (TileEdge tileEdge : AllTileEdges) {
        const int edge = Pixels(tileEdge);
        SCOPED_TRACE(edge);
        const QImage& picture = bitmaps.Picture(tileEdge);
        EXPECT_EQ(picture.format(), QImage::Format_RGB32);
        EXPECT_EQ(picture.size(), QSize(8 * edge, 16 * edge));
        // the conversion keeps every colour of the linked-in picture
        const QImage original(QStringLiteral(":/tiles/%1.png").arg(PictureName(TileSet::Stellan, tileEdge)));
        EXPECT_EQ(picture, original.convertToFormat(QImage::Format_RGB32));
    }
}

TEST(TileBitmaps, LoadingAnotherSetReplacesThePicturesAndFreeLeavesNone) {
    TileBitmaps bitmaps;
    bitmaps.LoadTileSetBitmaps(TileSet::Verda);
    const QImage first = bitmaps.Picture(TileEdge::Px32);
    bitmaps.LoadTileSetBitmaps(TileSet::Coronet);
    EXPECT_EQ(bitmaps.LoadedTileSet(), TileSet::Coronet);
    EXPECT_NE(bitmaps.Picture(TileEdge::Px32), first);
    bitmaps.FreeTileSetBitmaps();
    EXPECT_FALSE(bitmaps.IsLoaded());
    for (TileEdge edge : AllTileEdges)
        EXPECT_TRUE(bitmaps.Picture(edge).isNull());
    bitmaps.FreeTileSetBitmaps(); // nothing loaded: nothing to do
    EXPECT_FALSE(bitmaps.IsLoaded());
}

TEST(TileBitmaps, SetNumberOutsideOneToNineIsRefusedAndNothingIsHeld) {
    // Only a cast makes such a set; it must not name a picture that does not exist.
    for (int number : {0, 10, -1}) {
        SCOPED_TRACE(number);
        TileBitmaps bitmaps;
        bitmaps.LoadTileSetBitmaps(TileSet::Sandra);
        EXPECT_THROW(bitmaps.LoadTileSetBitmaps(static_cast<TileSet>(number)), TileLoadError);
        EXPECT_FALSE(bitmaps.IsLoaded());
    }
}

// Copies the linked-in pictures into a folder, leaving out or replacing one.
QString PictureFolder(const QTemporaryDir& dir, const QString& leaveOut, const QImage& replacement = QImage()) {
    for (TileSet set : AllTileSets)
        for (TileEdge edge : AllTileEdges) {
            const QString name = PictureName(set, edge);
            const QString target = dir.filePath(name + QStringLiteral(".png"));
            if (name != leaveOut)
                QFile::copy(QStringLiteral(":/tiles/") + name + QStringLiteral(".png"), target);
            else if (!replacement.isNull())
                replacement.save(target);
        }
    return dir.path();
}

TEST(TileBitmaps, MissingPictureGivesAnErrorNamingItAndNothingIsHeld) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TileBitmaps bitmaps;
    bitmaps.SetPictureRoot(PictureFolder(dir, QStringLiteral("MD52")));
    bitmaps.LoadTileSetBitmaps(TileSet::Lapist);
    try {
        bitmaps.LoadTileSetBitmaps(TileSet::Zephir);
        FAIL() << "loading a set with a missing picture succeeded";
    } catch (const TileLoadError& error) {
        EXPECT_NE(std::string(error.what()).find("MD52"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(bitmaps.IsLoaded());
    EXPECT_TRUE(bitmaps.Picture(TileEdge::Px32).isNull());
}

TEST(TileBitmaps, PictureOfTheWrongSizeIsRefusedByName) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage small(64, 64, QImage::Format_RGB32);
    small.fill(Qt::red);
    TileBitmaps bitmaps;
    bitmaps.SetPictureRoot(PictureFolder(dir, QStringLiteral("MD01"), small));
    try {
        bitmaps.LoadTileSetBitmaps(TileSet::Verda);
        FAIL() << "a 64 x 64 picture was taken for MD01";
    } catch (const TileLoadError& error) {
        EXPECT_NE(std::string(error.what()).find("MD01"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(bitmaps.IsLoaded());
}

// One edge's picture read alone is the one the four read together give, pixel for pixel, in every set.
TEST(TileBitmaps, OnePictureReadAloneIsTheOneAllFourGive) {
    for (const TileSet set : AllTileSets) {
        const TileSetPictureArray all = ReadTileSetPictures(TileBitmaps::LinkedPictureRoot(), set);
        for (const TileEdge edge : AllTileEdges) {
            SCOPED_TRACE("set " + std::to_string(TileSetNumber(set)) + " edge " + std::to_string(Pixels(edge)));
            const QImage alone = ReadTileSetPicture(TileBitmaps::LinkedPictureRoot(), set, edge);
            EXPECT_EQ(alone.format(), all[TileBitmaps::SlotOf(edge)].format());
            EXPECT_EQ(alone, all[TileBitmaps::SlotOf(edge)]);
        }
    }
    EXPECT_THROW(ReadTileSetPicture(TileBitmaps::LinkedPictureRoot(), static_cast<TileSet>(12), TileEdge::Px8),
                 TileLoadError);
    EXPECT_THROW(ReadTileSetPicture(QStringLiteral("/no/such/folder"), TileSet::Verda, TileEdge::Px8), TileLoadError);
}

TEST(PictureReadAhead, GivesWhatAReadNowGivesAndOnlyForTheSetItRead) {
    const QString icon = QStringLiteral(":/icon.png");
    const QString pen = QStringLiteral(":/toolbar/pen.png");
    const QString missing = QStringLiteral(":/toolbar/no-such-picture.png");
    {
        PictureReadAhead ahead({icon, pen, missing}, TileSet::Milphos);
        EXPECT_EQ(ahead.Picture(pen), ReadPng(pen));
        EXPECT_EQ(ahead.Picture(icon), ReadPng(icon));
        EXPECT_FALSE(ahead.Picture(icon).isNull());
        EXPECT_TRUE(ahead.Picture(missing).isNull());
        // a picture it was not asked for is read on the spot
        EXPECT_EQ(ahead.Picture(QStringLiteral(":/about.png")), ReadPng(QStringLiteral(":/about.png")));
        // another set, or the same set from another folder, is not what it read
        EXPECT_FALSE(ahead.TakeTileSet(TileSet::Lapist, TileBitmaps::LinkedPictureRoot()));
        EXPECT_FALSE(ahead.TakeTileSet(TileSet::Milphos, QStringLiteral("/elsewhere")));
        const auto pictures = ahead.TakeTileSet(TileSet::Milphos, TileBitmaps::LinkedPictureRoot());
        ASSERT_TRUE(pictures);
        EXPECT_EQ(*pictures, ReadStoredTileSetPictures(TileBitmaps::LinkedPictureRoot(), TileSet::Milphos));
        EXPECT_FALSE(ahead.TakeTileSet(TileSet::Milphos, TileBitmaps::LinkedPictureRoot())); // taken once
    }
    // A set that cannot be read fails where it is taken, as a load would; one never taken is just dropped.
    const auto noSet = static_cast<TileSet>(12);
    PictureReadAhead broken({}, noSet);
    EXPECT_THROW(broken.TakeTileSet(noSet, TileBitmaps::LinkedPictureRoot()), TileLoadError);
    PictureReadAhead unused({pen}, noSet);
}

} // namespace
} // namespace tav
