#pragma once
// The user's choices that outlast a run: how the editor starts, grid lines, the territory overlay, blinking, the interval of the
// recovery copies (自動保存の間隔) and the language. Stored with QSettings under "Tavrenna"/"Tavrenna MapEditor", beside the recent files.

#include "TileSets.h"

#include <QString>

namespace tav {

struct EditorSettings {
    static constexpr int MaxAutosaveMinutes = 60;

    TileSet StartTileSet = TileSet::Verda;
    TileEdge StartEdge = TileEdge::Px8; // one of EditTileEdges
    bool GridLines = false;   // thin lines between the edit window's cells
    bool TerritoryOverlay = false; // the edit window tints the cells by territory (勢力範囲を重ねる)
    bool Blink = true;        // the cursor and the palette's frame cycle through their colours
    int AutosaveSeconds = 30; // how often the recovery copy is taken: 0 (never), 30, or whole minutes up to 60
    QString Language = QStringLiteral("ja"); // "ja" or "en"; Japanese whatever the system's language

    // The stored settings; a value that is missing or out of range keeps its default.
    static EditorSettings Load();
    void Save() const;

    bool operator==(const EditorSettings&) const = default;
};

} // namespace tav
