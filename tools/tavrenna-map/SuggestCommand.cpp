#include "SuggestCommand.h"

#include "AnalysisRules.h"
#include "CommandLine.h"
#include "FairnessSearch.h"
#include "MapCheck.h"
#include "MapFiles.h"
#include "Reports.h"
#include "SymmetryCommands.h"

#include <cstdio>
#include <string>

namespace tav::cli {
namespace {

void Print(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

std::string Ratio(const std::optional<double>& value) {
    if (!value)
        return "none";
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", *value);
    return text;
}

// The compared figures, in their order, with the words the text report uses.
struct FigureRow {
    FairnessKey Key;
    const char* English;
    const char* Japanese; // the reason line's word for it
};
constexpr FigureRow FigureRows[] = {
    {FairnessKey::LimitsFailing, "limits failing", "満たさない条件"},
    {FairnessKey::Lost, "lost houses and fields", "失う家と畑"},
    {FairnessKey::WorstTurnOrderBalance, "worst turn-order balance", "手番バランス（最悪）"},
    {FairnessKey::Balance, "balance", "バランス"},
    {FairnessKey::NearestEnemyRatio, "nearest-enemy ratio", "最寄りの敵城の比"},
    {FairnessKey::SafeGap, "safe gap", "安全な家と畑の差"},
};

std::string FigureText(const FairnessFigures& figures, FairnessKey key) {
    switch (key) {
    case FairnessKey::LimitsFailing: return std::to_string(figures.LimitsFailing);
    case FairnessKey::Lost: return std::to_string(figures.Lost);
    case FairnessKey::WorstTurnOrderBalance: return Ratio(figures.WorstTurnOrderBalance);
    case FairnessKey::Balance: return Ratio(figures.Balance);
    case FairnessKey::NearestEnemyRatio: return Ratio(figures.NearestEnemyRatio);
    case FairnessKey::SafeGap: return std::to_string(figures.SafeGap);
    }
    return {};
}

Json FigureJson(const FairnessFigures& figures, FairnessKey key) {
    switch (key) {
    case FairnessKey::LimitsFailing: return figures.LimitsFailing;
    case FairnessKey::Lost: return figures.Lost;
    case FairnessKey::WorstTurnOrderBalance: return ThreeDecimals(figures.WorstTurnOrderBalance);
    case FairnessKey::Balance: return ThreeDecimals(figures.Balance);
    case FairnessKey::NearestEnemyRatio: return ThreeDecimals(figures.NearestEnemyRatio);
    case FairnessKey::SafeGap: return figures.SafeGap;
    }
    return nullptr;
}

const char* JsonKey(FairnessKey key) {
    switch (key) {
    case FairnessKey::LimitsFailing: return "limits_failing";
    case FairnessKey::Lost: return "lost";
    case FairnessKey::WorstTurnOrderBalance: return "turn_order_balance_worst";
    case FairnessKey::Balance: return "balance";
    case FairnessKey::NearestEnemyRatio: return "nearest_enemy_ratio";
    case FairnessKey::SafeGap: return "safe_gap";
    }
    return "";
}

Json FiguresJson(const FairnessFigures& figures) {
    Json object = Json::object();
    for (const FigureRow& row : FigureRows)
        object[JsonKey(row.Key)] = FigureJson(figures, row.Key);
    object["territory_by_turn"] = figures.TerritoryByTurn;
    object["safe"] = figures.Safe;
    object["unreachable"] = figures.Unreachable;
    return object;
}

std::string FiguresText(const FairnessFigures& before, const FairnessFigures& after) {
    std::string out;
    for (const FigureRow& row : FigureRows)
        out += std::string(row.English) + " " + FigureText(before, row.Key) + " → " + FigureText(after, row.Key) + "\n";
    return out;
}

std::string FiguresText(const FairnessFigures& figures) {
    std::string out;
    for (const FigureRow& row : FigureRows)
        out += std::string(row.English) + " " + FigureText(figures, row.Key) + "\n";
    return out;
}

} // namespace

// The proposal's one-line reason: the first figure that improved, before → after, and the faction whose
// territory by turn changed most: "バランス 1.180 → 1.030：カルドア領(緑)の領土 +6".
std::string ProposalReason(const FairnessProposal& proposal, TileSet tileSet) {
    std::string line;
    for (const FigureRow& row : FigureRows)
        if (row.Key == proposal.Decisive)
            line = std::string(row.Japanese) + " " + FigureText(proposal.Before, row.Key) + " → " +
                   FigureText(proposal.After, row.Key);
    if (proposal.TerritoryChange != 0)
        line += "：" + std::string(FactionName(tileSet, proposal.Faction)) + "の領土 " +
                (proposal.TerritoryChange > 0 ? "+" : "") + std::to_string(proposal.TerritoryChange);
    return line;
}

int SuggestCommand(const CommandEntry& command, const QStringList& arguments) {
    CommandLine line(
        command,
        QStringLiteral(
            "Searches for a fairer variant of the map and writes the best one found: terrain changed among plain "
            "ground, trees, plateau, water, mountains and the obstacle, and lost or threatened houses and fields "
            "moved into their faction's land, never a castle or its ring, with every change made in each image of "
            "the symmetry mode. The proposal keeps the map check passing, every castle reaching every other, no "
            "more unreachable cells and the house and field counts, and is fairer by the figures in this order: "
            "how many limits fail (no lost house or field, worst turn-order balance and balance at most 1.05, "
            "nearest-enemy ratio at most 1.10, safe gap at most 1), then lost houses and fields, worst turn-order "
            "balance, balance, nearest-enemy ratio, safe gap. Prints the figures before → after, the changed "
            "cells and the reason.\nExit status 0: a fairer map was written; 1: the map is already fair or no "
            "fairer map lies within the limit (nothing written); 2: error, also for a map that fails the check "
            "or is not symmetric under --symmetry (its lines are printed)."),
        {QStringLiteral("IN.map")});
    const QCommandLineOption outputOption(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                          QStringLiteral("Write the fairer map to <file> (may be the input file)."),
                                          QStringLiteral("file"));
    const QCommandLineOption modeOption(
        QStringLiteral("symmetry"),
        QStringLiteral("Make every change in all images of MODE (none, lr, tb, quad, half or quarter; default "
                       "none); the map must be symmetric under it."),
        QStringLiteral("MODE"));
    const QCommandLineOption cellsOption(
        QStringLiteral("max-cells"),
        QStringLiteral("Change at most N cells, images included: 1 to 2304 (default 46, 2 % of the map)."),
        QStringLiteral("N"));
    const QCommandLineOption jsonOption(
        QStringLiteral("json"),
        QStringLiteral("Print one JSON object: the outcome, the figures before and after, and the changed cells "
                       "with their codes before and after."));
    for (const auto* option : {&outputOption, &modeOption, &cellsOption, &jsonOption})
        line.AddOption(*option);
    AddAnalysisRuleOptions(line);
    if (!line.Parse(arguments))
        return ExitSuccess;

    const QString output = line.RequiredValue(outputOption);
    FairnessSearchOptions options;
    if (const auto text = line.Value(modeOption)) {
        const auto mode = SymmetryModeFromCliName(text->toStdString());
        if (!mode)
            line.Fail(QStringLiteral("--symmetry must be one of none, lr, tb, quad, half, quarter, not \"%1\"").arg(*text));
        options.Mode = *mode;
    }
    options.MaxChangedCells = line.Number(cellsOption, 1, MapCells).value_or(options.MaxChangedCells);
    const AnalysisRules rules = ReadAnalysisRules(line);
    options.Costs = rules.Costs;
    options.Order = rules.Order;
    // The tool writes one map: the search ends at the first proposal that meets every limit.
    options.MaxProposals = 1;
    const bool json = line.IsSet(jsonOption);

    const QString input = line.Positional(0);
    const LoadedMap map = LoadInput(input);
    const MapCheckReport check = CheckMap(map.Grid, map.TileSet);
    if (check.Problem) {
        Print(json ? JsonLine({{"outcome", "check_failed"}, {"check", CheckJson(check)}}) + "\n" : CheckText(check));
        throw CliFailure(input + QStringLiteral(": the map check fails; nothing to propose"));
    }
    if (const auto asymmetry = AsymmetryText(map.Grid, options.Mode)) {
        Print(json ? JsonLine({{"outcome", "not_symmetric"}, {"asymmetry", *asymmetry}}) + "\n" : *asymmetry + "\n");
        throw CliFailure(input + QStringLiteral(": the map is not symmetric under --symmetry %1; nothing to propose")
                                     .arg(QString::fromUtf8(SymmetryModeCliName(options.Mode))));
    }

    const FairnessSearchResult result = SearchFairerMaps(map.Grid, options);
    Json object = {{"outcome", nullptr},
                   {"symmetry", std::string(SymmetryModeCliName(options.Mode))},
                   {"max_cells", options.MaxChangedCells},
                   {"turn_order", rules.Order.Factions},
                   {"analyses", result.Analyses}};
    if (result.Proposals.empty()) {
        const bool fair = result.Outcome == FairnessSearchOutcome::AlreadyFair;
        object["outcome"] = fair ? "already_fair" : "none_fairer";
        object["figures"] = {{"before", FiguresJson(result.Figures)}};
        Print(json ? JsonLine(object) + "\n"
                   : FiguresText(result.Figures) +
                         (fair ? std::string("already fair: every limit holds; nothing written\n")
                               : "no fairer map within " + std::to_string(options.MaxChangedCells) +
                                     " changed cells; nothing written\n"));
        return ExitProblemsFound;
    }

    const FairnessProposal& best = result.Proposals.front();
    WriteMapFile(output, best.Grid, map.TileSet);
    const std::string reason = ProposalReason(best, map.TileSet);
    if (json) {
        Json cells = Json::array();
        for (const ChangedCell& change : best.Changes)
            cells.push_back({{"x", change.Cell / MapSize},
                             {"y", change.Cell % MapSize},
                             {"before", change.Before},
                             {"after", change.After}});
        object["outcome"] = "proposed";
        object["figures"] = {{"before", FiguresJson(best.Before)}, {"after", FiguresJson(best.After)}};
        object["reason"] = reason;
        object["changed_cells"] = cells;
        Print(JsonLine(object) + "\n");
    } else {
        Print(FiguresText(best.Before, best.After) + "changed cells " + std::to_string(best.Changes.size()) + " (limit " +
              std::to_string(options.MaxChangedCells) + ")\n" + reason + "\n");
    }
    return ExitSuccess;
}

} // namespace tav::cli
