#pragma once
// Maps and map files for the editor tests, the editor's own texts, and a fixture with a driven editor and
// a folder for its files.

#include "EditorDriver.h"
#include "MapGrid.h"
#include "Shaping.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <random>

namespace tav::testing {

// How the editor's error report about a file begins: the file named in 「」, then what could not be done.
inline QString WriteErrorStart(const QString& path) { return QStringLiteral("「") + path + QStringLiteral("」に書き込めませんでした"); }
inline QString ReadErrorStart(const QString& path) { return QStringLiteral("「") + path + QStringLiteral("」を読み込めませんでした"); }

inline const QString DiscardQuestionText = QStringLiteral("編集中のマップは破棄されますがよろしいですか");
inline const QString SaveAnywayText = QStringLiteral("マップチェックでエラーが発生しました。保存してもよろしいですか？");
inline const QString BadFormatText = QStringLiteral("ファイル形式が正常ではありません");
inline const QString InvalidTileSetText = QStringLiteral("無効なキャラクタです。修正しました。");
inline const QString AppTitle = QStringLiteral("Tavrenna MapEditor");

// A map painted with plain codes of every kind, castles and faction tiles included, so that shaping
// changes it, and shaping it a second time changes it again.
inline MapGrid PlainPaintedGrid(unsigned seed) {
    static constexpr TileCode plain[] = {0, 1, 32, 48, 96, 8, 9, 10, 11, 20, 21, 22, 23};
    std::mt19937 rng(seed);
    MapGrid grid{};
    for (TileCode& c : grid)
        c = plain[rng() % std::size(plain)];
    return grid;
}

inline MapGrid Shaped(MapGrid grid, int times = 1) {
    for (int i = 0; i < times; ++i)
        ShapeMap(grid);
    return grid;
}

// A map the check finds nothing wrong with: water everywhere, one castle per faction with open ground
// two cells below it.
inline MapGrid PlayableGrid() {
    MapGrid grid = FilledGrid(NewMapTile);
    for (int faction = 0; faction < 4; ++faction) {
        const int x = 10 + faction * 8;
        grid[CellIndex(x, 10)] = static_cast<TileCode>(20 + faction);
        grid[CellIndex(x, 12)] = 0;
    }
    return grid;
}

inline QByteArray ImageBytes(const MapGrid& grid, int tileSetByte, int lastByte = 0) {
    QByteArray bytes(reinterpret_cast<const char*>(grid.data()), MapCells);
    bytes.append(static_cast<char>(tileSetByte));
    bytes.append(static_cast<char>(lastByte));
    return bytes;
}

inline QByteArray FileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline bool PutFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// The editor as the program starts it, and a folder for its files.
class EditorUi : public ::testing::Test {
protected:
    EditorDriver d;
    ScriptedPlatform& p = d.platform();

    QString Path(const QString& name) const { return dir_.filePath(name); }
    QString Folder() const { return dir_.path(); }
    // The files in the folder, to see that no temporary file was left behind.
    QStringList FolderFiles() const { return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden); }

    // Writes `grid` to the file `name` of the folder and opens it, so the map has that file.
    void OpenMap(const QString& name, const MapGrid& grid, int tileSetByte = 10) {
        ASSERT_TRUE(PutFile(Path(name), ImageBytes(grid, tileSetByte)));
        d.Open(Path(name));
        ASSERT_EQ(d.Grid(), grid);
        p.Forget();
    }
    // Paints one cell with the pen, as the user does; returns the map as it is then.
    MapGrid Paint(int x, int y, int code) {
        d.ClickButton(QStringLiteral("penButton"));
        d.PickTile(code);
        d.Click(x, y);
        return d.Grid();
    }

private:
    QTemporaryDir dir_;
};

} // namespace tav::testing
