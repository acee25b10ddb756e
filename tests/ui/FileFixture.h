#pragma once
// The editor on a platform whose file dialogs are scripted too, a temporary folder for the map files,
// and helpers to make and read those files.

#include "EditorFixture.h"
#include "FileAccess.h"
#include "MapImage.h"
#include "Shaping.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <deque>
#include <optional>
#include <random>
#include <utility>

namespace tav::testing {

inline const QString DiscardQuestionText = QStringLiteral("編集中のマップは破棄されますがよろしいですか");
inline const QString SaveAnywayText = QStringLiteral("マップチェックでエラーが発生しました。保存してもよろしいですか？");
inline const QString BadFormatText = QStringLiteral("ファイル形式が正常ではありません");
inline const QString InvalidTileSetText = QStringLiteral("無効なキャラクタです。修正しました。");

// What the blink timers were doing when the platform was asked something: (edit window, palette).
using TimerIntervals = std::pair<int, int>;

inline TimerIntervals CurrentTimerIntervals() {
    return {MapEditView->Timer1.Interval(), CharacterView->Timer1.Interval()};
}

// The scripted platform with answers for the open and save dialogs, and a record of every caption,
// dialog setting and the timers' state at each question, message and dialog.
class FilePlatform : public FixturePlatform {
public:
    std::vector<QString> Captions; // one per entry of Messages
    std::vector<TimerIntervals> TimersWhenAsked;
    std::deque<std::optional<QString>> OpenAnswers;
    std::deque<std::optional<QString>> SaveAnswers;
    std::vector<FileDialogSettings> OpenDialogs;
    std::vector<FileDialogSettings> SaveDialogs;

    bool AskOkCancel(QWidget* parent, const QString& caption, const QString& text) override {
        Record(caption);
        return FixturePlatform::AskOkCancel(parent, caption, text);
    }
    void ShowMessage(QWidget* parent, const QString& caption, const QString& text) override {
        Record(caption);
        FixturePlatform::ShowMessage(parent, caption, text);
    }
    std::optional<QString> OpenFileName(QWidget*, const FileDialogSettings& settings) override {
        OpenDialogs.push_back(settings);
        TimersWhenAsked.push_back(CurrentTimerIntervals());
        return Next(OpenAnswers);
    }
    std::optional<QString> SaveFileName(QWidget*, const FileDialogSettings& settings) override {
        SaveDialogs.push_back(settings);
        TimersWhenAsked.push_back(CurrentTimerIntervals());
        return Next(SaveAnswers);
    }

    // How often `text` was asked or shown.
    int Count(const QString& text) const {
        return static_cast<int>(std::count(Messages.begin(), Messages.end(), text));
    }

private:
    void Record(const QString& caption) {
        Captions.push_back(caption);
        TimersWhenAsked.push_back(CurrentTimerIntervals());
    }
    static std::optional<QString> Next(std::deque<std::optional<QString>>& answers) {
        if (answers.empty())
            return std::nullopt;
        std::optional<QString> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

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
    MapGrid grid = MapDocument::FilledGrid(NewMapTile);
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

// The editor started as the program starts it, on a FilePlatform, with a folder for its files.
class FileCommandsTest : public ::testing::Test {
public:
    FileCommandsTest() {
        auto platform = std::make_unique<FilePlatform>();
        Platform = platform.get();
        InstallPlatform(std::move(platform));
        CreateEditorWindows();
        MainView->show();
        QApplication::setActiveWindow(MainView);
        savedCurrent_ = QDir::currentPath();
    }
    ~FileCommandsTest() override {
        QDir::setCurrent(savedCurrent_);
        DestroyEditorWindows();
        InstallPlatform(nullptr);
    }

    MapDocument& Doc() { return MainView->Document; }
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QString Folder() const { return dir_.path(); }
    QString EditCaption() const { return MapEditView->windowTitle(); }
    // The files in the test folder, to see that no temporary file was left behind.
    QStringList FolderFiles() const { return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden); }

    // Whether the edit window and the preview both show `grid` in the tile set in force.
    static bool ViewsShow(const MapGrid& grid) {
        const int e = MapEditView->Edge();
        const int z = e == 32 ? 0 : e == 16 ? 1 : 2;
        for (int x = 0; x < 48; x += 7)
            for (int y = 0; y < 48; y += 5) {
                const TileCode code = grid[CellIndex(x, y)];
                if (!EditorTest::CellShows(MapEditView->HiddenMapImage, x, y, e, z, code) ||
                    !EditorTest::CellShows(PreEditView->PreviewImage, x, y, 4, 3, code))
                    return false;
            }
        return true;
    }

    FilePlatform* Platform = nullptr;

private:
    QTemporaryDir dir_;
    QString savedCurrent_;
};

} // namespace tav::testing
