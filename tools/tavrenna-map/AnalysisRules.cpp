#include "AnalysisRules.h"

#include "FileAccess.h"
#include "MapFiles.h"

#include <QList>
#include <QStringDecoder>

#include <algorithm>
#include <string_view>

namespace tav::cli {
namespace {

const QCommandLineOption CostsOption(QStringLiteral("costs"),
                                     QStringLiteral("Measure with the movement costs of <file>: a line per class, "
                                                    "\"森林 2\" or \"台地 通行不可\"; a class left out costs 1."),
                                     QStringLiteral("file"));
const QCommandLineOption TurnOrderOption(QStringLiteral("turn-order"),
                                         QStringLiteral("The factions in the order they move, e.g. 2,0,3,1 "
                                                        "(default 0,1,2,3): a tie goes to the earlier mover."),
                                         QStringLiteral("order"));

} // namespace

void AddAnalysisRuleOptions(CommandLine& line) {
    line.AddOption(CostsOption);
    line.AddOption(TurnOrderOption);
}

AnalysisRules ReadAnalysisRules(const CommandLine& line) {
    AnalysisRules rules;
    if (const auto order = line.Value(TurnOrderOption)) {
        const std::optional<TurnOrder> parsed = ParseTurnOrder(order->toStdString());
        if (!parsed)
            line.Fail(QStringLiteral("--turn-order takes the four factions 0 to 3, each once, separated by "
                                     "commas (e.g. 2,0,3,1), not \"%1\"")
                          .arg(ShownName(*order)));
        rules.Order = *parsed;
    }
    if (const auto path = line.Value(CostsOption)) {
        if (path->isEmpty())
            line.Fail(QStringLiteral("--costs must not be empty"));
        rules.Costs = ReadCostFile(*path);
    }
    return rules;
}

bool AnalysisRulesGiven(const CommandLine& line) {
    return line.IsSet(CostsOption) || line.IsSet(TurnOrderOption);
}

MovementCosts ReadCostFile(const QString& path) {
    FileHead head;
    try {
        // One byte more than the limit tells a file of exactly the limit from a larger one. A file that
        // reports no size (an empty one, or one under /proc) is not read: it is an empty table.
        head = ReadFileHead(path, CostFileLimit + 1, 1);
    } catch (const FileError& error) {
        throw CliFailure(LineNamingFolder(error, QStringLiteral("a cost file")));
    }
    if (head.Bytes.size() > CostFileLimit || head.ReportedSize > CostFileLimit)
        throw CliFailure(ShownName(path) + QStringLiteral(": cannot read: larger than %1 bytes (%2 bytes); a cost "
                                                          "file is a line per class")
                                               .arg(CostFileLimit)
                                               .arg(std::max<qint64>(head.ReportedSize, head.Bytes.size())));
    return CostsFromFileBytes(path, head.Bytes);
}

MovementCosts CostsFromFileBytes(const QString& path, const QByteArray& bytes) {
    // The whole file must be text before any line of it is read as a class and a cost.
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8(lines[i]);
        if (utf8.hasError())
            throw CliFailure(ShownName(path) + QStringLiteral(": not UTF-8 text (line %1)").arg(i + 1));
    }
    const CostFileResult result = ParseMovementCosts(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!result.Costs)
        throw CliFailure(ShownName(path) + QStringLiteral(": ") + QString::fromStdString(CostFileErrorMessage(result)));
    return *result.Costs;
}

} // namespace tav::cli
