#pragma once
// tavrenna-map suggest: the fairer-map search of the core, writing its best proposal.

#include "FairnessSearch.h"
#include "MapGrid.h"

#include <QStringList>

#include <string>

namespace tav::cli {

struct CommandEntry;

// tavrenna-map suggest IN.map -o OUT.map [--symmetry MODE] [--max-cells N] [--turn-order A,B,C,D]
// [--costs FILE] [--json]
int SuggestCommand(const CommandEntry& command, const QStringList& arguments);

// A proposal's one-line reason, UTF-8: the first figure that improved, before → after, and the faction whose
// territory by turn changed most, named as the tile set names it: "バランス 1.180 → 1.030：カルドア領(緑)の領土 +6".
std::string ProposalReason(const FairnessProposal& proposal, TileSet tileSet);

} // namespace tav::cli
