#pragma once
// The user's choices that outlast a run: how the editor starts, grid lines, blinking, the autosave
// interval and the language. Stored with QSettings under "Tavrenna"/"Tavrenna MapEditor", beside the recent files.

#include "TileSets.h"

#include <QString>

namespace tav {

inline constexpr char SettingsOrganisation[] = "Tavrenna";
inline constexpr char SettingsApplication[] = "Tavrenna MapEditor"; // the application name: one file with the recent files

struct EditorSettings {
    static constexpr int MaxAutosaveMinutes = 60;

    TileSet StartTileSet = TileSet::Verda;
    TileEdge StartEdge = TileEdge::Px8; // one of EditTileEdges
    bool GridLines = false;   // thin lines between the edit window's cells
    bool Blink = true;        // the cursor and the palette's frame cycle through their colours
    int AutosaveMinutes = 5;  // 0: never; for the crash recovery
    QString Language = QStringLiteral("ja"); // "ja" or "en"; Japanese whatever the system's language

    // The stored settings; a value that is missing or out of range keeps its default.
    static EditorSettings Load();
    void Save() const;

    bool operator==(const EditorSettings&) const = default;
};

} // namespace tav
