#include "EditorSettings.h"

#include <QSettings>

#include <algorithm>

namespace tav {

namespace {

const QString StartTileSetKey = QStringLiteral("Editor/StartTileSet");
// The key keeps the name it was first stored under.
const QString StartEdgeKey = QStringLiteral("Editor/StartScaleEdge");
const QString GridLinesKey = QStringLiteral("Editor/GridLines");
const QString BlinkKey = QStringLiteral("Editor/Blink");
const QString AutosaveKey = QStringLiteral("Editor/AutosaveMinutes");
const QString LanguageKey = QStringLiteral("Editor/Language");

QSettings Store() {
    return QSettings(QString::fromLatin1(SettingsOrganisation), QString::fromLatin1(SettingsApplication));
}

// The stored integer under `key` when it lies in [low, high], else `fallback`.
int IntIn(const QSettings& store, const QString& key, int low, int high, int fallback) {
    bool ok = false;
    const int value = store.value(key).toInt(&ok);
    return ok && value >= low && value <= high ? value : fallback;
}

bool Flag(const QSettings& store, const QString& key, bool fallback) {
    const QVariant value = store.value(key);
    return value.isValid() ? value.toBool() : fallback;
}

} // namespace

EditorSettings EditorSettings::Load() {
    const QSettings store = Store();
    EditorSettings s;
    if (const auto tileSet = TileSetNumbered(IntIn(store, StartTileSetKey, 1, TileSetCount, 0)))
        s.StartTileSet = *tileSet;
    // Stored as the tile edge in pixels; an edge the edit window does not offer keeps the default.
    const auto edge = TileEdgeOfPixels(IntIn(store, StartEdgeKey, 8, 32, 0));
    if (edge && std::find(EditTileEdges.begin(), EditTileEdges.end(), *edge) != EditTileEdges.end())
        s.StartEdge = *edge;
    s.GridLines = Flag(store, GridLinesKey, s.GridLines);
    s.Blink = Flag(store, BlinkKey, s.Blink);
    s.AutosaveMinutes = IntIn(store, AutosaveKey, 0, MaxAutosaveMinutes, s.AutosaveMinutes);
    const QString language = store.value(LanguageKey).toString();
    if (language == QLatin1String("ja") || language == QLatin1String("en"))
        s.Language = language;
    return s;
}

void EditorSettings::Save() const {
    QSettings store = Store();
    store.setValue(StartTileSetKey, TileSetNumber(StartTileSet));
    store.setValue(StartEdgeKey, Pixels(StartEdge));
    store.setValue(GridLinesKey, GridLines);
    store.setValue(BlinkKey, Blink);
    store.setValue(AutosaveKey, AutosaveMinutes);
    store.setValue(LanguageKey, Language);
}

} // namespace tav
