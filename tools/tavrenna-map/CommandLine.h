#pragma once
// The per-command argument parser: QCommandLineParser with the command's own --help, strict numbers,
// and usage errors as one line each.

#include "Commands.h"
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

// The error line for the first argument whose bytes do not survive decoding as UTF-8 text (Qt's
// arguments() would put U+FFFD in their place, and a file name would then name another file), or
// nothing when every argument is text.
std::optional<QString> UndecodableArgument(int argc, const char* const* argv);

// Whether a file name's bytes survive decoding as text and encoding back (with a UTF-8 locale: whether
// they are UTF-8).
bool IsFileNameText(const QByteArray& name);

// Printable ASCII as it is and every other byte as \xHH, so that the user can tell which file is meant.
QString ShownBytes(const QByteArray& raw);

// The strict number rule on its own: digits only, at most nine of them, within lo..hi.
std::optional<int> ParseWholeNumber(const QString& text, int lo, int hi);

} // namespace tav::cli
