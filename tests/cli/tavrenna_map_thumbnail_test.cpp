// Thumbnails: `render --size` fits the whole map into the size a file manager asks for, draws only files
// that are maps by their size, and the installed thumbnailer entry runs it as a file manager does.

#include "CliTestSupport.h"

#include <QDir>
#include <QImageReader>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gmock/gmock.h>

#include <map>

namespace tav::clitest {
namespace {

class Thumbnails : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        // Water on the left half, plain ground on the right: a picture that shows the whole map keeps
        // the two halves apart, one cropped or squeezed on one side does not.
        MapGrid grid = FilledGrid(48);
        for (int x = MapSize / 2; x < MapSize; ++x)
            for (int y = 0; y < MapSize; ++y)
                grid[CellIndex(x, y)] = 0;
        WriteMap(Path("halves.map"), grid, 10);
    }
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

// The mean colour of a block of the picture, with the block given in fractions of its size.
QColor MeanColour(const QImage& picture, double left, double top, double width, double height) {
    const QRect block(int(left * picture.width()), int(top * picture.height()), int(width * picture.width()),
                      int(height * picture.height()));
    double red = 0, green = 0, blue = 0;
    for (int y = block.top(); y <= block.bottom(); ++y)
        for (int x = block.left(); x <= block.right(); ++x) {
            const QRgb pixel = picture.pixel(x, y);
            red += qRed(pixel);
            green += qGreen(pixel);
            blue += qBlue(pixel);
        }
    const double count = double(block.width()) * block.height();
    return QColor(int(red / count), int(green / count), int(blue / count));
}

int ColourDistance(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

TEST_F(Thumbnails, SizeFitsTheWholeMapIntoThePixelsAskedFor) {
    ASSERT_EQ(RunTool({"render", Path("halves.map"), "-o", Path("edge4.png"), "--edge", "4"}).ExitCode, 0);
    const QImage full(Path("edge4.png"));
    struct Case {
        int size;
        int expected; // the picture's edge: the size, or the largest picture (32-px tiles) when larger
    };
    for (const Case c : {Case{1, 1}, Case{48, 48}, Case{128, 128}, Case{192, 192}, Case{256, 256},
                         Case{1024, 1024}, Case{1536, 1536}, Case{4000, 1536}}) {
        SCOPED_TRACE("size " + std::to_string(c.size));
        const RunResult run = RunTool({"render", "--size", QString::number(c.size), Path("halves.map"), "-o",
                                       Path("thumb.png")});
        ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
        QImageReader reader(Path("thumb.png"));
        EXPECT_EQ(reader.format(), "png");
        const QImage thumb = reader.read();
        ASSERT_EQ(thumb.size(), QSize(c.expected, c.expected));
        if (c.expected < 8)
            continue;
        // Each quarter of the thumbnail holds the colours of the same quarter of the map.
        for (const double left : {0.0, 0.25, 0.5, 0.75})
            EXPECT_LE(ColourDistance(MeanColour(thumb, left, 0, 0.25, 1), MeanColour(full, left, 0, 0.25, 1)), 24)
                << "quarter from " << left;
    }
    // A size that a tile edge gives exactly is that picture, pixel for pixel.
    ASSERT_EQ(RunTool({"render", "--size", "192", Path("halves.map"), "-o", Path("exact.png")}).ExitCode, 0);
    EXPECT_EQ(QImage(Path("exact.png")).convertToFormat(QImage::Format_RGB32), full.convertToFormat(QImage::Format_RGB32));
}

TEST_F(Thumbnails, SizeDrawsOnlyFilesOfExactlyAMapsSize) {
    const QByteArray map = ReadBytes(Path("halves.map"));
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case refused[] = {
        {"empty.map", QByteArray()},
        {"short.map", map.left(2305)},
        {"long.map", map + 'x'},
        {"linker.map", QByteArray("Archive member included to satisfy reference by file (symbol)\n").repeated(80)},
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(c.name);
        WriteBytes(Path(c.name), c.bytes);
        const RunResult run = RunTool({"render", "--size", "128", Path(c.name), "-o", Path("thumb.png")});
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_THAT(run.Err.toStdString(), ::testing::StartsWith("tavrenna-map: " + Path(c.name).toStdString() + ": "));
        EXPECT_FALSE(QFile::exists(Path("thumb.png")));
    }
    // Without --size a longer file is drawn from its first 2306 bytes, as before.
    EXPECT_EQ(RunTool({"render", Path("long.map"), "-o", Path("plain.png")}).ExitCode, 0);

    // In a folder, the maps get their thumbnails and the other files are named as refused.
    QDir(dir_.path()).mkpath("pack");
    WriteBytes(Path("pack/good.map"), map);
    WriteBytes(Path("pack/long.map"), map + 'x');
    const RunResult pack = RunTool({"render", "--size", "64", Path("pack"), "--out-dir", Path("thumbs")});
    EXPECT_EQ(pack.ExitCode, 2);
    EXPECT_EQ(QImage(Path("thumbs/good.png")).size(), QSize(64, 64));
    EXPECT_FALSE(QFile::exists(Path("thumbs/long.png")));

    for (const QStringList& wrong : {QStringList{"--size", "0"}, QStringList{"--size", "12px"},
                                     QStringList{"--size", "128", "--edge", "8"}}) {
        SCOPED_TRACE(wrong.join(u' ').toStdString());
        const RunResult run = RunTool(QStringList{"render", Path("halves.map"), "-o", Path("x.png")} + wrong);
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_FALSE(QFile::exists(Path("x.png")));
    }
}

// The thumbnailer entry as a file manager reads it: the Exec line split into words, %i, %o and %s
// replaced by whole words (paths with blanks stay one argument), the program found in PATH.
TEST_F(Thumbnails, ThumbnailerEntryDrawsAMapAsAFileManagerRunsIt) {
    std::map<QString, QString> entry; // the keys of the [Thumbnailer Entry] group
    QString group;
    for (const QString& line : Lines(ReadBytes(QStringLiteral(TAV_THUMBNAILER_ENTRY)))) {
        if (line.startsWith(u'['))
            group = line;
        else if (group == "[Thumbnailer Entry]" && line.contains(u'='))
            entry[line.section(u'=', 0, 0)] = line.section(u'=', 1);
    }
    EXPECT_THAT(entry["MimeType"].split(u';'), ::testing::Contains(QString("application/x-tavrenna-map")));
    const QString tryExec = entry["TryExec"];
    const QStringList exec = entry["Exec"].split(u' ', Qt::SkipEmptyParts);
    ASSERT_FALSE(exec.isEmpty());
    const QString toolDir = QFileInfo(QStringLiteral(TAV_MAP_TOOL)).absolutePath();
    EXPECT_FALSE(QStandardPaths::findExecutable(tryExec, {toolDir}).isEmpty()) << tryExec.toStdString();

    QDir(dir_.path()).mkpath("my maps");
    QFile::copy(Path("halves.map"), Path("my maps/castle one.map"));
    WriteBytes(Path("my maps/linker.map"), QByteArray(4096, 'x'));
    const auto thumbnail = [&](const QString& input, const QString& output, int size) {
        QStringList arguments;
        for (const QString& word : exec)
            arguments << (word == "%i" ? input : word == "%o" ? output : word == "%s" ? QString::number(size) : word);
        QProcess process;
        process.setProgram(QStandardPaths::findExecutable(arguments.takeFirst(), {toolDir}));
        process.setArguments(arguments);
        process.start();
        return process.waitForFinished(20000) && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    };
    for (const int size : {128, 256}) {
        SCOPED_TRACE("size " + std::to_string(size));
        const QString output = Path(QStringLiteral("out dir %1.png").arg(size));
        ASSERT_EQ(thumbnail(Path("my maps/castle one.map"), output, size), 0);
        QImageReader reader(output);
        EXPECT_EQ(reader.format(), "png");
        const QImage picture = reader.read();
        ASSERT_EQ(picture.size(), QSize(size, size));
        EXPECT_GT(ColourDistance(MeanColour(picture, 0, 0, 0.5, 1), MeanColour(picture, 0.5, 0, 0.5, 1)), 60);
    }
    EXPECT_NE(thumbnail(Path("my maps/linker.map"), Path("linker.png"), 128), 0);
    EXPECT_FALSE(QFile::exists(Path("linker.png")));
}

} // namespace
} // namespace tav::clitest
