#include "CommandLine.h"

#include "MapGrid.h"
#include "CliFailure.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <map>

namespace tav::cli {

std::optional<int> ParseWholeNumber(const QString& text, int lo, int hi) {
    // QString::toInt would take blanks, a sign and other digit forms; a script's typo must not pass.
    if (text.isEmpty() || text.size() > 9)
        return std::nullopt;
    int value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    if (value < lo || value > hi)
        return std::nullopt;
    return value;
}

namespace {

// The bytes behind each stand-in; filled once, before any command runs.
std::map<QString, QByteArray>& StandIns() {
    static std::map<QString, QByteArray> standIns;
    return standIns;
}

bool IsControl(char16_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

QString HexEscape(unsigned value) {
    return QStringLiteral("\\x") + QString::number(value, 16).toUpper().rightJustified(2, u'0');
}

} // namespace

QStringList ToolArguments(int argc, const char* const* argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        const QByteArray raw(argv[i]);
        if (IsFileNameText(raw)) {
            arguments << QFile::decodeName(raw);
            continue;
        }
        const QString standIn = QString(QChar(char16_t(0xDC80))) + QString::number(i);
        StandIns()[standIn] = raw;
        arguments << standIn;
    }
    return arguments;
}

std::optional<QByteArray> UndecodableBytes(const QString& argument) {
    const auto found = StandIns().find(argument);
    if (found == StandIns().end())
        return std::nullopt;
    return found->second;
}

QString UndecodableArgumentLine(const QByteArray& raw) {
    return QStringLiteral("argument \"%1\" is not valid UTF-8; file names must be UTF-8 text (rename the file)")
        .arg(ShownBytes(raw));
}

bool IsFileNameText(const QByteArray& name) { return QFile::encodeName(QFile::decodeName(name)) == name; }

QString ShownBytes(const QByteArray& raw) {
    QString shown;
    for (const char c : raw) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\')
            shown += QStringLiteral("\\\\");
        else if (byte >= 0x20 && byte < 0x7F)
            shown += QLatin1Char(c);
        else
            shown += HexEscape(byte);
    }
    return shown;
}

QString ShownName(const QString& name) {
    QString shown;
    for (const QChar c : name) {
        if (c == u'\\')
            shown += QStringLiteral("\\\\");
        else if (IsControl(c.unicode()))
            shown += HexEscape(c.unicode());
        else
            shown += c;
    }
    return shown;
}

QString WithoutControls(const QString& line) {
    QString shown;
    for (const QChar c : line)
        shown += IsControl(c.unicode()) ? HexEscape(c.unicode()) : QString(c);
    return shown;
}

CommandLine::CommandLine(const CommandEntry& command, const QString& description, QStringList positionalNames,
                         bool repeatLast)
    : command_(QString::fromUtf8(command.Name)), usage_(QString::fromUtf8(command.Usage)),
      positionalNames_(std::move(positionalNames)),
      repeatLast_(repeatLast),
      helpOption_(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                  QStringLiteral("Show this help for the command.")) {
    parser_.setApplicationDescription(description);
    parser_.addOption(helpOption_);
    for (const QString& name : positionalNames_)
        parser_.addPositionalArgument(name, name.endsWith(QStringLiteral(".txt"))
                                                ? QStringLiteral("The text file to read, in the form 'text' prints.")
                                                : QStringLiteral("The map file to read."));
}

void CommandLine::Fail(const QString& text) const {
    throw CliFailure(command_ + QStringLiteral(": ") + text + QStringLiteral(" (see 'tavrenna-map ") + command_ +
                     QStringLiteral(" --help')"));
}

bool CommandLine::Parse(const QStringList& arguments) {
    // The parser takes the first element as the program's name.
    if (!parser_.parse(QStringList{QStringLiteral("tavrenna-map")} + arguments))
        Fail(parser_.errorText());
    if (parser_.isSet(helpOption_)) {
        std::fputs(HelpText().toUtf8().constData(), stdout);
        return false;
    }
    positional_ = parser_.positionalArguments();
    if (positional_.size() < positionalNames_.size())
        Fail(QStringLiteral("missing %1").arg(positionalNames_.at(positional_.size())));
    if (positional_.size() > positionalNames_.size() && !repeatLast_)
        Fail(QStringLiteral("unexpected argument \"%1\"").arg(positional_.at(positionalNames_.size())));
    for (const QString& name : positional_)
        if (name.isEmpty())
            Fail(QStringLiteral("empty file name"));
    // A name that is not UTF-8 can only be one of many maps to read; anywhere else nothing could use it.
    for (const QString& argument : arguments)
        if (const auto raw = UndecodableBytes(argument); raw && !(repeatLast_ && positional_.contains(argument)))
            throw CliFailure(UndecodableArgumentLine(*raw));
    return true;
}

std::optional<QString> CommandLine::Value(const QCommandLineOption& option) const {
    const QStringList values = parser_.values(option);
    if (values.isEmpty())
        return std::nullopt;
    if (values.size() > 1)
        Fail(QStringLiteral("--%1 given more than once").arg(option.names().constLast()));
    return values.constFirst();
}

QString CommandLine::RequiredValue(const QCommandLineOption& option) const {
    const auto value = Value(option);
    if (!value)
        Fail(QStringLiteral("--%1 is required").arg(option.names().constLast()));
    if (value->isEmpty())
        Fail(QStringLiteral("--%1 must not be empty").arg(option.names().constLast()));
    return *value;
}

std::optional<int> CommandLine::Number(const QCommandLineOption& option, int lo, int hi) const {
    const auto text = Value(option);
    if (!text)
        return std::nullopt;
    const auto number = ParseWholeNumber(*text, lo, hi);
    if (!number)
        Fail(QStringLiteral("--%1 must be a whole number from %2 to %3, not \"%4\"")
                 .arg(option.names().constLast())
                 .arg(lo)
                 .arg(hi)
                 .arg(*text));
    return number;
}

std::optional<TileEdge> CommandLine::Edge(const QCommandLineOption& option) const {
    const auto text = Value(option);
    if (!text)
        return std::nullopt;
    const auto edge = TileEdgeOfPixels(ParseWholeNumber(*text, 1, 99).value_or(0));
    if (!edge)
        Fail(QStringLiteral("--%1 must be 4, 8, 16 or 32, not \"%2\"").arg(option.names().constLast(), *text));
    return edge;
}

std::optional<CellArgument> CommandLine::Cell(const QCommandLineOption& option) const {
    const auto text = Value(option);
    if (!text)
        return std::nullopt;
    const QStringList parts = text->split(u',');
    std::optional<int> x;
    std::optional<int> y;
    if (parts.size() == 2) {
        x = ParseWholeNumber(parts[0], 0, MapSize - 1);
        y = ParseWholeNumber(parts[1], 0, MapSize - 1);
    }
    if (!x || !y)
        Fail(QStringLiteral("--%1 must be X,Y with X and Y whole numbers from 0 to %2, not \"%3\"")
                 .arg(option.names().constLast())
                 .arg(MapSize - 1)
                 .arg(*text));
    return CellArgument{*x, *y};
}

QString CommandLine::HelpText() const {
    // Qt's first line names the options before the arguments; the interface's own line reads better.
    QString qtHelp = parser_.helpText();
    qtHelp.remove(0, qtHelp.indexOf(u'\n') + 1);
    return QStringLiteral("Usage: tavrenna-map ") + usage_ + u'\n' + qtHelp;
}

} // namespace tav::cli
