// New, Open, Save and Save As with their questions, dialogs and files; the shaping commands; and the
// error report that every failed command ends in.

#include "../support/WriteFailures.h"
#include "FileFixture.h"

#include <QAction>
#include <QToolButton>

#include <csignal>
#include <functional>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tav::testing {
namespace {

constexpr TimerIntervals Paused{0, 0};
constexpr TimerIntervals Running{200, 200};

const QString MapFilter = QStringLiteral("タヴレンナマップファイル(*.map)|*.map");

// ---- New -----------------------------------------------------------------------------------------

TEST_F(FileCommandsTest, NewAsksOnlyForAModifiedMapAndClearsItUnlessCancelled) {
    struct Case {
        const char* name;
        int modified;
        std::optional<bool> answer; // the discard question's answer; none when it must not be asked
        bool cleared;
    };
    const Case cases[] = {
        {"unmodified", 0, std::nullopt, true},
        {"modified, OK", 1, true, true},
        {"modified, Cancel", 1, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Platform->Messages.clear();
        Platform->TimersWhenAsked.clear();
        Doc().Grid = PlainPaintedGrid(3);
        Doc().FileName = "old.map";
        Doc().Modified = c.modified;
        Doc().CurrentTileSet = 1;
        MainView->MenuChar[3]->trigger(); // set 4, a scale and a tool that New must keep
        MainView->MiddleCharButton->click();
        MainView->BoxButton->click();
        MapEditView->RedrawMap();
        if (c.answer)
            Platform->Answers.push_back(*c.answer);

        MainView->NewButton->click();

        if (c.answer) {
            ASSERT_EQ(Platform->Messages, (std::vector<QString>{DiscardQuestionText}));
            EXPECT_EQ(Platform->Captions.back(), QStringLiteral("Tavrenna MapEditor"));
            EXPECT_EQ(Platform->TimersWhenAsked.back(), Paused);
        } else {
            EXPECT_TRUE(Platform->Messages.empty());
        }
        if (c.cleared) {
            EXPECT_EQ(Doc().Grid, MapDocument::FilledGrid(NewMapTile));
            EXPECT_EQ(Doc().FileName, "");
            EXPECT_EQ(Doc().Modified, 0);
            EXPECT_EQ(EditCaption(), QStringLiteral("MapEditView - New File"));
        } else {
            EXPECT_EQ(Doc().Grid, PlainPaintedGrid(3));
            EXPECT_EQ(Doc().FileName, "old.map");
            EXPECT_EQ(Doc().Modified, 1);
        }
        EXPECT_TRUE(ViewsShow(Doc().Grid));
        EXPECT_EQ(Doc().CurrentTileSet, 4);
        EXPECT_EQ(Doc().EditScale, Middle);
        EXPECT_EQ(Doc().CurrentTool, Box);
        EXPECT_EQ(CurrentTimerIntervals(), Running);
    }
}

// ---- Open ----------------------------------------------------------------------------------------

TEST_F(FileCommandsTest, OpenOfTheSetInForceLoadsTheMapWithoutReloadingThePictures) {
    const MapGrid grid = Shaped(PlainPaintedGrid(5));
    ASSERT_TRUE(PutFile(Path("same.map"), ImageBytes(grid, 10)));
    Platform->OpenAnswers.push_back(Path("same.map"));
    const int loads = MainView->TileBitmaps.LoadCount();

    MainView->OpenButton->click();

    ASSERT_EQ(Platform->OpenDialogs.size(), 1u);
    const FileDialogSettings& dialog = Platform->OpenDialogs[0];
    EXPECT_EQ(dialog.PresetName, QStringLiteral("*.map"));
    EXPECT_EQ(dialog.Filter, MapFilter);
    EXPECT_EQ(dialog.DefaultSuffix, QStringLiteral("map"));
    EXPECT_TRUE(dialog.FileMustExist);
    EXPECT_TRUE(dialog.NoReadOnlyReturn);
    EXPECT_FALSE(dialog.OverwritePrompt);
    EXPECT_EQ(Platform->TimersWhenAsked.back(), Paused);

    EXPECT_TRUE(Platform->Messages.empty());
    EXPECT_EQ(Doc().Grid, grid);
    EXPECT_EQ(Doc().CurrentTileSet, 1);
    EXPECT_EQ(MainView->TileBitmaps.LoadCount(), loads);
    EXPECT_EQ(QString::fromStdString(Doc().FileName), Path("same.map"));
    EXPECT_EQ(EditCaption(), QStringLiteral("MapEditView - \"") + Path("same.map") + QLatin1Char('"'));
    EXPECT_EQ(Doc().Modified, 0);
    EXPECT_TRUE(ViewsShow(grid));
    EXPECT_EQ(CurrentTimerIntervals(), Running);
}

TEST_F(FileCommandsTest, OpenOfAnotherSetSwitchesToItAndCorrectsAnInvalidNumberToSetOne) {
    struct Case {
        int startSet;
        int tileSetByte;
        int expectedSet;
        bool corrected;
    };
    const Case cases[] = {
        {1, 30, 3, false}, {1, 99, 9, false}, {1, 9, 1, true},  {1, 200, 1, true},
        {6, 9, 1, true},   {6, 120, 1, true}, {6, 10, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "set " << c.startSet << ", byte " << c.tileSetByte);
        MainView->MenuChar[c.startSet - 1]->trigger();
        ASSERT_EQ(Doc().CurrentTileSet, c.startSet);
        Platform->Messages.clear();
        const MapGrid grid = PlainPaintedGrid(static_cast<unsigned>(c.tileSetByte));
        ASSERT_TRUE(PutFile(Path("other.map"), ImageBytes(grid, c.tileSetByte)));
        Platform->OpenAnswers.push_back(Path("other.map"));
        const int loads = MainView->TileBitmaps.LoadCount();

        MainView->MenuOpenFile->trigger();

        EXPECT_EQ(Doc().Grid, grid);
        EXPECT_EQ(Doc().CurrentTileSet, c.expectedSet);
        EXPECT_EQ(MainView->TileBitmaps.LoadCount(), loads + 1);
        EXPECT_EQ(MainView->TileBitmaps.LoadedTileSet(), c.expectedSet);
        EXPECT_TRUE(MainView->MenuChar[c.expectedSet - 1]->isChecked());
        EXPECT_EQ(Platform->Messages, c.corrected ? std::vector<QString>{InvalidTileSetText} : std::vector<QString>{});
        if (c.corrected) {
            EXPECT_EQ(Platform->Captions.back(), QStringLiteral("Tavrenna MapEditor"));
            // The timers were started again before the tile-set switch, which then shows its message.
            EXPECT_EQ(Platform->TimersWhenAsked.back().first, 200);
        }
        EXPECT_EQ(EditCaption(), QStringLiteral("MapEditView - \"") + Path("other.map") + QLatin1Char('"'));
        EXPECT_TRUE(ViewsShow(grid));
        EXPECT_EQ(Doc().Modified, 0);
        EXPECT_EQ(CurrentTimerIntervals(), Running);
    }
}

TEST_F(FileCommandsTest, OpenAfterAnEditAsksAndCancelInTheQuestionOrDialogKeepsEverything) {
    const MapGrid grid = PlainPaintedGrid(8);
    ASSERT_TRUE(PutFile(Path("a.map"), ImageBytes(Shaped(grid), 20)));
    struct Case {
        const char* name;
        bool answer;
        bool dialogShown;
    };
    const Case cases[] = {{"question cancelled", false, false}, {"dialog cancelled", true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Platform->Messages.clear();
        Platform->OpenDialogs.clear();
        Doc().Grid = grid;
        Doc().FileName = "mine.map";
        Doc().Modified = 1;
        Platform->Answers.push_back(c.answer);
        // The dialog is cancelled: no answer scripted.
        MainView->MenuOpenFileClick();
        EXPECT_EQ(Platform->Messages, (std::vector<QString>{DiscardQuestionText}));
        EXPECT_EQ(Platform->OpenDialogs.size(), c.dialogShown ? 1u : 0u);
        EXPECT_EQ(Doc().Grid, grid);
        EXPECT_EQ(Doc().FileName, "mine.map");
        EXPECT_EQ(Doc().CurrentTileSet, 1);
        EXPECT_EQ(Doc().Modified, 1);
        EXPECT_EQ(CurrentTimerIntervals(), Running);
    }
}

// Mended: a rejected file used to clear Modified although nothing was loaded, so the unsaved map in the
// editor could then be thrown away by the next New or Open without a question.
TEST_F(FileCommandsTest, TooShortFileIsRejectedAndTheMapKeepsItsUnsavedState) {
    const QByteArray full = ImageBytes(PlainPaintedGrid(2), 30);
    ASSERT_TRUE(PutFile(Path("short.map"), full.left(2305)));
    ASSERT_TRUE(PutFile(Path("empty.map"), {}));
    struct Case {
        const char* file;
        int modified;
    };
    const Case cases[] = {{"short.map", 1}, {"short.map", 0}, {"empty.map", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.file << " modified " << c.modified);
        Platform->Messages.clear();
        const MapGrid grid = PlainPaintedGrid(4);
        Doc().Grid = grid;
        Doc().FileName = "mine.map";
        Doc().Modified = c.modified;
        MapEditView->RedrawMap();
        const QString caption = EditCaption();
        const int loads = MainView->TileBitmaps.LoadCount();
        if (c.modified)
            Platform->Answers.push_back(true);
        Platform->OpenAnswers.push_back(Path(QString::fromLatin1(c.file)));

        MainView->MenuOpenFileClick();

        EXPECT_EQ(Platform->Messages.back(), BadFormatText);
        EXPECT_EQ(Platform->Captions.back(), QStringLiteral("Tavrenna MapEditor"));
        EXPECT_EQ(Platform->TimersWhenAsked.back(), Paused);
        EXPECT_EQ(Doc().Grid, grid);
        EXPECT_EQ(Doc().FileName, "mine.map");
        EXPECT_EQ(Doc().CurrentTileSet, 1);
        EXPECT_EQ(MainView->TileBitmaps.LoadCount(), loads);
        EXPECT_EQ(EditCaption(), caption);
        EXPECT_EQ(Doc().Modified, c.modified);
        EXPECT_EQ(CurrentTimerIntervals(), Running);
    }
    // The kept flag does its work: the next New still asks.
    Doc().Modified = 1;
    Platform->Messages.clear();
    MainView->MenuNewFileClick();
    EXPECT_EQ(Platform->Messages, (std::vector<QString>{DiscardQuestionText}));
}

// Mended: only the image's own bytes are read, so a huge file neither fills memory nor takes long.
TEST_F(FileCommandsTest, OpenReadsOnlyTheImageFromALongerFile) {
    const MapGrid grid = PlainPaintedGrid(9);
    QByteArray bytes = ImageBytes(grid, 50, 77);
    bytes.append(700, '\x55');
    ASSERT_TRUE(PutFile(Path("long.map"), bytes));
    // A sparse file of 8 GiB: reading it whole would not fit a byte array.
    ASSERT_TRUE(PutFile(Path("huge.map"), ImageBytes(grid, 70)));
    ASSERT_TRUE(QFile::resize(Path("huge.map"), qint64{8} << 30));
    for (const auto& [file, set] : {std::pair{"long.map", 5}, std::pair{"huge.map", 7}}) {
        SCOPED_TRACE(file);
        Doc().Grid = PlainPaintedGrid(1);
        Platform->OpenAnswers.push_back(Path(QString::fromLatin1(file)));
        MainView->MenuOpenFileClick();
        EXPECT_TRUE(Platform->Errors.empty());
        EXPECT_EQ(Doc().Grid, grid);
        EXPECT_EQ(Doc().CurrentTileSet, set);
    }
}

// Mended: a chosen path that is not a regular file would block (a pipe) or never end (a device).
TEST_F(FileCommandsTest, OpenOfSomethingElseThanAFileIsReportedAndChangesNothing) {
    ASSERT_TRUE(QDir(Folder()).mkdir(QStringLiteral("folder.map")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("pipe.map")).constData(), 0600), 0);
    struct Case {
        QString path;
        const char* reason;
    };
    const Case cases[] = {
        {Path("folder.map"), "is a directory"},
        {Path("pipe.map"), "is a pipe"},
        {QStringLiteral("/dev/zero"), "is a device"},
        {Path("missing.map"), "No such file or directory"},
    };
    const MapGrid grid = PlainPaintedGrid(6);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        Platform->Errors.clear();
        Doc().Grid = grid;
        Doc().Modified = 1;
        Platform->Answers.push_back(true);
        Platform->OpenAnswers.push_back(c.path);
        // Through the shortcut, as the user gives the command: the error must reach the general report.
        QTest::keyClick(MainView, Qt::Key_L, Qt::ControlModifier);
        ASSERT_EQ(Platform->Errors.size(), 1u);
        EXPECT_TRUE(Platform->Errors[0].startsWith(c.path + QStringLiteral(": cannot read: ")))
            << Platform->Errors[0].toStdString();
        EXPECT_TRUE(Platform->Errors[0].contains(QString::fromLatin1(c.reason))) << Platform->Errors[0].toStdString();
        EXPECT_EQ(Doc().Grid, grid);
        EXPECT_EQ(Doc().FileName, "");
        EXPECT_EQ(Doc().Modified, 1);
        EXPECT_EQ(CurrentTimerIntervals(), Running);
    }
    // The editor goes on taking commands.
    MainView->MenuShiftLeft1->trigger();
    MapGrid shifted = grid;
    ShiftMap(shifted, ShiftDirection::Left);
    EXPECT_EQ(Doc().Grid, shifted);
}

// ---- Save and Save As ----------------------------------------------------------------------------

TEST_F(FileCommandsTest, SaveOfAFilelessMapChecksOnceShapesTwiceAndWritesWhereChosen) {
    const MapGrid grid = PlainPaintedGrid(11);
    ASSERT_NE(Shaped(grid, 2), Shaped(grid, 1)); // so that the count of shapings shows
    Doc().Grid = grid;
    Doc().Modified = 1;
    Platform->Answers.push_back(true); // save anyway: a random map has problems
    Platform->SaveAnswers.push_back(Path("first.map"));

    MainView->SaveButton->click();

    EXPECT_EQ(Platform->Messages, (std::vector<QString>{SaveAnywayText}));
    EXPECT_EQ(Platform->Captions, (std::vector<QString>{QStringLiteral("Tavrena MapEditor")}));
    ASSERT_EQ(Platform->SaveDialogs.size(), 1u);
    const FileDialogSettings& dialog = Platform->SaveDialogs[0];
    EXPECT_EQ(dialog.PresetName, QString()); // the dialog's first use
    EXPECT_EQ(dialog.Filter, MapFilter);
    EXPECT_EQ(dialog.DefaultSuffix, QStringLiteral("map"));
    EXPECT_TRUE(dialog.OverwritePrompt);
    EXPECT_TRUE(dialog.PathMustExist);
    EXPECT_TRUE(dialog.NoReadOnlyReturn);
    // Save As does not pause the timers.
    EXPECT_EQ(Platform->TimersWhenAsked.back(), Running);

    const MapGrid twice = Shaped(grid, 2);
    EXPECT_EQ(Doc().Grid, twice);
    EXPECT_EQ(FileBytes(Path("first.map")), ImageBytes(twice, 10));
    EXPECT_EQ(Doc().FileName, "first.map");
    EXPECT_EQ(EditCaption(), QStringLiteral("MapEditView - \"first.map\""));
    EXPECT_TRUE(ViewsShow(twice));
    EXPECT_TRUE(MapCheckView->isVisible());
    EXPECT_FALSE(MapCheckView->isMinimized());
}

TEST_F(FileCommandsTest, CancelInTheCheckQuestionOrTheDialogStopsAtItsOwnStep) {
    const MapGrid grid = PlainPaintedGrid(12);
    struct Case {
        const char* name;
        bool saveAs;       // Save As by the user, else Save of a map that has a file
        bool answer;       // the save-anyway question
        bool dialogShown;
        bool shaped;
    };
    const Case cases[] = {
        {"Save, question cancelled", false, false, false, false},
        {"Save As, question cancelled", true, false, false, true},
        {"Save As, dialog cancelled", true, true, true, true},
    };
    ASSERT_TRUE(PutFile(Path("kept.map"), "old"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Platform->Messages.clear();
        Platform->SaveDialogs.clear();
        Doc().Grid = grid;
        Doc().FileName = Path("kept.map").toStdString();
        Doc().Modified = 1;
        Platform->Answers.push_back(c.answer);
        if (c.saveAs)
            MainView->SaveAsButton->click();
        else
            MainView->SaveButton->click();
        EXPECT_EQ(Platform->Messages, (std::vector<QString>{SaveAnywayText}));
        EXPECT_EQ(Platform->SaveDialogs.size(), c.dialogShown ? 1u : 0u);
        EXPECT_EQ(Doc().Grid, c.shaped ? Shaped(grid) : grid);
        EXPECT_EQ(FileBytes(Path("kept.map")), QByteArray("old"));
        EXPECT_EQ(Doc().FileName, Path("kept.map").toStdString());
        EXPECT_EQ(Doc().Modified, 1);
        EXPECT_TRUE(Platform->Errors.empty());
    }
}

TEST_F(FileCommandsTest, SaveAsOfAPlayableMapAsksNothingAndShowsOnlyTheFileName) {
    Doc().Grid = PlayableGrid();
    Doc().Modified = 1;
    Platform->SaveAnswers.push_back(Path("playable.map"));
    MainView->MenuSaveAsFile->trigger();
    EXPECT_TRUE(Platform->Messages.empty());
    EXPECT_TRUE(MapCheckView->isMinimized());
    const MapGrid shaped = Shaped(PlayableGrid());
    EXPECT_EQ(FileBytes(Path("playable.map")), ImageBytes(shaped, 10));
    EXPECT_EQ(Doc().FileName, "playable.map");
    EXPECT_EQ(EditCaption(), QStringLiteral("MapEditView - \"playable.map\""));

    // The next Save As offers the file the map has.
    Platform->SaveAnswers.push_back(std::nullopt);
    MainView->MenuSaveAsFileClick(true);
    ASSERT_EQ(Platform->SaveDialogs.size(), 2u);
    EXPECT_EQ(Platform->SaveDialogs[1].PresetName, Path("playable.map"));
    // After New the map has no file: the dialog offers what it was last given.
    MainView->MenuNewFileClick();
    Platform->Answers.push_back(true); // a new map has no castles
    Platform->SaveAnswers.push_back(std::nullopt);
    MainView->MenuSaveAsFileClick(true);
    ASSERT_EQ(Platform->SaveDialogs.size(), 3u);
    EXPECT_EQ(Platform->SaveDialogs[2].PresetName, Path("playable.map"));
}

// Mended: the file name alone was kept after Save As, so a later Save wrote into whatever folder was
// current then.
TEST_F(FileCommandsTest, SaveAfterSaveAsWritesToTheChosenFolderWhateverTheWorkingFolder) {
    ASSERT_TRUE(QDir(Folder()).mkdir(QStringLiteral("maps")));
    ASSERT_TRUE(QDir(Folder()).mkdir(QStringLiteral("elsewhere")));
    Doc().Grid = PlayableGrid();
    Platform->SaveAnswers.push_back(Path("maps/castle.map"));
    MainView->MenuSaveAsFileClick(true);
    ASSERT_EQ(Doc().FileName, "castle.map");

    QDir::setCurrent(Path("elsewhere"));
    Doc().SetCell(30, 30, 1);
    const MapGrid expected = Shaped(Doc().Grid);
    MainView->MenuSaveFileClick();
    EXPECT_TRUE(Platform->Errors.empty());
    EXPECT_EQ(Doc().Grid, expected);
    EXPECT_EQ(FileBytes(Path("maps/castle.map")), ImageBytes(expected, 10));
    EXPECT_FALSE(QFile::exists(Path("elsewhere/castle.map")));
    EXPECT_EQ(EditCaption(), QStringLiteral("MapEditView - \"castle.map\""));
}

// Mended: a saved map used to count as unsaved; with exit asking about unsaved maps that would ask
// after every save. A cancelled or failed save leaves the flag alone.
TEST_F(FileCommandsTest, OnlyASaveThatWroteTheFileClearsModified) {
    struct Case {
        const char* name;
        std::optional<QString> chosen;
        int modified;
    };
    const Case cases[] = {
        {"written", Path("done.map"), 0},
        {"dialog cancelled", std::nullopt, 1},
        {"write failed", Path("no-such-folder/x.map"), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MainView->MenuNewFileClick();
        Doc().Grid = PlayableGrid();
        Doc().Modified = 1;
        Platform->SaveAnswers.push_back(c.chosen);
        Platform->Errors.clear();
        MainView->SaveButton->click();
        EXPECT_EQ(Platform->Errors.size(), c.chosen && c.modified ? 1u : 0u);
        EXPECT_EQ(Doc().Modified, c.modified);
        Platform->Messages.clear();
        Platform->Answers.push_back(false);
        MainView->MenuNewFileClick();
        EXPECT_EQ(Platform->Messages.size(), c.modified ? 1u : 0u);
    }
    // Save of a map that has its file clears it too.
    Platform->Errors.clear();
    Doc().Modified = 0;
    Platform->OpenAnswers.push_back(Path("done.map"));
    MainView->MenuOpenFileClick();
    Doc().SetCell(5, 5, 0);
    Doc().Modified = 1;
    MainView->MenuSaveFileClick();
    EXPECT_TRUE(Platform->Errors.empty());
    EXPECT_EQ(FileBytes(Path("done.map")), ImageBytes(Doc().Grid, 10));
    EXPECT_EQ(Doc().Modified, 0);
}

// Mended: the file is written to a temporary file and renamed over the old one only when complete, so
// a failed write reports the error and leaves the old file byte-identical.
TEST_F(FileCommandsTest, FailedWritesAreReportedAndLeaveTheOldFileAsItWas) {
    QByteArray old(2306, '\0');
    for (int i = 0; i < old.size(); ++i)
        old[i] = static_cast<char>((i * 37 + 11) & 0xFF);
    ASSERT_TRUE(QDir(Folder()).mkdir(QStringLiteral("folder.map")));
    enum class Way { Save, SaveAs };
    struct Case {
        const char* name;
        Way way;
        QString target;
        bool readOnly = false;
        bool sizeLimit = false;
    };
    const Case cases[] = {
        {"read-only file, Save", Way::Save, Path("old.map"), true},
        {"read-only file, Save As", Way::SaveAs, Path("old.map"), true},
        {"file size limit, Save", Way::Save, Path("old.map"), false, true},
        {"file size limit, Save As", Way::SaveAs, Path("old.map"), false, true},
        {"missing folder", Way::SaveAs, Path("no-such-folder/new.map")},
        {"folder in the way", Way::SaveAs, Path("folder.map")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.readOnly && ::geteuid() == 0) {
            // Root may write any file, so the permission cannot make the write fail.
            continue;
        }
        QFile::setPermissions(Path("old.map"), QFile::ReadOwner | QFile::WriteOwner);
        ASSERT_TRUE(PutFile(Path("old.map"), old));
        if (c.readOnly) {
            ASSERT_TRUE(QFile::setPermissions(Path("old.map"), QFile::ReadOwner));
        }
        const QStringList filesBefore = FolderFiles();
        Platform->Errors.clear();
        Doc().Grid = PlayableGrid();
        Doc().FileName = "earlier.map";
        Doc().Modified = 1;
        MapEditView->RedrawMap();
        const QString caption = EditCaption();
        if (c.way == Way::Save)
            Doc().FileName = c.target.toStdString();
        else
            Platform->SaveAnswers.push_back(c.target);
        {
            std::optional<FileSizeLimit> limit;
            if (c.sizeLimit)
                limit.emplace(100);
            if (c.way == Way::Save)
                MainView->MenuSaveFile->trigger();
            else
                MainView->SaveAsButton->click();
        }
        ASSERT_EQ(Platform->Errors.size(), 1u);
        EXPECT_TRUE(Platform->Errors[0].startsWith(c.target + QStringLiteral(": cannot write"))) << Platform->Errors[0].toStdString();
        EXPECT_EQ(FileBytes(Path("old.map")), old);
        EXPECT_EQ(FolderFiles(), filesBefore) << "no temporary file is left behind";
        EXPECT_EQ(Doc().Grid, Shaped(PlayableGrid())) << "the shaping done before the write stays";
        if (c.way == Way::SaveAs) {
            EXPECT_EQ(Doc().FileName, "earlier.map");
            EXPECT_EQ(EditCaption(), caption);
        }
        EXPECT_EQ(Doc().Modified, 1);
        EXPECT_EQ(CurrentTimerIntervals(), Running);
    }
    QFile::setPermissions(Path("old.map"), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_TRUE(QFileInfo(Path("folder.map")).isDir());
    // Without the fault the same save succeeds.
    Platform->Errors.clear();
    Doc().FileName = Path("old.map").toStdString();
    MainView->MenuSaveFile->trigger();
    EXPECT_TRUE(Platform->Errors.empty());
    EXPECT_EQ(FileBytes(Path("old.map")), ImageBytes(Doc().Grid, 10));
}

TEST_F(FileCommandsTest, ShapedMapsOfEveryTileSetComeBackFromTheirFileUnchanged) {
    for (int set = 1; set <= 9; ++set) {
        SCOPED_TRACE(set);
        MainView->MenuChar[set - 1]->trigger();
        const MapGrid grid = PlainPaintedGrid(static_cast<unsigned>(100 + set));
        Doc().Grid = grid;
        Doc().Modified = 1;
        const QString path = Path(QStringLiteral("set%1.map").arg(set));
        Platform->Answers.push_back(true); // save anyway
        Platform->SaveAnswers.push_back(path);
        MainView->MenuSaveAsFileClick(true);
        const MapGrid saved = Shaped(grid);
        ASSERT_EQ(Doc().Grid, saved);
        const QByteArray bytes = FileBytes(path);
        ASSERT_EQ(bytes.size(), 2306);
        EXPECT_EQ(static_cast<std::uint8_t>(bytes[2304]), set * 10);
        EXPECT_EQ(bytes[2305], '\0');

        // Away to another set and a new map, then back from the file.
        MainView->MenuChar[set % 9]->trigger();
        MainView->MenuNewFileClick();
        Platform->OpenAnswers.push_back(path);
        MainView->MenuOpenFileClick();
        EXPECT_EQ(Doc().Grid, saved);
        EXPECT_EQ(Doc().CurrentTileSet, set);
        EXPECT_EQ(MainView->TileBitmaps.LoadedTileSet(), set);
        EXPECT_TRUE(ViewsShow(saved));
        EXPECT_EQ(Doc().Modified, 0);
    }
    EXPECT_TRUE(Platform->Errors.empty());
}

// ---- Shaping commands ----------------------------------------------------------------------------

TEST_F(FileCommandsTest, ShapingAndUnshapingChangeTheMapRedrawItAndLeaveModifiedAlone) {
    struct Case {
        const char* name;
        std::function<void()> give;
        bool shape;
    };
    const Case cases[] = {
        {"Ctrl+F", [] { QTest::keyClick(MainView, Qt::Key_F, Qt::ControlModifier); }, true},
        {"shape button", [] { MainView->FormButton->click(); }, true},
        {"Ctrl+G", [] { QTest::keyClick(MainView, Qt::Key_G, Qt::ControlModifier); }, false},
        {"unshape button", [] { MainView->UnformButton->click(); }, false},
    };
    for (const Case& c : cases) {
        for (int modified : {0, 1}) {
            SCOPED_TRACE(::testing::Message() << c.name << " modified " << modified);
            const MapGrid grid = c.shape ? PlainPaintedGrid(21) : Shaped(PlainPaintedGrid(21));
            Doc().Grid = grid;
            Doc().Modified = modified;
            c.give();
            MapGrid expected = grid;
            if (c.shape)
                ShapeMap(expected);
            else
                UnshapeMap(expected);
            ASSERT_NE(expected, grid);
            EXPECT_EQ(Doc().Grid, expected);
            EXPECT_TRUE(ViewsShow(expected));
            EXPECT_EQ(Doc().Modified, modified);
            EXPECT_TRUE(Platform->Messages.empty());
        }
    }
}

// ---- Exit ----------------------------------------------------------------------------------------

// Mended: exit threw a modified map away without a word.
TEST_F(FileCommandsTest, ExitAsksAboutAModifiedMapAndCancelKeepsTheEditorOpen) {
    struct Way {
        const char* name;
        std::function<void()> give;
    };
    const Way ways[] = {
        {"Ctrl+Q", [] { QTest::keyClick(MainView, Qt::Key_Q, Qt::ControlModifier); }},
        {"exit button", [] { MainView->ExitButton->click(); }},
        {"closing the window", [] { MainView->close(); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        Platform->Messages.clear();
        Doc().Modified = 1;
        Platform->Answers.push_back(false);
        way.give();
        EXPECT_EQ(Platform->Messages, (std::vector<QString>{DiscardQuestionText}));
        EXPECT_EQ(Platform->Captions.back(), QStringLiteral("Tavrenna MapEditor"));
        EXPECT_EQ(Platform->TimersWhenAsked.back(), Paused);
        EXPECT_TRUE(MainView->isVisible());
        EXPECT_TRUE(MainView->TileBitmaps.IsLoaded());
        EXPECT_EQ(CurrentTimerIntervals(), Running);
        EXPECT_EQ(Doc().Modified, 1);
    }
    for (const Way& way : ways) {
        for (int modified : {1, 0}) {
            SCOPED_TRACE(::testing::Message() << way.name << " modified " << modified);
            MainView->show();
            QApplication::setActiveWindow(MainView);
            if (!MainView->TileBitmaps.IsLoaded())
                MainView->LoadTileSetBitmaps();
            Platform->Messages.clear();
            Doc().Modified = modified;
            if (modified)
                Platform->Answers.push_back(true);
            way.give();
            EXPECT_EQ(Platform->Messages.size(), static_cast<std::size_t>(modified));
            EXPECT_FALSE(MainView->isVisible());
            EXPECT_FALSE(MainView->TileBitmaps.IsLoaded());
        }
    }
}

} // namespace
} // namespace tav::testing
