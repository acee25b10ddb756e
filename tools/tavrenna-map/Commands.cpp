#include "Commands.h"

#include "CommandLine.h"
#include "EditCommands.h"
#include "GenerateCommand.h"
#include "MapFiles.h"
#include "PackCommands.h"
#include "SymmetryCommands.h"
#include "TextCommands.h"

#include <QCoreApplication>

#include <array>
#include <cstdio>

namespace tav::cli {
namespace {

// A new command is a row here and its handler; the top help, the dispatch, the manual page's check and the
// shell completion all follow from this table.
constexpr std::array<CommandEntry, 16> Commands = {{
    {"check", "check FILE.map... [--json] [--symmetry MODE]", "print the map check's report lines", CheckCommand},
    {"shape", "shape IN.map -o OUT.map", "shape the map as the editor does", ShapeCommand},
    {"unshape", "unshape IN.map -o OUT.map", "return edge-aware terrain to its plain codes", UnshapeCommand},
    {"paint",
     "paint IN.map -o OUT.map --tool pen|line|box|boxfill|circle|circlefill|bucket --at X,Y [--from X,Y] --code N",
     "paint one tool stroke", PaintCommand},
    {"shift", "shift IN.map -o OUT.map --dir left|right|up|down [--count N]", "turn the map with wrap-around",
     ShiftCommand},
    {"replace", "replace IN.map -o OUT.map --code A --with B [--rect X1,Y1,X2,Y2]", "replace tile code A by B",
     ReplaceCommand},
    {"exchange", "exchange IN.map -o OUT.map --code A --with B [--rect X1,Y1,X2,Y2]", "swap tile codes A and B",
     ExchangeCommand},
    {"render",
     "render IN.map... (-o OUT.png | --out-dir DIR) [--edge 4|8|16|32 | --size PX] [--tileset N] [--territory "
     "[--costs FILE] [--turn-order A,B,C,D]] [--jobs N]",
     "draw maps as PNG pictures", RenderCommand},
    {"analyse", "analyse FILE.map... [--json] [--costs FILE] [--turn-order A,B,C,D]",
     "print each faction's territory, reach, fairness figures and the balance",
     AnalyseCommand},
    {"stats", "stats FILE.map... [--json]", "count the cells of each role and the factions' buildings", StatsCommand},
    {"new", "new -o OUT.map [--tileset N]", "write a new map", NewCommand},
    {"symmetrize",
     "symmetrize IN.map -o OUT.map --symmetry lr|tb|quad|half|quarter "
     "[--source left|right|top|bottom|top-left|top-right|bottom-left|bottom-right]",
     "copy one share of the map onto the others", SymmetrizeCommand},
    {"text", "text FILE.map...", "print maps as text, one line per row", TextCommand},
    {"fromtext", "fromtext FILE.txt -o OUT.map", "turn that text back into the map", FromTextCommand},
    {"diff", "diff A.map B.map [--json] [-o OUT.png] [--edge 4|8|16|32] [--costs FILE] [--turn-order A,B,C,D]",
     "show the cells, roles and figures that changed", DiffCommand},
    {"generate",
     "generate -o OUT.map [--seed N] [--symmetry MODE] [--land P] [--mountains P] [--forests P] [--plateaus P] "
     "[--water P] [--houses N] [--fields N] [--tileset N] [--json] [--count K --out-dir DIR]",
     "generate a fair map from a seed", GenerateCommand},
}};

// The summaries start in this column; a usage too long for the space before it gets lines of its own.
constexpr qsizetype SummaryColumn = 39;
constexpr qsizetype HelpWidth = 100;

// A command's lines in the top help: its usage, wrapped with continuation lines under its arguments, and
// the summary in its column.
QString CommandHelpLines(const CommandEntry& command) {
    const QString indent(2 + static_cast<qsizetype>(command.Name.size()) + 1, u' ');
    QStringList lines{QStringLiteral("  ")};
    for (const QString& word : QString::fromUtf8(command.Usage).split(u' ')) {
        QString& last = lines.last();
        const bool fresh = last.trimmed().isEmpty();
        if (!fresh && last.size() + 1 + word.size() > HelpWidth)
            lines << indent + word;
        else
            last += (fresh ? QString() : QStringLiteral(" ")) + word;
    }
    QString& last = lines.last();
    if (last.size() + 2 <= SummaryColumn)
        last = last.leftJustified(SummaryColumn, u' ') + QString::fromUtf8(command.Summary);
    else
        lines << QString(SummaryColumn, u' ') + QString::fromUtf8(command.Summary);
    return lines.join(u'\n');
}

QString TopDescription() {
    QStringList commands;
    for (const CommandEntry& command : Commands)
        commands << CommandHelpLines(command);
    return QStringLiteral("Checks, shapes, paints, renders and analyses Tavrenna .map files with the editor's own "
                          "rules.\n\nCommands:\n") +
           commands.join(u'\n') +
           QStringLiteral("\n\nFILE may be a folder: every *.map file below it is read.\n\n"
                          "'tavrenna-map COMMAND --help' describes a command. Exit status: 0 success, 1 the check "
                          "found\nproblems (diff: the maps differ), 2 error.");
}

void PrintOut(const QString& text) { std::fputs(text.toUtf8().constData(), stdout); }

} // namespace

std::span<const CommandEntry> CommandTable() { return Commands; }

int RunTavrennaMap(const QStringList& arguments) {
    try {
        QCommandLineParser top;
        top.setApplicationDescription(TopDescription());
        top.addPositionalArgument(QStringLiteral("command"), QStringLiteral("The command to run."),
                                  QStringLiteral("COMMAND [ARGS...]"));
        // Qt's own help option would add --help-all for Qt's options, which this tool does not take.
        const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                      QStringLiteral("Show this help."));
        top.addOption(help);
        const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                         QStringLiteral("Show the version."));
        top.addOption(version);
        // Everything from the command on belongs to the command's own parser.
        top.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
        if (!top.parse(arguments))
            throw CliFailure(top.errorText() + QStringLiteral(" (see 'tavrenna-map --help')"));
        if (top.isSet(help)) {
            QString text = top.helpText();
            text.replace(0, text.indexOf(u'\n'), QStringLiteral("Usage: tavrenna-map COMMAND [ARGS...]"));
            PrintOut(text);
            return ExitSuccess;
        }
        if (top.isSet(version)) {
            PrintOut(QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n');
            return ExitSuccess;
        }
        QStringList rest = top.positionalArguments();
        if (rest.isEmpty())
            throw CliFailure(QStringLiteral("no command given (see 'tavrenna-map --help')"));
        const QString name = rest.takeFirst();
        if (const auto raw = UndecodableBytes(name))
            throw CliFailure(UndecodableArgumentLine(*raw));
        for (const CommandEntry& command : Commands)
            if (name == QString::fromUtf8(command.Name))
                return command.Run(command, rest);
        throw CliFailure(QStringLiteral("unknown command \"%1\" (see 'tavrenna-map --help')").arg(name));
    } catch (const CliFailure& failure) {
        PrintError(failure.Line());
        return ExitError;
    }
}

} // namespace tav::cli
