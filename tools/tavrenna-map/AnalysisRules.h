#pragma once
// The cost table and turn order that analyse, diff and render --territory measure with: --costs FILE and
// --turn-order A,B,C,D, both optional (the default table is all 1, the default order 0,1,2,3).

#include "CommandLine.h"
#include "MovementRules.h"

#include <QByteArray>
#include <QString>

namespace tav::cli {

struct AnalysisRules {
    MovementCosts Costs;
    TurnOrder Order;
};

// A cost file larger than this is refused: ten lines of a class and a cost, with room for comments.
constexpr qint64 CostFileLimit = 64 * 1024;

// Adds --costs and --turn-order to a command's options.
void AddAnalysisRuleOptions(CommandLine& line);

// The rules the parsed options ask for. A turn order that is not a permutation of 0..3 is a usage error;
// a cost file that cannot be read or holds an error throws CliFailure naming the file (and the line).
AnalysisRules ReadAnalysisRules(const CommandLine& line);

// Whether --costs or --turn-order was given.
bool AnalysisRulesGiven(const CommandLine& line);

// The table of a cost file. Throws CliFailure naming the file when it cannot be read, is not a regular
// file (a folder, a pipe), is larger than CostFileLimit, is not UTF-8, or holds an error (its line named).
MovementCosts ReadCostFile(const QString& path);
// The same for a file's bytes already read.
MovementCosts CostsFromFileBytes(const QString& path, const QByteArray& bytes);

} // namespace tav::cli
