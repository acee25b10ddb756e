#include "SymmetryCommands.h"

#include "CommandLine.h"
#include "MapFiles.h"

#include <string>

namespace tav::cli {
namespace {

QString ModeList(bool withNone) {
    QStringList names;
    for (const SymmetryMode mode : AllSymmetryModes)
        if (withNone || mode != SymmetryMode::None) names << QString::fromUtf8(SymmetryModeCliName(mode));
    return names.join(u", ");
}

QString SourceList(SymmetryMode mode) {
    QStringList names;
    for (const SymmetrySource source : AllowedSources(mode))
        names << QString::fromUtf8(SymmetrySourceCliName(source));
    return names.join(u", ");
}

SymmetryMode ParseMode(const CommandLine& line, const QString& text, bool allowNone) {
    const auto mode = SymmetryModeFromCliName(text.toStdString());
    if (!mode || (*mode == SymmetryMode::None && !allowNone))
        line.Fail(QStringLiteral("--symmetry must be one of %1, not \"%2\"").arg(ModeList(allowNone), text));
    return *mode;
}

} // namespace

const QCommandLineOption
    CheckSymmetryOption(QStringLiteral("symmetry"),
                        QStringLiteral("Also count the cells that break the symmetry of MODE "
                                       "(none, lr, tb, quad, half or quarter) and print the "
                                       "asymmetry line; any such cell makes the exit status 1."),
                        QStringLiteral("MODE"));

std::optional<SymmetryMode> CheckSymmetryMode(const CommandLine& line) {
    const auto text = line.Value(CheckSymmetryOption);
    if (!text) return std::nullopt;
    return ParseMode(line, *text, true);
}

std::optional<std::string> AsymmetryText(const MapGrid& grid, SymmetryMode mode) {
    const AsymmetryFinding finding = FindAsymmetry(grid, mode);
    if (finding.Count == 0)
        return std::nullopt;
    return AsymmetryLine(finding);
}

int SymmetrizeCommand(const CommandEntry& command, const QStringList& arguments) {
    CommandLine line(
        command,
        QStringLiteral("Makes the map symmetric as the editor's 対称にする does: shapes the source "
                       "share, copies it onto the other shares with edge pieces turned and factions "
                       "swapped, then shapes the map. A castle whose 3 x 3 block would overlap an image "
                       "block is left out and named on stderr."),
        {QStringLiteral("IN.map")});
    const QCommandLineOption outputOption(
        QStringList{QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral("Write the result to <file> (may be the input file)."), QStringLiteral("file"));
    const QCommandLineOption modeOption(QStringLiteral("symmetry"),
                                        QStringLiteral("lr (left-right), tb (top-bottom), quad (both), half "
                                                       "(point) or quarter (four quarter turns)."),
                                        QStringLiteral("MODE"));
    const QCommandLineOption sourceOption(
        QStringLiteral("source"),
        QStringLiteral("The share to copy from: left or right for lr (default "
                       "left); top or bottom for tb (default top); left, right, "
                       "top or bottom for half (default left); a quadrant for "
                       "quad and quarter (default top-left)."),
        QStringLiteral("SHARE"));
    for (const auto* option : {&outputOption, &modeOption, &sourceOption})
        line.AddOption(*option);
    if (!line.Parse(arguments)) return ExitSuccess;

    const QString output = line.RequiredValue(outputOption);
    const SymmetryMode mode = ParseMode(line, line.RequiredValue(modeOption), false);
    SymmetrySource source = AllowedSources(mode).front();
    if (const auto text = line.Value(sourceOption)) {
        const auto named = SymmetrySourceFromCliName(text->toStdString());
        if (!named || !IsAllowedSource(mode, *named))
            line.Fail(QStringLiteral("--source for %1 must be one of %2, not \"%3\"")
                          .arg(QString::fromUtf8(SymmetryModeCliName(mode)), SourceList(mode), *text));
        source = *named;
    }

    const QString input = line.Positional(0);
    const LoadedMap map = LoadInput(input);
    const SymmetrizeResult result = Symmetrize(map.Grid, mode, source);
    WriteMapFile(output, result.Grid, map.TileSet);
    // Named once the map is written, so a failed write stays the one line an error is.
    for (const RemovedCastle& castle : result.RemovedCastles)
        PrintError(input + QStringLiteral(": ") +
                    QString::fromStdString(RemovedCastleLine(castle, map.TileSet)));
    return ExitSuccess;
}

} // namespace tav::cli
