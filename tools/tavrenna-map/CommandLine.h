#pragma once
// The per-command argument parser: QCommandLineParser with the command's own --help, strict numbers,
// and usage errors as one line each.

#include "CommandEntry.h"
#include "TileSets.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

namespace tav::cli {

struct CellArgument {
    int X = 0;
    int Y = 0;
};

class CommandLine {
public:
    // The name and the usage line come from the command's row of the table. With `repeatLast` the last
    // positional argument may be given any number of times, at least once.
    CommandLine(const CommandEntry& command, const QString& description, QStringList positionalNames,
                bool repeatLast = false);

    void AddOption(const QCommandLineOption& option) { parser_.addOption(option); }

    // Parses the arguments after the command. Returns false when --help was asked for (the help text
    // has then been printed). Throws CliFailure for an unknown option, a missing value or a wrong
    // number of positional arguments.
    bool Parse(const QStringList& arguments);

    QString Positional(int index) const { return positional_.at(index); }
    const QStringList& Positionals() const { return positional_; }

    // Whether a flag without a value was given.
    bool IsSet(const QCommandLineOption& option) const { return parser_.isSet(option); }

    // The value of an option given at most once; a repeated option is a usage error.
    std::optional<QString> Value(const QCommandLineOption& option) const;
    QString RequiredValue(const QCommandLineOption& option) const;

    // A whole number written in decimal digits only, within lo..hi; anything else is a usage error.
    std::optional<int> Number(const QCommandLineOption& option, int lo, int hi) const;
    // A tile edge in pixels: 4, 8, 16 or 32; anything else is a usage error.
    std::optional<TileEdge> Edge(const QCommandLineOption& option) const;
    // "X,Y" with both in 0..47.
    std::optional<CellArgument> Cell(const QCommandLineOption& option) const;

    // Throws the usage error `text` for this command.
    [[noreturn]] void Fail(const QString& text) const;

    QString HelpText() const;

private:
    QString command_;
    QString usage_;
    QStringList positionalNames_;
    bool repeatLast_ = false;
    QCommandLineParser parser_;
    QCommandLineOption helpOption_;
    QStringList positional_;
};

// The tool's arguments as text. Qt's arguments() would put U+FFFD in place of bytes that are not UTF-8,
// and a file name would then name another file; such an argument becomes a stand-in that no typed
// argument can be (it holds a lone surrogate). The commands that read many maps report a stand-in among
// their inputs as a map that cannot be read and go on with the others; anywhere else it is refused.
QStringList ToolArguments(int argc, const char* const* argv);
// The bytes a stand-in stands for, or nothing for an argument that is text.
std::optional<QByteArray> UndecodableBytes(const QString& argument);
// The error line for an argument that is not UTF-8.
QString UndecodableArgumentLine(const QByteArray& raw);

// Whether a file name's bytes survive decoding as text and encoding back (with a UTF-8 locale: whether
// they are UTF-8).
bool IsFileNameText(const QByteArray& name);

// A name's bytes for a terminal: printable ASCII as it is, a backslash doubled, every other byte as \xHH,
// so that the user can tell which file is meant.
QString ShownBytes(const QByteArray& raw);

// A name that is text, for a terminal: a backslash doubled and every control character (a line break,
// ESC, DEL, C1) as \xHH, so that a name can neither pass for another nor act on the terminal.
QString ShownName(const QString& name);

// A line for a terminal: every control character as \xHH (a backslash stays as it is).
QString WithoutControls(const QString& line);

// The strict number rule on its own: digits only, at most nine of them, within lo..hi.
std::optional<int> ParseWholeNumber(const QString& text, int lo, int hi);

} // namespace tav::cli
