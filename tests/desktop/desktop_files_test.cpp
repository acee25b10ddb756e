// Files the desktop way: the command line, a dropped file, the recent-files list, the picture export, a
// file changed on disk, a read-only file, the caption, and Japanese in the reports.

#include "DesktopFixture.h"
#include "FileAccess.h"
#include "MapExport.h"
#include "Shaping.h"
#include "ShiftMapCommand.h"
#include "TileBitmaps.h"
#include "TileRender.h"
#include "Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <cerrno>
#include <chrono>
#include <thread>

#include <signal.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tav::testing {
namespace {

const QString DiscardQuestion = QStringLiteral("編集中のマップは破棄されますがよろしいですか");

TEST(EditorArgumentsTest, AcceptAtMostOneMapFile) {
    struct Case {
        QStringList arguments;
        std::optional<QString> path;
        bool usageError;
    };
    const Case cases[] = {
        {{}, std::nullopt, false},
        {{"castle.map"}, QStringLiteral("castle.map"), false},
        {{"a.map", "b.map"}, std::nullopt, true},
        {{"--help"}, std::nullopt, true},
        {{"--", "-odd.map"}, QStringLiteral("-odd.map"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const EditorArguments parsed = ParseEditorArguments(c.arguments);
        EXPECT_EQ(!parsed.UsageError.isEmpty(), c.usageError);
        if (!c.usageError) {
            EXPECT_EQ(parsed.MapPath, c.path);
        }
    }
}

TEST_F(DesktopTest, StartOpensTheFileGivenAndReportsOneThatIsNoMap) {
    PutFile(Path("start.map"), MapBytes(SampleGrid(1), 4));
    const QString savedFolder = QDir::currentPath();
    QDir::setCurrent(Path(QString()));
    // A relative name is taken from the folder the editor starts in.
    StartSession()->Start(QStringLiteral("start.map"));
    EXPECT_EQ(Doc().Grid(), SampleGrid(1));
    EXPECT_EQ(Doc().TileSet(), TileSet::Milphos);
    EXPECT_EQ(Doc().FilePath(), Path("start.map"));
    EXPECT_FALSE(Doc().IsModified());

    // A missing file goes to the error report, in Japanese, and the map stays empty.
    Window = std::make_unique<MainWindow>();
    StartSession()->Start(QStringLiteral("missing.map"));
    ASSERT_EQ(Platform->Errors.size(), 1u);
    EXPECT_TRUE(Platform->Errors[0].contains(QStringLiteral("を読み込めませんでした")));
    EXPECT_TRUE(Platform->Errors[0].contains(QStringLiteral("見つかりません")));
    EXPECT_TRUE(Doc().FilePath().isEmpty());
    QDir::setCurrent(savedFolder);
}

// The real program, given a file on its command line, opens it: the recent list it keeps names the file.
TEST_F(DesktopTest, EditorProgramOpensTheFileOnItsCommandLine) {
    const QString map = Path("shell.map");
    ASSERT_TRUE(PutFile(map, MapBytes(SampleGrid(2), 2)));
    const QByteArray program = TAV_EDITOR_PROGRAM;
    const QByteArray mapArgument = QFile::encodeName(map);
    char* argv[] = {const_cast<char*>(program.constData()), const_cast<char*>(mapArgument.constData()), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(::posix_spawn(&pid, program.constData(), nullptr, nullptr, argv, environ), 0);
    QStringList recent;
    for (int i = 0; i < 300 && !recent.contains(map); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        QSettings settings;
        recent = settings.value(QStringLiteral("RecentFiles")).toStringList();
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    EXPECT_EQ(recent, QStringList{map});
}

std::unique_ptr<QMimeData> UrlsData(const QStringList& paths) {
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.append(path.startsWith(QLatin1String("http")) ? QUrl(path) : QUrl::fromLocalFile(path));
    data->setUrls(urls);
    return data;
}

bool Drop(QWidget* target, const QMimeData* data) {
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

TEST_F(DesktopTest, DroppedMapFileOpensAfterTheDiscardQuestion) {
    const QString map = Path("dropped.MAP");
    PutFile(map, MapBytes(SampleGrid(3), 6));
    PutFile(Path("notes.txt"), "text");
    Window->show();
    struct Case {
        const char* name;
        QStringList paths;
        bool modified;
        std::optional<bool> answer; // the discard question's answer; none when it must not be asked
        bool opened;
    };
    const Case cases[] = {
        {"not a map", {Path("notes.txt")}, false, std::nullopt, false},
        {"two maps", {map, map}, false, std::nullopt, false},
        {"remote", {QStringLiteral("https://example.org/a.map")}, false, std::nullopt, false},
        {"modified, Cancel", {map}, true, false, false},
        {"modified, OK", {map}, true, true, true},
        {"unmodified", {map}, false, std::nullopt, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Doc().Reset(SampleGrid(1), TileSet::Verda, QString(), QString());
        if (c.modified)
            Doc().Push(new edits::ShiftMapCommand(&Doc(), ShiftDirection::Left));
        if (c.answer)
            Platform->Answers.push_back(*c.answer);
        Platform->Questions.clear();
        const auto data = UrlsData(c.paths);
        // Dropped anywhere on the window: the map picture passes the drop on to the frame.
        QWidget* target = Window->findChild<QWidget*>(QStringLiteral("mapPicture"));
        Drop(target ? target : Window.get(), data.get());
        EXPECT_EQ(Platform->Questions, c.answer ? QStringList{DiscardQuestion} : QStringList{});
        EXPECT_EQ(Doc().FilePath() == map, c.opened);
        EXPECT_EQ(Doc().Grid() == SampleGrid(3), c.opened);
    }
}

TEST_F(DesktopTest, RecentFilesKeepTheLastEightNewestFirstAcrossRuns) {
    StartSession();
    QStringList paths;
    for (int i = 0; i < 10; ++i) {
        paths.append(Path(QStringLiteral("m%1.map").arg(i)));
        PutFile(paths.back(), MapBytes(SampleGrid(i), 1));
    }
    for (int i = 0; i < 9; ++i)
        Window->Files()->OpenPath(paths[i]);
    Window->Files()->OpenPath(paths[3]); // again: moves to the front, once
    Platform->SaveAnswers.push_back(paths[9]);
    Window->Files()->SaveAs(false); // a save counts too

    const QStringList expected = {paths[9], paths[3], paths[8], paths[7], paths[6], paths[5], paths[4], paths[2]};
    EXPECT_EQ(RecentFiles().Paths(), expected); // what a new run reads from the settings

    // The menu lists them; choosing one opens it; a file gone meanwhile is reported and leaves the list.
    QMenu* menu = Window->RecentFilesMenu();
    emit menu->aboutToShow();
    ASSERT_EQ(menu->actions().size(), 8);
    menu->actions()[2]->trigger();
    EXPECT_EQ(Doc().FilePath(), paths[8]);
    QFile::remove(paths[7]);
    emit menu->aboutToShow();
    menu->actions()[3]->trigger(); // the list is now 8, 9, 3, 7, ...
    ASSERT_EQ(Platform->Messages.size(), 1u);
    EXPECT_TRUE(Platform->Messages[0].contains(QStringLiteral("見つかりません")));
    EXPECT_EQ(Doc().FilePath(), paths[8]);
    EXPECT_FALSE(RecentFiles().Paths().contains(paths[7]));
    EXPECT_EQ(RecentFiles().Paths().size(), 7);
    // The Open dialog starts in the current map's folder.
    Window->Files()->Open();
    ASSERT_EQ(Platform->OpenDialogs.size(), 1u);
    EXPECT_EQ(Platform->OpenDialogs[0].Folder, QFileInfo(paths[8]).absolutePath());
}

// Mended: two editors sharing the settings each stored their whole list, so each lost what the other added.
TEST_F(DesktopTest, RecentFilesOfTwoEditorsSharingTheSettingsKeepWhatEachAddedAndRemoved) {
    StartSession();
    QStringList paths;
    for (int i = 0; i < 12; ++i) {
        paths.append(Path(QStringLiteral("shared%1.map").arg(i)));
        ASSERT_TRUE(PutFile(paths.back(), MapBytes(SampleGrid(i), 1)));
    }
    const auto stored = [] { return QSettings().value(QStringLiteral("RecentFiles")).toStringList(); };
    Window->Files()->OpenPath(paths[0]);
    Window->Files()->OpenPath(paths[1]);

    // The other editor, the real program, opens a map of its own.
    const QByteArray program = TAV_EDITOR_PROGRAM;
    const QByteArray mapArgument = QFile::encodeName(paths[2]);
    char* argv[] = {const_cast<char*>(program.constData()), const_cast<char*>(mapArgument.constData()), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(::posix_spawn(&pid, program.constData(), nullptr, nullptr, argv, environ), 0);
    for (int i = 0; i < 300 && stored().value(0) != paths[2]; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    ASSERT_EQ(stored(), (QStringList{paths[2], paths[1], paths[0]}));

    Window->Files()->OpenPath(paths[3]);
    EXPECT_EQ(stored(), (QStringList{paths[3], paths[2], paths[1], paths[0]}));
    RecentFiles(nullptr).Remove(paths[1]); // what the other editor does with a file gone
    Window->Files()->OpenPath(paths[4]);
    EXPECT_EQ(stored(), (QStringList{paths[4], paths[3], paths[2], paths[0]}));
    // The menu lists the shared list, newest first, cut to eight.
    for (int i = 5; i < 12; ++i)
        RecentFiles(nullptr).Add(paths[i]);
    QMenu* menu = Window->RecentFilesMenu();
    emit menu->aboutToShow();
    ASSERT_EQ(menu->actions().size(), 8);
    EXPECT_TRUE(menu->actions()[0]->text().endsWith(QDir::toNativeSeparators(paths[11])));
    EXPECT_TRUE(menu->actions()[7]->text().endsWith(QDir::toNativeSeparators(paths[4])));
}

TEST_F(DesktopTest, ExportWritesTheMapAsDrawnByTheViewsAtEachEdge) {
    Doc().Reset(SampleGrid(5), TileSet::Orcana, Path("export.map"), Path("export.map"));
    TileBitmaps bitmaps;
    bitmaps.LoadTileSetBitmaps(TileSet::Orcana);
    // The choices offered are the four edges, smallest first.
    for (int i = 0; i < 4; ++i) {
        const TileEdge tileEdge = AllTileEdges[static_cast<std::size_t>(i)];
        const int edge = Pixels(tileEdge);
        SCOPED_TRACE(edge);
        const QString png = Path(QStringLiteral("export%1.png").arg(edge));
        Platform->Choices.push_back(i);
        Platform->SaveAnswers.push_back(png);
        Window->Files()->ExportImage();
        const QImage written(png);
        ASSERT_EQ(written.size(), QSize(48 * edge, 48 * edge));
        EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32),
                  RenderMap(SampleGrid(5), bitmaps.Picture(tileEdge), edge).convertToFormat(QImage::Format_RGB32));
    }
    // The first dialog offered the map's name as a picture beside it; nothing else was left in the folder.
    EXPECT_EQ(Platform->SaveDialogs[0].PresetName, Path("export.png"));
    EXPECT_EQ(QDir(Path(QString())).entryList({QStringLiteral("export*")}, QDir::Files).size(), 4);
    // Cancel in the edge choice writes nothing.
    Window->Files()->ExportImage();
    EXPECT_EQ(Platform->SaveDialogs.size(), 4u);
}

TEST_F(DesktopTest, SaveAsksBeforeOverwritingAFileChangedOnDisk) {
    const QString map = Path("shared.map");
    struct Case {
        const char* name;
        bool changedElsewhere;
        std::optional<bool> answer;
        bool written;
    };
    const Case cases[] = {
        {"unchanged", false, std::nullopt, true},
        {"changed, Cancel", true, false, false},
        {"changed, OK", true, true, true},
    };
    const QByteArray otherProgram = MapBytes(SampleGrid(9), 2);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PutFile(map, MapBytes(SampleGrid(8), 1));
        Window->Files()->OpenPath(map);
        Doc().Push(new edits::ShiftMapCommand(&Doc(), ShiftDirection::Up));
        const MapGrid edited = Doc().Grid();
        if (c.changedElsewhere)
            PutFile(map, otherProgram);
        Platform->Questions.clear();
        Platform->Answers.push_back(true); // the map check may ask about saving anyway
        if (c.answer)
            Platform->Answers.push_back(*c.answer);
        Window->Files()->Save();
        const int changedQuestions = static_cast<int>(std::count_if(
            Platform->Questions.begin(), Platform->Questions.end(),
            [](const QString& q) { return q.contains(QStringLiteral("ほかのプログラムによって変更されています")); }));
        EXPECT_EQ(changedQuestions, c.answer ? 1 : 0);
        MapGrid shaped = edited;
        tav::ShapeMap(shaped);
        EXPECT_EQ(FileBytes(map), c.written ? MapBytes(shaped, 1) : otherProgram);
        // Cancel leaves the map as it was, modified and not shaped.
        EXPECT_EQ(Doc().Grid(), c.written ? shaped : edited);
        EXPECT_EQ(Doc().IsModified(), !c.written);
        Platform->Answers.clear();
    }
}

// A file nobody may write, for root too: on a small file system of its own, remounted read-only; where
// mounting is not allowed, the file's write permission is taken away (which stops everyone but root).
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& folder) : folder_(QFile::encodeName(folder).toStdString()) {
        QDir().mkpath(folder);
        mounted_ = ::mount("tavrenna-ro", folder_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") == 0;
    }
    void Seal(const QString& file) {
        if (mounted_)
            ::mount("tavrenna-ro", folder_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr);
        else
            ::chmod(QFile::encodeName(file).constData(), 0444);
    }
    ~ReadOnlyFolder() {
        if (mounted_)
            ::umount2(folder_.c_str(), MNT_DETACH);
    }

private:
    std::string folder_;
    bool mounted_ = false;
};

TEST_F(DesktopTest, ReadOnlyMapOpensAndSavesThroughSaveAs) {
    ReadOnlyFolder folder(Path("shared"));
    const QString map = Path("shared/sample.map");
    ASSERT_TRUE(PutFile(map, MapBytes(SampleGrid(4), 5)));
    folder.Seal(map);
    if (::access(QFile::encodeName(map).constData(), W_OK) == 0)
        GTEST_SKIP() << "no way to make a file read-only here";

    Platform->OpenAnswers.push_back(map);
    Window->Files()->Open();
    ASSERT_EQ(Platform->OpenDialogs.size(), 1u);
    EXPECT_FALSE(Platform->OpenDialogs[0].NoReadOnlyReturn);
    EXPECT_EQ(Doc().FilePath(), map);
    EXPECT_EQ(Doc().Grid(), SampleGrid(4));

    const QString copy = Path("copy.map");
    Platform->Answers = {true, true};
    Platform->SaveAnswers.push_back(copy);
    Window->Files()->Save();
    ASSERT_EQ(Platform->SaveDialogs.size(), 1u);
    MapGrid shaped = SampleGrid(4);
    tav::ShapeMap(shaped);
    EXPECT_EQ(FileBytes(copy), MapBytes(shaped, 5));
    EXPECT_EQ(FileBytes(map), MapBytes(SampleGrid(4), 5));
    EXPECT_EQ(Doc().FilePath(), copy);
    EXPECT_TRUE(Platform->Errors.empty());
}

TEST_F(DesktopTest, CaptionShowsTheFileAndTheModifiedMark) {
    const QString map = Path("caption.map");
    PutFile(map, MapBytes(SampleGrid(6), 1));
    Window->Files()->OpenPath(map);
    EXPECT_EQ(Window->windowFilePath(), map);
    EXPECT_TRUE(Window->windowTitle().startsWith(QStringLiteral("caption.map[*] (")));
    EXPECT_TRUE(Window->windowTitle().contains(QDir::toNativeSeparators(Path(QString()).chopped(1))));
    EXPECT_FALSE(Window->isWindowModified());
    Doc().Push(new edits::ShiftMapCommand(&Doc(), ShiftDirection::Down));
    EXPECT_TRUE(Window->isWindowModified());
    Doc().UndoStack()->undo();
    EXPECT_FALSE(Window->isWindowModified());
    Window->Files()->NewMap();
    EXPECT_EQ(Window->windowTitle(), QStringLiteral("Tavrenna MapEditor[*]"));
    EXPECT_TRUE(Window->windowFilePath().isEmpty());
}

TEST(JapaneseTextsTest, QtAndFileErrorsSpeakJapanese) {
    // Qt's own buttons, from Qt's translations.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
    struct Case {
        FileError error;
        const char* expected;
    };
    const Case cases[] = {
        {FileError(FileOperation::Write, "/m/a.map", FileProblem::SystemError, "No space left on device", ENOSPC),
         "「/m/a.map」に書き込めませんでした。\nディスクの空き容量が足りません。"},
        {FileError(FileOperation::Read, "/m", FileProblem::Directory, "is a directory, not a map file"),
         "「/m」を読み込めませんでした。\nフォルダです。マップファイルではありません。"},
        // An errno without a Japanese text keeps the system's words.
        {FileError(FileOperation::Read, "/m/c.map", FileProblem::SystemError, "Stale file handle", ESTALE),
         "「/m/c.map」を読み込めませんでした。\nStale file handle。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(FileErrorText(c.error), QString::fromUtf8(c.expected));
        // The command-line tool keeps its English text.
        EXPECT_TRUE(c.error.Text().contains(QStringLiteral(": cannot ")));
    }
}

} // namespace
} // namespace tav::testing
