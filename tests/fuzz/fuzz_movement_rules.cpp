// Any bytes as a cost file and as a turn order: each is read or refused, never a crash; a table read is
// valid and comes back unchanged through its text, a refusal is a well-formed sentence naming a line of the
// text, and the analysis measures any table read without tripping over it.

#include "FactionAnalysis.h"
#include "FuzzCheck.h"
#include "MovementRules.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

using namespace tav;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const CostFileResult parsed = ParseMovementCosts(text);
    FUZZ_CHECK(parsed.Costs.has_value() == (parsed.Error == CostFileError::None), "a table exactly when no error");
    if (!parsed.Costs) {
        const std::string message = CostFileErrorMessage(parsed);
        FUZZ_CHECK(!message.empty() && fuzz::IsWellFormedUtf8(message), "the refusal is a well-formed sentence");
        const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
        FUZZ_CHECK(parsed.Line >= 1 && parsed.Line <= lines, "the refusal names a line of the text");
        FUZZ_CHECK(message.size() < 1024, "the refusal stays short whatever the line holds");
    } else {
        FUZZ_CHECK(parsed.Costs->IsValid(), "a table read is valid");
        const CostFileResult again = ParseMovementCosts(FormatMovementCosts(*parsed.Costs));
        FUZZ_CHECK(again.Costs && *again.Costs == *parsed.Costs, "the text of a table reads back as the table");
        // A map of every code, with a castle per faction, measured under the table.
        MapGrid grid{};
        for (std::size_t i = 0; i < MapCells; ++i)
            grid[i] = static_cast<TileCode>(i * 7 + size);
        for (int f = 0; f < FactionCount; ++f)
            grid[static_cast<std::size_t>(CellIndex(10 + 9 * f, 20))] = static_cast<TileCode>(20 + f);
        const FactionAnalysis analysis = AnalyseFactions(grid, *parsed.Costs, {});
        FUZZ_CHECK(analysis.Costs == *parsed.Costs, "the analysis measures with the table read");
    }

    if (const std::optional<TurnOrder> order = ParseTurnOrder(text)) {
        FUZZ_CHECK(order->IsPermutation(), "a turn order read is a permutation");
        FUZZ_CHECK(ParseTurnOrder(TurnOrderText(*order)) == order, "the text of an order reads back as the order");
    }
    return 0;
}
