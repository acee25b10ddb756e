#include "EditorSettings.h"

#include "MapGrid.h"
#include "SettingsStore.h"
#include "TileSets.h"

#include <utility>

namespace tav {

namespace {

// The start scale is stored as its tile edge, which says more to a reader of the file than 1..3.
constexpr std::pair<int, int> ScaleEdges[] = {{Small, 8}, {Middle, 16}, {Large, 32}};

const QString StartTileSetKey = QStringLiteral("Editor/StartTileSet");
const QString StartScaleKey = QStringLiteral("Editor/StartScaleEdge");
const QString GridLinesKey = QStringLiteral("Editor/GridLines");
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
    s.StartTileSet = IntIn(store, StartTileSetKey, 1, TileSetCount, s.StartTileSet);
    const int edge = IntIn(store, StartScaleKey, 8, 32, 0);
    for (const auto& [scale, e] : ScaleEdges)
        if (e == edge)
            s.StartScale = scale;
    s.GridLines = Flag(store, GridLinesKey, s.GridLines);
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
    store.setValue(StartTileSetKey, StartTileSet);
    for (const auto& [scale, e] : ScaleEdges)
        if (scale == StartScale)
            store.setValue(StartScaleKey, e);
    store.setValue(GridLinesKey, GridLines);
    store.setValue(BlinkKey, Blink);
    store.setValue(AutosaveKey, AutosaveSeconds);
    store.remove(UnusedAutosaveMinutesKey);
    store.setValue(LanguageKey, Language);
}

} // namespace tav
