#include "EditorSettings.h"

#include "SettingsStore.h"

#include <algorithm>
#include <optional>
#include <string_view>

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
const QString LeadOverlayKey = QStringLiteral("Editor/LeadOverlay");
// The cost table as the text of a cost file, the turn order as "2,0,3,1".
const QString MovementCostsKey = QStringLiteral("Analysis/MovementCosts");
const QString TurnOrderKey = QStringLiteral("Analysis/TurnOrder");

bool& CostsRefused() {
    static bool refused = false;
    return refused;
}
bool& OrderRefused() {
    static bool refused = false;
    return refused;
}

// A stored text: a string, or what an INI file edited by hand makes of one with commas in it, a list.
std::optional<QString> StoredText(const QVariant& value) {
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    if (value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray)
        return value.toString();
    return std::nullopt;
}

// A stored cost table and turn order as QSettings hands them over (a missing value is an invalid QVariant,
// which keeps the default); CostsRefused and OrderRefused say which values were there but unreadable.
struct StoredMovementRules {
    MovementCosts Costs;
    TurnOrder Order;
    bool CostsRefused = false;
    bool OrderRefused = false;
};

StoredMovementRules ReadStoredMovementRules(const QVariant& costs, const QVariant& order) {
    StoredMovementRules rules;
    if (costs.isValid()) {
        const std::optional<QString> text = StoredText(costs);
        const QByteArray bytes = text ? text->toUtf8() : QByteArray();
        const CostFileResult read =
            text ? ParseMovementCosts(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))
                 : CostFileResult{};
        if (text && read.Costs)
            rules.Costs = *read.Costs;
        else
            rules.CostsRefused = true;
    }
    if (order.isValid()) {
        const std::optional<QString> text = StoredText(order);
        const QByteArray bytes = text ? text->toUtf8() : QByteArray();
        const std::optional<TurnOrder> read =
            text ? ParseTurnOrder(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))
                 : std::nullopt;
        if (read)
            rules.Order = *read;
        else
            rules.OrderRefused = true;
    }
    return rules;
}

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
    s.LeadOverlay = Flag(store, LeadOverlayKey, s.LeadOverlay);
    const StoredMovementRules rules = ReadStoredMovementRules(store.value(MovementCostsKey), store.value(TurnOrderKey));
    s.Costs = rules.Costs;
    s.Order = rules.Order;
    CostsRefused() = rules.CostsRefused;
    OrderRefused() = rules.OrderRefused;
    return s;
}

StoredRulesRefusal StoredRulesRefused() {
    return {CostsRefused(), OrderRefused()};
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
    store.setValue(LeadOverlayKey, LeadOverlay);
    store.setValue(MovementCostsKey, QString::fromStdString(FormatMovementCosts(Costs)));
    store.setValue(TurnOrderKey, QString::fromStdString(TurnOrderText(Order)));
    CostsRefused() = false;
    OrderRefused() = false;
}

} // namespace tav
