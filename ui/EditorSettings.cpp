#include "EditorSettings.h"

#include "SettingsStore.h"

#include <algorithm>

namespace tav {

namespace {

const QString StartTileSetKey = QStringLiteral("Editor/StartTileSet");
// The key keeps the name it was first stored under.
const QString StartEdgeKey = QStringLiteral("Editor/StartScaleEdge");
const QString GridLinesKey = QStringLiteral("Editor/GridLines");
const QString TerritoryOverlayKey = QStringLiteral("Editor/TerritoryOverlay");
const QString BlinkKey = QStringLiteral("Editor/Blink");
const QString AutosaveKey = QStringLiteral("Editor/AutosaveSeconds");
// Minutes stored before the interval took effect; never in effect, so they are not read.
const QString UnusedAutosaveMinutesKey = QStringLiteral("Editor/AutosaveMinutes");
const QString LanguageKey = QStringLiteral("Editor/Language");

// The stored integer under `key` when it lies in [low, high], else `fallback`.
int IntIn(const QSettings& store, const QString& key, int low, int high, int fallback) {
    bool ok = false;
    const int value = store.value(key).toInt(&ok);
    return ok && value >= low && value <= high ? value : fallback;
}

bool ValidAutosaveSeconds(int seconds) {
    return seconds == 0 || seconds == 30 ||
           (seconds % 60 == 0 && seconds >= 60 && seconds <= EditorSettings::MaxAutosaveMinutes * 60);
}

bool Flag(const QSettings& store, const QString& key, bool fallback) {
    const QVariant value = store.value(key);
    return value.isValid() ? value.toBool() : fallback;
}

} // namespace

EditorSettings EditorSettings::Load() {
    const std::unique_ptr<QSettings> stored = OpenSettings();
    const QSettings& store = *stored;
    EditorSettings s;
    if (const auto tileSet = TileSetNumbered(IntIn(store, StartTileSetKey, 1, TileSetCount, 0)))
        s.StartTileSet = *tileSet;
    // Stored as the tile edge in pixels; an edge the edit window does not offer keeps the default.
    const auto edge = TileEdgeOfPixels(IntIn(store, StartEdgeKey, 8, 32, 0));
    if (edge && std::find(EditTileEdges.begin(), EditTileEdges.end(), *edge) != EditTileEdges.end())
        s.StartEdge = *edge;
    s.GridLines = Flag(store, GridLinesKey, s.GridLines);
    s.TerritoryOverlay = Flag(store, TerritoryOverlayKey, s.TerritoryOverlay);
    s.Blink = Flag(store, BlinkKey, s.Blink);
    if (const int seconds = IntIn(store, AutosaveKey, 0, MaxAutosaveMinutes * 60, -1); ValidAutosaveSeconds(seconds))
        s.AutosaveSeconds = seconds;
    const QString language = store.value(LanguageKey).toString();
    if (language == QLatin1String("ja") || language == QLatin1String("en"))
        s.Language = language;
    return s;
}

void EditorSettings::Save() const {
    const std::unique_ptr<QSettings> stored = OpenSettings();
    QSettings& store = *stored;
    store.setValue(StartTileSetKey, TileSetNumber(StartTileSet));
    store.setValue(StartEdgeKey, Pixels(StartEdge));
    store.setValue(GridLinesKey, GridLines);
    store.setValue(TerritoryOverlayKey, TerritoryOverlay);
    store.setValue(BlinkKey, Blink);
    store.setValue(AutosaveKey, AutosaveSeconds);
    store.remove(UnusedAutosaveMinutesKey);
    store.setValue(LanguageKey, Language);
}

} // namespace tav
