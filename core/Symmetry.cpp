#include "Symmetry.h"

#include "MapCheck.h"
#include "Shaping.h"
#include "TextMarks.h"

#include <stdexcept>
#include <utility>

namespace tav {

namespace {

constexpr int LastCell = MapSize - 1;
constexpr int HalfSize = MapSize / 2;

// The rigid motions of the map that the modes use.
enum class Motion : std::uint8_t {
    Identity,
    FlipLeftRight,
    FlipTopBottom,
    HalfTurn,
    QuarterTurn,
    ThreeQuarterTurn,
};

constexpr MapCell MoveCell(Motion motion, MapCell c) {
    switch (motion) {
    case Motion::Identity:
        return c;
    case Motion::FlipLeftRight:
        return {LastCell - c.X, c.Y};
    case Motion::FlipTopBottom:
        return {c.X, LastCell - c.Y};
    case Motion::HalfTurn:
        return {LastCell - c.X, LastCell - c.Y};
    case Motion::QuarterTurn:
        return {LastCell - c.Y, c.X};
    case Motion::ThreeQuarterTurn:
        return {c.Y, LastCell - c.X};
    }
    return c;
}

// The motion's linear part: where the offset from a cell to its neighbour goes.
constexpr std::pair<int, int> TurnOffset(Motion motion, int dx, int dy) {
    const MapCell moved = MoveCell(motion, {dx, dy});
    const MapCell origin = MoveCell(motion, {0, 0});
    return {moved.X - origin.X, moved.Y - origin.Y};
}

// One image of a mode: its motion, and whether the castle ring pieces swap left and right under it. Only
// the images that mirror left-right swap them; shaping rewrites every ring anyway, and the gate always faces
// down, so the pieces only need to follow the one flip the game's ring itself has.
struct ImageRule {
    Motion CellMotion = Motion::Identity;
    bool MirrorsRing = false;
};

constexpr std::array<std::array<ImageRule, 4>, 6> ImageRules = {{
    {{{Motion::Identity, false}}},                                                     // none
    {{{Motion::Identity, false}, {Motion::FlipLeftRight, true}}},                      // lr
    {{{Motion::Identity, false}, {Motion::FlipTopBottom, false}}},                     // tb
    {{{Motion::Identity, false}, {Motion::FlipLeftRight, true}, {Motion::FlipTopBottom, false},
      {Motion::HalfTurn, true}}},                                                      // quad
    {{{Motion::Identity, false}, {Motion::HalfTurn, false}}},                          // half
    {{{Motion::Identity, false}, {Motion::QuarterTurn, false}, {Motion::HalfTurn, false},
      {Motion::ThreeQuarterTurn, false}}},                                             // quarter
}};

constexpr std::array<int, 6> ImageCounts = {0, 1, 1, 3, 1, 3};

constexpr std::array<std::string_view, 6> ModeNames = {"なし", "左右対称", "上下対称", "上下左右対称", "点対称",
                                                       "四方回転"};
constexpr std::array<std::string_view, 6> ModeCliNames = {"none", "lr", "tb", "quad", "half", "quarter"};
// The words of the check line: "<words>ではないセルが N 個あります。"; a rotation is named as a symmetry.
constexpr std::array<std::string_view, 6> AsymmetryWords = {"", "左右対称", "上下対称", "上下左右対称", "点対称",
                                                            "四方回転対称"};

// The editor shows these in its language (the SymmetrySources context of its catalogue).
constexpr std::array<std::string_view, 8> SourceNames = {
    TAV_TRANSLATE_NOOP("SymmetrySources", "左"),   TAV_TRANSLATE_NOOP("SymmetrySources", "右"),
    TAV_TRANSLATE_NOOP("SymmetrySources", "上"),   TAV_TRANSLATE_NOOP("SymmetrySources", "下"),
    TAV_TRANSLATE_NOOP("SymmetrySources", "左上"), TAV_TRANSLATE_NOOP("SymmetrySources", "右上"),
    TAV_TRANSLATE_NOOP("SymmetrySources", "左下"), TAV_TRANSLATE_NOOP("SymmetrySources", "右下")};
constexpr std::array<std::string_view, 8> SourceCliNames = {
    "left", "right", "top", "bottom", "top-left", "top-right", "bottom-left", "bottom-right"};

constexpr SymmetrySource LeftRightSources[] = {SymmetrySource::Left, SymmetrySource::Right};
constexpr SymmetrySource TopBottomSources[] = {SymmetrySource::Top, SymmetrySource::Bottom};
constexpr SymmetrySource HalfSources[] = {SymmetrySource::Left, SymmetrySource::Right, SymmetrySource::Top,
                                          SymmetrySource::Bottom};
constexpr SymmetrySource QuadrantSources[] = {SymmetrySource::TopLeft, SymmetrySource::TopRight,
                                              SymmetrySource::BottomLeft, SymmetrySource::BottomRight};

std::size_t ModeIndex(SymmetryMode mode) { return static_cast<std::size_t>(mode); }

const ImageRule& RuleOf(SymmetryMode mode, int image) {
    return ImageRules[ModeIndex(mode)][static_cast<std::size_t>(image)];
}

// The pattern the image cell sees when the cell sees `pattern`: each neighbour's bit moves with the motion.
// Cells outside the map move to cells outside the map, so the border rules see the same border.
std::uint8_t TurnPattern(Motion motion, std::uint8_t pattern) {
    std::uint8_t turned = 0;
    for (int i = 0; i < 8; ++i) {
        if ((pattern & (1u << i)) == 0)
            continue;
        const CellStep step = NeighbourSteps[static_cast<std::size_t>(i)];
        const auto [dx, dy] = TurnOffset(motion, step.Dx, step.Dy);
        for (int j = 0; j < 8; ++j) {
            const CellStep other = NeighbourSteps[static_cast<std::size_t>(j)];
            if (other.Dx == dx && other.Dy == dy)
                turned = static_cast<std::uint8_t>(turned | (1u << j));
        }
    }
    return turned;
}

// The shaping rules of the edge-aware kinds, each as the code it picks for a neighbour pattern. Raised and
// ridge terrain read only the four side bits.
TileCode RaisedVariant(std::uint8_t p) { return RaisedSideCode(p & W, p & N, p & E, p & S); }
TileCode RidgeVariant(std::uint8_t p) { return RidgeSideCode(p & W, p & N, p & E, p & S); }

// Sends every code a rule can pick to the code it picks for the turned pattern. A code stands for all the
// patterns that give it; the first of them counting up is taken, and the rules give every one of them the
// same image (the tests try all 256 patterns), so the choice does not matter. Every turned pattern has a
// code, since each rule answers every pattern (the edged rule 48 for none, and each single bit has a pair).
// A code the rule never picks (64 among the shores) has no pattern and keeps its entry, itself, like any
// code without a role.
void DeriveEdgeCodes(CodeTable& table, Motion motion, TileCode (*variant)(std::uint8_t)) {
    std::array<int, 256> patternOf{};
    patternOf.fill(-1);
    for (int p = 0; p < 256; ++p) {
        const TileCode code = variant(static_cast<std::uint8_t>(p));
        if (patternOf[code] < 0)
            patternOf[code] = p;
    }
    for (std::size_t code = 0; code < 256; ++code)
        if (patternOf[code] >= 0)
            table[code] = variant(TurnPattern(motion, static_cast<std::uint8_t>(patternOf[code])));
}

CodeTable BuildCodeTable(SymmetryMode mode, int image) {
    CodeTable table{};
    for (int code = 0; code < 256; ++code)
        table[static_cast<std::size_t>(code)] = static_cast<TileCode>(code);
    const ImageRule& rule = RuleOf(mode, image);

    DeriveEdgeCodes(table, rule.CellMotion, RaisedVariant);
    DeriveEdgeCodes(table, rule.CellMotion, EdgedShapeCode);
    DeriveEdgeCodes(table, rule.CellMotion, RidgeVariant);

    // Forest runs are vertical only: 2 is the top of a run and 3 its bottom. The images that turn the map
    // upside down swap the ends; that includes the half turn of quarter, which keeps runs upright. A quarter
    // turn lays a run on its side, which the column rule cannot show, so the plain code lets shaping decide.
    switch (rule.CellMotion) {
    case Motion::FlipTopBottom:
    case Motion::HalfTurn:
        std::swap(table[2], table[3]);
        break;
    case Motion::QuarterTurn:
    case Motion::ThreeQuarterTurn:
        for (TileCode code = 1; code <= 4; ++code)
            table[code] = 1;
        break;
    default:
        break;
    }

    if (rule.MirrorsRing)
        for (const auto& [left, right] : {std::pair<TileCode, TileCode>{112, 113}, {114, 115}, {120, 121}})
            std::swap(table[left], table[right]);

    // Houses, fields, castles and the flag walls carry their faction in the low two bits.
    for (const TileCode base : {TileCode{8}, TileCode{12}, TileCode{20}, TileCode{116}})
        for (int faction = 0; faction < 4; ++faction)
            table[static_cast<std::size_t>(base + faction)] =
                static_cast<TileCode>(base + ImageFaction(mode, image, faction));
    return table;
}

using ModeTables = std::array<std::array<CodeTable, 4>, 6>;

const ModeTables& AllCodeTables() {
    static const ModeTables tables = [] {
        ModeTables built{};
        for (const SymmetryMode mode : AllSymmetryModes)
            for (int image = 0; image <= SymmetryImageCount(mode); ++image)
                built[ModeIndex(mode)][static_cast<std::size_t>(image)] = BuildCodeTable(mode, image);
        return built;
    }();
    return tables;
}

// The code the relation compares: the plain code, with a field counting as its faction's house.
TileCode SymmetricKey(TileCode code) {
    if (code >= FactionAlternate && code < FactionAlternate + 4)
        return static_cast<TileCode>(code - 4);
    return PlainCode(code);
}


// Takes a castle out with the ring pieces shaping built for it, so no stray wall is left to be copied.
// Plain ground takes their place, as under a castle.
void ClearCastle(MapGrid& grid, MapCell castle, TileCode castleCode) {
    const std::array<TileCode, 8> ring = CastleRing(castleCode);
    ForEachNeighbour(castle, [&](int i, MapCell cell) {
        if (At(grid, cell) == ring[static_cast<std::size_t>(i)])
            At(grid, cell) = 0;
    });
    At(grid, castle) = 0;
}

} // namespace

bool BlocksOverlap(MapCell a, MapCell b) {
    const int dx = a.X > b.X ? a.X - b.X : b.X - a.X;
    const int dy = a.Y > b.Y ? a.Y - b.Y : b.Y - a.Y;
    return dx <= 2 && dy <= 2;
}

std::string_view SymmetryModeName(SymmetryMode mode) { return ModeNames[ModeIndex(mode)]; }
std::string_view SymmetryModeCliName(SymmetryMode mode) { return ModeCliNames[ModeIndex(mode)]; }

std::optional<SymmetryMode> SymmetryModeFromCliName(std::string_view name) {
    for (const SymmetryMode mode : AllSymmetryModes)
        if (ModeCliNames[ModeIndex(mode)] == name)
            return mode;
    return std::nullopt;
}

int SymmetryImageCount(SymmetryMode mode) { return ImageCounts[ModeIndex(mode)]; }

MapCell ImageCell(SymmetryMode mode, int image, MapCell cell) {
    return MoveCell(RuleOf(mode, image).CellMotion, cell);
}

int ImageFaction(SymmetryMode mode, int image, int faction) {
    switch (mode) {
    case SymmetryMode::None:
        return faction;
    case SymmetryMode::LeftRight:
    case SymmetryMode::TopBottom:
    case SymmetryMode::Half:
        return image == 0 ? faction : faction ^ 1;
    case SymmetryMode::Quad:
        return faction ^ image;
    case SymmetryMode::Quarter:
        return (faction + image) & 3;
    }
    return faction;
}

const CodeTable& ImageCodeTable(SymmetryMode mode, int image) {
    return AllCodeTables()[ModeIndex(mode)][static_cast<std::size_t>(image)];
}

bool SymmetricCodesEqual(TileCode a, TileCode b) { return SymmetricKey(a) == SymmetricKey(b); }

std::string_view SymmetrySourceName(SymmetrySource source) {
    return SourceNames[static_cast<std::size_t>(source)];
}
std::string_view SymmetrySourceCliName(SymmetrySource source) {
    return SourceCliNames[static_cast<std::size_t>(source)];
}

std::optional<SymmetrySource> SymmetrySourceFromCliName(std::string_view name) {
    for (std::size_t i = 0; i < SourceCliNames.size(); ++i)
        if (SourceCliNames[i] == name)
            return static_cast<SymmetrySource>(i);
    return std::nullopt;
}

std::span<const SymmetrySource> AllowedSources(SymmetryMode mode) {
    switch (mode) {
    case SymmetryMode::None:
        return {};
    case SymmetryMode::LeftRight:
        return LeftRightSources;
    case SymmetryMode::TopBottom:
        return TopBottomSources;
    case SymmetryMode::Half:
        return HalfSources;
    case SymmetryMode::Quad:
    case SymmetryMode::Quarter:
        return QuadrantSources;
    }
    return {};
}

bool IsAllowedSource(SymmetryMode mode, SymmetrySource source) {
    for (const SymmetrySource allowed : AllowedSources(mode))
        if (allowed == source)
            return true;
    return false;
}

bool InSourceShare(SymmetrySource source, MapCell cell) {
    const bool left = cell.X < HalfSize;
    const bool top = cell.Y < HalfSize;
    switch (source) {
    case SymmetrySource::Left:
        return left;
    case SymmetrySource::Right:
        return !left;
    case SymmetrySource::Top:
        return top;
    case SymmetrySource::Bottom:
        return !top;
    case SymmetrySource::TopLeft:
        return top && left;
    case SymmetrySource::TopRight:
        return top && !left;
    case SymmetrySource::BottomLeft:
        return !top && left;
    case SymmetrySource::BottomRight:
        return !top && !left;
    }
    return false;
}

AsymmetryFinding FindAsymmetry(const MapGrid& grid, SymmetryMode mode) {
    AsymmetryFinding finding;
    finding.Mode = mode;
    const int images = SymmetryImageCount(mode);
    if (images == 0)
        return finding;

    // The ring cells of every castle are left out; the castles themselves are compared.
    std::array<bool, MapCells> ringCell{};
    for (int x = 0; x < MapSize; ++x)
        for (int y = 0; y < MapSize; ++y)
            if (IsCastle(At(grid, {x, y})))
                ForEachNeighbour({x, y}, [&](int, MapCell ring) { ringCell[GridIndex(ring)] = true; });

    for (int y = 0; y < MapSize; ++y)
        for (int x = 0; x < MapSize; ++x) {
            const TileCode code = At(grid, {x, y});
            if (ringCell[GridIndex(x, y)] && !IsCastle(code))
                continue;
            bool equal = true;
            for (int image = 1; image <= images && equal; ++image)
                equal = SymmetricCodesEqual(At(grid, ImageCell(mode, image, {x, y})),
                                            ImageCodeTable(mode, image)[code]);
            if (equal)
                continue;
            if (finding.FirstCount < static_cast<int>(finding.FirstCells.size()))
                finding.FirstCells[static_cast<std::size_t>(finding.FirstCount++)] = {x, y};
            ++finding.Count;
        }
    return finding;
}

std::string AsymmetryLine(const AsymmetryFinding& finding) {
    std::string line(AsymmetryWords[ModeIndex(finding.Mode)]);
    line += "ではないセルが ";
    line += std::to_string(finding.Count);
    line += " 個あります。";
    for (int i = 0; i < finding.FirstCount; ++i) {
        const MapCell cell = finding.FirstCells[static_cast<std::size_t>(i)];
        if (i > 0)
            line += ' ';
        line += '(';
        line += std::to_string(cell.X);
        line += ',';
        line += std::to_string(cell.Y);
        line += ')';
    }
    if (finding.Count > finding.FirstCount)
        line += " ほか";
    return line;
}

SymmetrizeResult Symmetrize(const MapGrid& grid, SymmetryMode mode, SymmetrySource source) {
    if (!IsAllowedSource(mode, source))
        throw std::invalid_argument("Symmetrize: the mode has no such source share");
    const int images = SymmetryImageCount(mode);

    std::vector<MapCell> sourceCastles;
    for (int y = 0; y < MapSize; ++y)
        for (int x = 0; x < MapSize; ++x)
            if (IsCastle(At(grid, {x, y})) && InSourceShare(source, {x, y}))
                sourceCastles.push_back({x, y});

    SymmetrizeResult result;
    result.Grid = grid;
    MapGrid& work = result.Grid;
    // Decided on the castles as painted, before shaping can overwrite one castle next to another.
    for (const MapCell castle : sourceCastles) {
        bool overlaps = false;
        for (const MapCell other : sourceCastles)
            for (int image = 1; image <= images && !overlaps; ++image)
                overlaps = BlocksOverlap(castle, ImageCell(mode, image, other));
        if (overlaps)
            result.RemovedCastles.push_back({castle, At(grid, castle)});
    }
    for (const RemovedCastle& removed : result.RemovedCastles)
        ClearCastle(work, removed.Cell, removed.Code);
    // Castles of the other shares are replaced by the copy; their rings must not reach into the source share.
    for (int x = 0; x < MapSize; ++x)
        for (int y = 0; y < MapSize; ++y)
            if (IsCastle(At(grid, {x, y})) && !InSourceShare(source, {x, y}))
                ClearCastle(work, {x, y}, At(grid, {x, y}));

    ShapeMap(work); // the source share now holds its rings, shores and alternating houses
    for (int image = 1; image <= images; ++image) {
        const CodeTable& table = ImageCodeTable(mode, image);
        for (int x = 0; x < MapSize; ++x)
            for (int y = 0; y < MapSize; ++y)
                if (InSourceShare(source, {x, y}))
                    At(work, ImageCell(mode, image, {x, y})) = table[At(work, MapCell{x, y})];
    }
    // Shores and edges along the axes, and the rings of the copied castles with their gates facing down.
    ShapeMap(work);
    return result;
}

std::string RemovedCastleLine(const RemovedCastle& castle, TileSet tileSet) {
    std::string line = "(";
    line += std::to_string(castle.Cell.X);
    line += ',';
    line += std::to_string(castle.Cell.Y);
    line += ")にある";
    line += FactionName(tileSet, FactionOf(castle.Code));
    line += "の城は対称の位置の城と重なるため取り除きました。";
    return line;
}

} // namespace tav
