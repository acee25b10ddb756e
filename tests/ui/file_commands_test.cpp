// New, Open, Save and Save As with their questions, dialogs and files; the shaping commands; exit; and the
// error report that every failed command ends in.

#include "../support/WriteFailures.h"
#include "FileAccess.h"
#include "MapCheck.h"
#include "TestMaps.h"

#include <cerrno>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace tav::testing {
namespace {

const QString MapFilter = QStringLiteral("タヴレンナマップファイル(*.map)|*.map");
// A painted map whose check reports otherwise once it is shaped.
constexpr unsigned SaveAsCheckSeed = 13;

QString Quoted(const QString& name) {
    return QStringLiteral("MapEditView - \"") + name + QLatin1Char('"');
}

TEST_F(EditorUi, NewAsksOnlyForAModifiedMapAndClearsItUnlessCancelled) {
    const struct {
        const char* name;
        bool modified;
        std::optional<bool> answer; // the discard question's answer; none when it must not be asked
        bool cleared;
    } cases[] = {
        {"unmodified", false, std::nullopt, true},
        {"modified, OK", true, true, true},
        {"modified, Cancel", true, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpenMap("old.map", PlainPaintedGrid(3), 40); // a set, a scale and a tool that New must keep
        const MapGrid edited = c.modified ? Paint(0, 0, 100) : d.Grid();
        d.ClickButton("edge16Button");
        d.ClickButton("boxButton");
        p.Forget();
        if (c.answer)
            p.Answers.push_back(*c.answer);

        d.ClickButton("newMapButton");

        if (c.answer) {
            EXPECT_EQ(p.Messages, (std::vector<QString>{DiscardQuestionText}));
            EXPECT_EQ(p.Captions, (std::vector<QString>{AppTitle}));
        } else {
            EXPECT_TRUE(p.Messages.empty());
        }
        EXPECT_EQ(d.Grid(), c.cleared ? FilledGrid(NewMapTile) : edited);
        EXPECT_EQ(d.FileName(), c.cleared ? QString() : Path("old.map"));
        EXPECT_EQ(d.Modified(), !c.cleared);
        EXPECT_EQ(d.EditCaption(),
                  c.cleared ? QStringLiteral("MapEditView - New File") : Quoted(Path("old.map")));
        EXPECT_TRUE(d.ShowsGrid(d.Grid()));
        EXPECT_EQ(d.TileSet(), 4);
        EXPECT_EQ(d.EditEdge(), 16);
        EXPECT_TRUE(d.Checked("boxButton"));
    }
}

TEST_F(EditorUi, OpenLoadsTheChosenFileInItsSetAndCorrectsAnInvalidNumberToSetOne) {
    d.ClickButton("openButton"); // the dialog is cancelled: nothing changes
    ASSERT_EQ(p.OpenDialogs.size(), 1u);
    const FileDialogSettings& dialog = p.OpenDialogs[0];
    EXPECT_EQ(dialog.PresetName, QStringLiteral("*.map"));
    EXPECT_EQ(dialog.Filter, MapFilter);
    EXPECT_EQ(dialog.DefaultSuffix, QStringLiteral("map"));
    EXPECT_TRUE(dialog.FileMustExist);
    EXPECT_FALSE(dialog.NoReadOnlyReturn) << "a map the user cannot write can still be opened and viewed";
    EXPECT_FALSE(dialog.OverwritePrompt);
    EXPECT_EQ(d.Grid(), FilledGrid(NewMapTile));
    const struct {
        int startSet, tileSetByte, expectedSet;
        bool corrected;
    } cases[] = {
        {1, 10, 1, false}, {1, 30, 3, false}, {1, 99, 9, false}, {1, 9, 1, true},
        {1, 200, 1, true}, {6, 9, 1, true},   {6, 120, 1, true}, {6, 10, 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "set " << c.startSet << ", byte " << c.tileSetByte);
        OpenMap("start.map", FilledGrid(NewMapTile), 10 * c.startSet);
        ASSERT_EQ(d.TileSet(), c.startSet);
        const MapGrid grid = PlainPaintedGrid(static_cast<unsigned>(c.tileSetByte));
        ASSERT_TRUE(PutFile(Path("other.map"), ImageBytes(grid, c.tileSetByte)));

        d.Open(Path("other.map"));

        EXPECT_EQ(d.Grid(), grid);
        EXPECT_EQ(d.TileSet(), c.expectedSet);
        EXPECT_TRUE(d.Checked(QStringLiteral("tileSet%1Action").arg(c.expectedSet)));
        EXPECT_EQ(p.Messages, c.corrected ? std::vector<QString>{InvalidTileSetText} : std::vector<QString>{});
        EXPECT_EQ(p.Captions, c.corrected ? std::vector<QString>{AppTitle} : std::vector<QString>{});
        EXPECT_EQ(d.FileName(), Path("other.map"));
        EXPECT_EQ(d.EditCaption(), Quoted(Path("other.map")));
        EXPECT_TRUE(d.ShowsGrid(grid));
        EXPECT_FALSE(d.Modified());
    }
}

TEST_F(EditorUi, OpenAfterAnEditAsksAndCancelInTheQuestionOrDialogKeepsEverything) {
    ASSERT_TRUE(PutFile(Path("a.map"), ImageBytes(Shaped(PlainPaintedGrid(8)), 20)));
    const struct {
        const char* name;
        bool answer;
        bool dialogShown;
    } cases[] = {{"question cancelled", false, false}, {"dialog cancelled", true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpenMap("mine.map", PlainPaintedGrid(8));
        const MapGrid edited = Paint(0, 0, 100);
        p.Answers.push_back(c.answer);
        d.Trigger("openAction"); // the dialog is cancelled: no answer scripted
        EXPECT_EQ(p.Messages, (std::vector<QString>{DiscardQuestionText}));
        EXPECT_EQ(p.OpenDialogs.size(), c.dialogShown ? 1u : 0u);
        EXPECT_EQ(d.Grid(), edited);
        EXPECT_EQ(d.FileName(), Path("mine.map"));
        EXPECT_EQ(d.TileSet(), 1);
        EXPECT_TRUE(d.Modified());
    }
}

// Mended: a saved map used to count as unsaved; with exit asking about unsaved maps that would ask after
// every save. A cancelled or failed save leaves the flag alone, as the next two tests check.
TEST_F(EditorUi, SaveOfAFilelessMapChecksOnceShapesOnceAndWritesWhereChosen) {
    d.LoadMap(PlainPaintedGrid(11));
    const MapGrid grid = Paint(47, 47, 100);
    p.Answers.push_back(true); // save anyway: a random map has problems
    p.SaveAnswers.push_back(Path("first.map"));

    d.ClickButton("saveButton");

    EXPECT_EQ(p.Messages, (std::vector<QString>{SaveAnywayText}));
    EXPECT_EQ(p.Captions, (std::vector<QString>{QStringLiteral("Tavrena MapEditor")}));
    ASSERT_EQ(p.SaveDialogs.size(), 1u);
    const FileDialogSettings& dialog = p.SaveDialogs[0];
    EXPECT_EQ(dialog.PresetName, QString()); // the dialog's first use
    EXPECT_EQ(dialog.Filter, MapFilter);
    EXPECT_EQ(dialog.DefaultSuffix, QStringLiteral("map"));
    EXPECT_TRUE(dialog.OverwritePrompt);
    EXPECT_TRUE(dialog.PathMustExist);
    EXPECT_TRUE(dialog.NoReadOnlyReturn);

    // Shaping a shaped map changes nothing, so however often Save and Save As shape, this is the result.
    const MapGrid shaped = Shaped(grid);
    EXPECT_EQ(d.Grid(), shaped);
    EXPECT_EQ(FileBytes(Path("first.map")), ImageBytes(shaped, 10));
    EXPECT_EQ(d.FileName(), QStringLiteral("first.map"));
    EXPECT_EQ(d.EditCaption(), Quoted(QStringLiteral("first.map")));
    EXPECT_TRUE(d.ShowsGrid(shaped));
    EXPECT_FALSE(d.Modified());
    EXPECT_TRUE(d.Visible("check window"));
    EXPECT_FALSE(d.Minimised("check window"));
}

// Mended: Save As shaped the map before its question and its dialog, so that a Cancel left the map shaped
// and modified, the shaping on the history and the redo steps gone; so did Save of a map without a file when
// its dialog was cancelled. A Cancel now changes nothing.
TEST_F(EditorUi, CancelInTheCheckQuestionOrTheDialogStopsAtItsOwnStepAndChangesNothing) {
    const struct {
        const char* name;
        const char* button;
        bool withFile;
        bool answer; // the save-anyway question
        bool dialogShown;
    } cases[] = {
        {"Save, question cancelled", "saveButton", true, false, false},
        {"Save As, question cancelled", "saveAsButton", true, false, false},
        {"Save As, dialog cancelled", "saveAsButton", true, true, true},
        {"Save without a file, question cancelled", "saveButton", false, false, false},
        {"Save without a file, dialog cancelled", "saveButton", false, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.withFile)
            OpenMap("kept.map", PlainPaintedGrid(12));
        else
            d.LoadMap(PlainPaintedGrid(12));
        const MapGrid opened = d.Grid();
        const QByteArray kept = FileBytes(Path("kept.map"));
        const MapGrid edited = Paint(0, 0, 100);
        Paint(1, 0, 101);
        d.Key("Ctrl+Z"); // a step to redo
        p.Forget();
        p.Answers.push_back(c.answer);
        d.ClickButton(QString::fromLatin1(c.button));
        EXPECT_EQ(p.Messages, (std::vector<QString>{SaveAnywayText}));
        EXPECT_EQ(p.SaveDialogs.size(), c.dialogShown ? 1u : 0u);
        p.SaveDialogs.clear();
        EXPECT_EQ(d.Grid(), edited);
        EXPECT_EQ(FileBytes(Path("kept.map")), kept);
        EXPECT_EQ(d.FileName(), c.withFile ? Path("kept.map") : QString());
        EXPECT_TRUE(d.Modified());
        EXPECT_TRUE(p.Errors.empty());
        EXPECT_TRUE(d.Action("redoAction")->isEnabled());
        d.Key("Ctrl+Z");
        EXPECT_EQ(d.Grid(), opened);
        EXPECT_FALSE(d.Modified());
    }
}

// Mended: Save checked the map as it stood but wrote it shaped, so a check that found nothing could let a
// map through whose shaping sealed a castle. Both commands check the map as it will be written.
TEST_F(EditorUi, SaveAndSaveAsCheckTheMapAsItWillBeWrittenAndShapeItAsOneStep) {
    const struct {
        const char* name;
        const char* button;
        const char* written;
    } cases[] = {{"Save As", "saveAsButton", "shaped.map"}, {"Save", "saveButton", "plain.map"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpenMap("plain.map", PlainPaintedGrid(SaveAsCheckSeed));
        const MapGrid edited = Paint(0, 0, 100);
        // So that checking the map as it stands would report otherwise.
        ASSERT_NE(CheckMap(edited, TileSet::Verda).Lines, CheckMap(Shaped(edited), TileSet::Verda).Lines);
        p.Answers.push_back(true);
        p.SaveAnswers.push_back(Path(QString::fromLatin1(c.written)));
        d.ClickButton(QString::fromLatin1(c.button));
        EXPECT_EQ(p.Messages, (std::vector<QString>{SaveAnywayText}));
        const QStringList reported = d.CheckLines();
        EXPECT_EQ(FileBytes(Path(QString::fromLatin1(c.written))), ImageBytes(Shaped(edited), 10));
        EXPECT_EQ(d.Grid(), Shaped(edited));
        EXPECT_FALSE(d.Modified());
        d.ClickButton("mapCheckButton");
        EXPECT_EQ(d.CheckLines(), reported);
        d.Key("Ctrl+Z");
        EXPECT_EQ(d.Grid(), edited);
        EXPECT_TRUE(d.Modified());
        p.Forget();
        p.SaveAnswers.clear();
    }
}

TEST_F(EditorUi, SaveAsOfAPlayableMapAsksNothingAndTheNextSaveAsOffersItsFile) {
    d.LoadMap(PlayableGrid());
    p.SaveAnswers.push_back(Path("playable.map"));
    d.Trigger("saveAsAction");
    EXPECT_TRUE(p.Messages.empty());
    EXPECT_TRUE(d.Minimised("check window"));
    EXPECT_EQ(FileBytes(Path("playable.map")), ImageBytes(Shaped(PlayableGrid()), 10));
    EXPECT_EQ(d.FileName(), QStringLiteral("playable.map"));
    EXPECT_EQ(d.EditCaption(), Quoted(QStringLiteral("playable.map")));

    d.Trigger("saveAsAction"); // cancelled
    ASSERT_EQ(p.SaveDialogs.size(), 2u);
    EXPECT_EQ(p.SaveDialogs[1].PresetName, Path("playable.map"));
}

// Mended: after New the save dialog offered the last file saved, so that Enter replaced another map. A new
// map, made or generated, is offered no name, in the folder last used.
TEST_F(EditorUi, SaveAsOfANewMapOffersNoNameInTheLastFolder) {
    const struct {
        const char* name;
        std::function<void()> makeNew;
    } cases[] = {
        {"New", [&] { d.Trigger("newMapAction"); }},
        {"generated", [&] {
             p.DialogAnswers.push_back([](QDialog* dialog) { return EditorDriver::EndDialog(dialog, true); });
             d.Trigger("generateMapAction");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        d.LoadMap(PlayableGrid());
        p.SaveAnswers.push_back(Path("playable.map"));
        d.Trigger("saveAsAction");
        ASSERT_EQ(d.FileName(), QStringLiteral("playable.map"));
        c.makeNew();
        ASSERT_EQ(d.FileName(), QString());
        p.Forget();
        p.SaveDialogs.clear();
        p.Answers.push_back(true); // a new map may have no castles
        d.Trigger("saveAsAction"); // cancelled
        ASSERT_EQ(p.SaveDialogs.size(), 1u);
        EXPECT_EQ(p.SaveDialogs[0].PresetName, QString());
        EXPECT_EQ(QDir(p.SaveDialogs[0].Folder), QDir(Folder()));
        p.SaveDialogs.clear();
    }
}

// Mended: the file name alone was kept after Save As, so a later Save wrote into whatever folder was
// current then.
TEST_F(EditorUi, SaveAfterSaveAsWritesToTheChosenFolderWhateverTheWorkingFolder) {
    const QString current = QDir::currentPath();
    ASSERT_TRUE(QDir(Folder()).mkdir(QStringLiteral("maps")));
    ASSERT_TRUE(QDir(Folder()).mkdir(QStringLiteral("elsewhere")));
    d.LoadMap(PlayableGrid());
    p.SaveAnswers.push_back(Path("maps/castle.map"));
    d.Trigger("saveAsAction");
    ASSERT_EQ(d.FileName(), QStringLiteral("castle.map"));

    QDir::setCurrent(Path("elsewhere"));
    const MapGrid expected = Shaped(Paint(30, 30, 1));
    d.Trigger("saveAction");
    QDir::setCurrent(current);
    EXPECT_TRUE(p.Errors.empty());
    EXPECT_EQ(d.Grid(), expected);
    EXPECT_EQ(FileBytes(Path("maps/castle.map")), ImageBytes(expected, 10));
    EXPECT_FALSE(QFile::exists(Path("elsewhere/castle.map")));
    EXPECT_EQ(d.EditCaption(), Quoted(QStringLiteral("castle.map")));
}

// Mended: the file is written to a temporary file and renamed over the old one only when complete, so
// a failed write reports the error and leaves the old file byte-identical.
TEST_F(EditorUi, FailedWritesAreReportedAndLeaveTheOldFileAsItWas) {
    ASSERT_TRUE(QDir(Folder()).mkdir(QStringLiteral("folder.map")));
    const struct {
        const char* name;
        bool saveAs;
        QString target;
        bool readOnly = false;
        bool sizeLimit = false;
    } cases[] = {
        {"read-only file, Save", false, Path("old.map"), true},
        {"read-only file, Save As", true, Path("old.map"), true},
        {"file size limit, Save", false, Path("old.map"), false, true},
        {"file size limit, Save As", true, Path("old.map"), false, true},
        {"missing folder", true, Path("no-such-folder/new.map")},
        {"folder in the way", true, Path("folder.map")},
    };
    const QByteArray old = ImageBytes(PlayableGrid(), 10);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.readOnly && ::geteuid() == 0)
            continue; // root may write any file, so the permission cannot make the write fail
        QFile::setPermissions(Path("old.map"), QFile::ReadOwner | QFile::WriteOwner);
        OpenMap("old.map", PlayableGrid());
        if (c.saveAs) { // the map gets a file of its own first
            p.SaveAnswers.push_back(Path("earlier.map"));
            d.Trigger("saveAsAction");
        }
        const MapGrid edited = Paint(30, 30, 1);
        const QString caption = d.EditCaption();
        const QString fileName = d.FileName();
        if (c.readOnly) {
            ASSERT_TRUE(QFile::setPermissions(Path("old.map"), QFile::ReadOwner));
        }
        const QStringList filesBefore = FolderFiles();
        p.Forget();
        {
            std::optional<FileSizeLimit> limit;
            if (c.sizeLimit)
                limit.emplace(100);
            if (c.saveAs) {
                p.SaveAnswers.push_back(c.target);
                d.ClickButton("saveAsButton");
            } else {
                d.Trigger("saveAction");
            }
        }
        ASSERT_EQ(p.Errors.size(), 1u);
        EXPECT_TRUE(p.Errors[0].startsWith(WriteErrorStart(c.target)))
            << p.Errors[0].toStdString();
        EXPECT_EQ(FileBytes(Path("old.map")), old);
        EXPECT_EQ(FolderFiles(), filesBefore) << "no temporary file is left behind";
        EXPECT_EQ(d.Grid(), Shaped(edited)) << "the shaping done before the write stays";
        EXPECT_EQ(d.FileName(), fileName);
        EXPECT_EQ(d.EditCaption(), caption);
        EXPECT_TRUE(d.Modified());
    }
    QFile::setPermissions(Path("old.map"), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_TRUE(QFileInfo(Path("folder.map")).isDir());
    // Without the fault the same save succeeds, and the map counts as saved.
    OpenMap("old.map", PlayableGrid());
    Paint(30, 30, 1);
    d.Trigger("saveAction");
    EXPECT_TRUE(p.Errors.empty());
    EXPECT_EQ(FileBytes(Path("old.map")), ImageBytes(d.Grid(), 10));
    EXPECT_FALSE(d.Modified());
}

// A map opened through the user's own link is saved through it, as before; a link another user put in a shared
// sticky folder (/tmp) is not followed: Save As says why and writes nothing, and the map stays modified.
TEST_F(EditorUi, SaveWritesThroughTheUsersOwnLinkButNotThroughAnotherUsersInASharedFolder) {
    ASSERT_TRUE(PutFile(Path("real.map"), ImageBytes(PlayableGrid(), 10)));
    ASSERT_TRUE(QFile::link(Path("real.map"), Path("link.map")));
    d.Open(Path("link.map"));
    const MapGrid edited = Paint(30, 30, 1);
    d.Trigger("saveAction");
    EXPECT_TRUE(p.Errors.empty()) << (p.Errors.empty() ? std::string() : p.Errors[0].toStdString());
    EXPECT_FALSE(d.Modified());
    EXPECT_EQ(FileBytes(Path("real.map")), ImageBytes(Shaped(edited), 10));
    EXPECT_EQ(QFileInfo(Path("link.map")).symLinkTarget(), Path("real.map"));

    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a link to another user";
    const QByteArray shared = QFile::encodeName(Path("shared"));
    ASSERT_EQ(::mkdir(shared.constData(), 0700), 0);
    ASSERT_EQ(::chmod(shared.constData(), 01777), 0);
    const QString planted = Path("shared/planted.map");
    ASSERT_TRUE(QFile::link(Path("real.map"), planted));
    ASSERT_EQ(::lchown(QFile::encodeName(planted).constData(), 65534, static_cast<gid_t>(-1)), 0);
    const QByteArray before = FileBytes(Path("real.map"));
    const MapGrid again = Paint(31, 30, 1);
    p.SaveAnswers.push_back(planted);
    d.ClickButton("saveAsButton");
    ASSERT_EQ(p.Errors.size(), 1u);
    EXPECT_TRUE(p.Errors[0].startsWith(WriteErrorStart(planted))) << p.Errors[0].toStdString();
    EXPECT_TRUE(p.Errors[0].contains(QStringLiteral("他のユーザーが作ったリンク"))) << p.Errors[0].toStdString();
    EXPECT_EQ(FileBytes(Path("real.map")), before);
    EXPECT_EQ(QDir(Path("shared")).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"planted.map"}));
    EXPECT_EQ(d.FileName(), Path("link.map"));
    EXPECT_TRUE(d.Modified());
    EXPECT_EQ(d.Grid(), Shaped(again));
}

// A save whose bytes never reached the disk is a failed save: the error is shown, the old file stays and the
// map stays modified.
TEST_F(EditorUi, AFailedDataSyncIsReportedAndTheMapStaysModified) {
    OpenMap("old.map", PlayableGrid());
    const QByteArray old = FileBytes(Path("old.map"));
    const MapGrid edited = Paint(30, 30, 1);
    const FileDataSync previous = SetFileDataSyncForTesting([](int) {
        errno = EIO;
        return -1;
    });
    d.Trigger("saveAction");
    SetFileDataSyncForTesting(previous);
    ASSERT_EQ(p.Errors.size(), 1u);
    EXPECT_TRUE(p.Errors[0].startsWith(WriteErrorStart(Path("old.map")))) << p.Errors[0].toStdString();
    EXPECT_TRUE(p.Errors[0].contains(QStringLiteral("入出力エラーが発生しました"))) << p.Errors[0].toStdString();
    EXPECT_EQ(FileBytes(Path("old.map")), old);
    EXPECT_EQ(FolderFiles(), QStringList({"old.map"}));
    EXPECT_TRUE(d.Modified());
    EXPECT_EQ(d.Grid(), Shaped(edited));
    p.Forget();
    d.Trigger("saveAction");
    EXPECT_TRUE(p.Errors.empty());
    EXPECT_FALSE(d.Modified());
    EXPECT_EQ(FileBytes(Path("old.map")), ImageBytes(Shaped(edited), 10));
}

TEST_F(EditorUi, ShapedMapsOfEveryTileSetComeBackFromTheirFileUnchanged) {
    for (int set = 1; set <= 9; ++set) {
        SCOPED_TRACE(set);
        const MapGrid grid = PlainPaintedGrid(static_cast<unsigned>(100 + set));
        d.LoadMap(grid, set);
        const QString path = Path(QStringLiteral("set%1.map").arg(set));
        p.Answers.push_back(true); // save anyway
        p.SaveAnswers.push_back(path);
        d.Trigger("saveAsAction");
        const MapGrid saved = Shaped(grid);
        ASSERT_EQ(d.Grid(), saved);
        const QByteArray bytes = FileBytes(path);
        ASSERT_EQ(bytes.size(), 2306);
        EXPECT_EQ(static_cast<std::uint8_t>(bytes[2304]), set * 10);
        EXPECT_EQ(bytes[2305], '\0');

        // Away to another set and a new map, then back from the file.
        d.Trigger(QStringLiteral("tileSet%1Action").arg(set % 9 + 1));
        d.Trigger("newMapAction");
        d.Open(path);
        EXPECT_EQ(d.Grid(), saved);
        EXPECT_EQ(d.TileSet(), set);
        EXPECT_TRUE(d.ShowsGrid(saved));
        EXPECT_FALSE(d.Modified());
    }
    EXPECT_TRUE(p.Errors.empty());
}

// Shaping and unshaping are changes like any other: they make the map modified and undo in one step.
TEST_F(EditorUi, ShapingAndUnshapingChangeTheMapRedrawItAndUndoInOneStep) {
    const struct {
        const char* name;
        std::function<void(EditorDriver&)> give;
        bool shape;
    } ways[] = {
        {"Ctrl+F", [](EditorDriver& e) { e.Key("Ctrl+F"); }, true},
        {"shape button", [](EditorDriver& e) { e.ClickButton("shapeButton"); }, true},
        {"Ctrl+G", [](EditorDriver& e) { e.Key("Ctrl+G"); }, false},
        {"unshape button", [](EditorDriver& e) { e.ClickButton("unshapeButton"); }, false},
    };
    for (const auto& way : ways) {
        for (bool modified : {false, true}) {
            SCOPED_TRACE(::testing::Message() << way.name << (modified ? " modified" : ""));
            d.LoadMap(way.shape ? PlainPaintedGrid(21) : Shaped(PlainPaintedGrid(21)));
            if (modified)
                Paint(47, 47, 100);
            p.Forget();
            MapGrid expected = d.Grid();
            if (way.shape)
                ShapeMap(expected);
            else
                UnshapeMap(expected);
            ASSERT_NE(expected, d.Grid());
            const MapGrid before = d.Grid();
            way.give(d);
            EXPECT_EQ(d.Grid(), expected);
            EXPECT_TRUE(d.ShowsGrid(expected));
            EXPECT_TRUE(d.Modified());
            EXPECT_TRUE(p.Messages.empty());
            d.Key("Ctrl+Z");
            EXPECT_EQ(d.Grid(), before);
            EXPECT_TRUE(d.ShowsGrid(before));
            EXPECT_EQ(d.Modified(), modified);
        }
    }
}

// Mended: exit threw a modified map away without a word.
TEST(Exit, AsksAboutAModifiedMapAndCancelKeepsTheEditorOpen) {
    const struct {
        const char* name;
        std::function<void(EditorDriver&)> give;
    } ways[] = {
        {"Ctrl+Q", [](EditorDriver& e) { e.Key("Ctrl+Q"); }},
        {"exit button", [](EditorDriver& e) { e.ClickButton("exitButton"); }},
        {"closing the window", [](EditorDriver& e) { e.Widget("main window")->close(); }},
    };
    const struct {
        bool modified;
        bool answer;
    } cases[] = {{true, false}, {true, true}, {false, true}};
    for (const auto& way : ways) {
        for (const auto& c : cases) {
            SCOPED_TRACE(::testing::Message() << way.name << (c.modified ? " modified, " : " ")
                                              << (c.answer ? "OK" : "Cancel"));
            EditorDriver d;
            if (c.modified) {
                d.PickTile(100);
                d.Click(0, 0);
                d.platform().Answers.push_back(c.answer);
            }
            way.give(d);
            const bool asked = c.modified;
            EXPECT_EQ(d.platform().Messages,
                      asked ? std::vector<QString>{DiscardQuestionText} : std::vector<QString>{});
            EXPECT_EQ(d.platform().Captions, asked ? std::vector<QString>{AppTitle} : std::vector<QString>{});
            const bool kept = c.modified && !c.answer;
            EXPECT_EQ(d.Visible("main window"), kept);
            if (kept) {
                EXPECT_TRUE(d.Modified());
                EXPECT_TRUE(d.ShowsGrid(d.Grid()));
            }
        }
    }
}

} // namespace
} // namespace tav::testing
