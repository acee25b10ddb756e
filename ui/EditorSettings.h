#pragma once
// The user's choices that outlast a run: how the editor starts, grid lines, the territory overlay and its picture, blinking,
// the interval of the recovery copies (自動保存の間隔), the language, and the movement costs and turn order the faction
// analysis measures with. Stored with QSettings under "Tavrenna"/"Tavrenna MapEditor", beside the recent files.

#include "MovementRules.h"
#include "TileSets.h"

#include <QString>

namespace tav {

struct EditorSettings {
    static constexpr int MaxAutosaveMinutes = 60;

    TileSet StartTileSet = TileSet::Verda;
    TileEdge StartEdge = TileEdge::Px8; // one of EditTileEdges
    bool GridLines = false;   // thin lines between the edit window's cells
    bool TerritoryOverlay = false; // the edit window tints the cells by territory (勢力範囲を重ねる)
    bool LeadOverlay = false;      // the overlay shows the lead picture (先着差) instead of the territory
    bool Blink = true;        // the cursor and the palette's frame cycle through their colours
    int AutosaveSeconds = 30; // how often the recovery copy is taken: 0 (never), 30, or whole minutes up to 60
    QString Language = QStringLiteral("ja"); // "ja" or "en"; Japanese whatever the system's language
    MovementCosts Costs;                     // 移動コスト: the entry cost of each class
    TurnOrder Order;                         // the order in which the factions move

    // The stored settings; a value that is missing or out of range keeps its default. A stored cost table or
    // turn order that cannot be read is replaced by the default, and StoredRulesRefused says so until the next
    // Save writes readable ones.
    static EditorSettings Load();
    void Save() const;

    bool operator==(const EditorSettings&) const = default;
};

// Which of the stored movement settings the last Load found unreadable (and replaced by the default); both false
// again once a Save wrote readable ones.
struct StoredRulesRefusal {
    bool Costs = false;
    bool Order = false;
    bool Any() const { return Costs || Order; }
};
StoredRulesRefusal StoredRulesRefused();

} // namespace tav
