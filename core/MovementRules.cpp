#include "MovementRules.h"

#include <algorithm>

namespace tav {

namespace {

// The roles whose codes units never enter: a file that prices them is wrong, not merely unknown.
constexpr std::array<std::string_view, 4> RolesBlockedByNature = {"水辺", "山地", "城壁", "旗のある城壁"};
constexpr std::string_view GateRoleName = "城門";
constexpr std::string_view BlockedWords[] = {"通行不可", "blocked"};
constexpr std::string_view IdeographicSpace = "\u3000";
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF, no cut-off sequence.
bool IsUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned value = 0;
        unsigned lowest = 0;
        if ((lead & 0xE0) == 0xC0)
            length = 2, value = lead & 0x1Fu, lowest = 0x80;
        else if ((lead & 0xF0) == 0xE0)
            length = 3, value = lead & 0x0Fu, lowest = 0x800;
        else if ((lead & 0xF8) == 0xF0)
            length = 4, value = lead & 0x07u, lowest = 0x10000;
        else
            return false;
        if (i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            value = value << 6 | (next & 0x3Fu);
        }
        if (value < lowest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

// The words of a line, split at blanks and ideographic spaces; at most `limit` of them are kept, and the
// count says how many there were.
struct LineWords {
    std::array<std::string_view, 3> Words;
    int Count = 0;
};

LineWords SplitWords(std::string_view line) {
    LineWords words;
    std::size_t i = 0;
    while (i < line.size()) {
        if (IsBlank(line[i])) {
            ++i;
            continue;
        }
        if (line.substr(i, IdeographicSpace.size()) == IdeographicSpace) {
            i += IdeographicSpace.size();
            continue;
        }
        const std::size_t start = i;
        while (i < line.size() && !IsBlank(line[i]) && line.substr(i, IdeographicSpace.size()) != IdeographicSpace)
            ++i;
        if (words.Count < static_cast<int>(words.Words.size()))
            words.Words[static_cast<std::size_t>(words.Count)] = line.substr(start, i - start);
        ++words.Count;
    }
    return words;
}

// A word of the user's as a message quotes it: control characters shown as '?', and a long word cut at a
// character boundary, so a hostile file cannot fill or steer the terminal.
std::string Quoted(std::string_view word) {
    constexpr std::size_t Longest = 40;
    std::string out = "「";
    std::size_t i = 0;
    for (; i < word.size() && i < Longest; ++i) {
        const auto byte = static_cast<unsigned char>(word[i]);
        out += byte < 0x20 || byte == 0x7F ? '?' : word[i];
    }
    if (i < word.size()) {
        while (!out.empty() && (static_cast<unsigned char>(out.back()) & 0xC0) == 0x80)
            out.pop_back(); // continuation bytes of a cut character
        if (!out.empty() && static_cast<unsigned char>(out.back()) >= 0xC0)
            out.pop_back(); // and its lead byte
        out += "…";
    }
    return out + "」";
}

CostFileResult Failed(CostFileError error, int line, std::string_view role = {}, std::string_view word = {}) {
    CostFileResult result;
    result.Error = error;
    result.Line = line;
    result.Role = std::string(role);
    result.Word = std::string(word);
    return result;
}

} // namespace

std::optional<CostClass> CostClassNamed(std::string_view name) {
    for (const CostClass costClass : AllCostClasses)
        if (CostClassName(costClass) == name)
            return costClass;
    return std::nullopt;
}

bool MovementCosts::IsValid() const {
    const bool entriesInRange = std::all_of(Entry.begin(), Entry.end(), [](std::uint8_t cost) {
        return cost == Blocked || (cost >= Cheapest && cost <= Dearest);
    });
    return entriesInRange && (*this)[CostClass::Castle] != Blocked;
}

bool MovementCosts::IsDefault() const { return *this == MovementCosts{}; }

int MovementCosts::EntryCost(TileCode code) const {
    const std::optional<CostClass> costClass = CostClassOf(code);
    if (!costClass)
        return -1;
    const std::uint8_t cost = (*this)[*costClass];
    return cost == Blocked ? -1 : cost;
}

CostFileResult ParseMovementCosts(std::string_view text) {
    if (text.starts_with(ByteOrderMark))
        text.remove_prefix(ByteOrderMark.size());
    MovementCosts costs;
    std::array<int, CostClassCount> givenOn{}; // the line that priced each class, 0 while none has
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!IsUtf8(line))
            return Failed(CostFileError::NotUtf8, lineNumber);
        line = line.substr(0, line.find('#'));
        const LineWords words = SplitWords(line);
        if (words.Count == 0)
            continue;
        const std::string_view role = words.Words[0];
        const std::optional<CostClass> costClass = CostClassNamed(role);
        if (!costClass) {
            if (role == GateRoleName)
                return Failed(CostFileError::GateRole, lineNumber, role);
            const bool blocked = std::find(RolesBlockedByNature.begin(), RolesBlockedByNature.end(), role) !=
                                 RolesBlockedByNature.end();
            return Failed(blocked ? CostFileError::BlockedByNature : CostFileError::UnknownRole, lineNumber, role);
        }
        if (words.Count < 2)
            return Failed(CostFileError::MissingCost, lineNumber, role);
        if (words.Count > 2)
            return Failed(CostFileError::ExtraWords, lineNumber, role, words.Words[2]);
        int& firstLine = givenOn[CostClassIndex(*costClass)];
        if (firstLine != 0) {
            CostFileResult twice = Failed(CostFileError::RoleTwice, lineNumber, role);
            twice.FirstLine = firstLine;
            return twice;
        }
        firstLine = lineNumber;

        const std::string_view word = words.Words[1];
        const bool blocked = std::find(std::begin(BlockedWords), std::end(BlockedWords), word) != std::end(BlockedWords);
        if (blocked) {
            if (*costClass == CostClass::Castle)
                return Failed(CostFileError::CastleBlocked, lineNumber, role, word);
            costs[*costClass] = MovementCosts::Blocked;
        } else if (word.size() == 1 && word[0] >= '0' + MovementCosts::Cheapest &&
                   word[0] <= '0' + MovementCosts::Dearest) {
            costs[*costClass] = static_cast<std::uint8_t>(word[0] - '0');
        } else {
            return Failed(CostFileError::BadCost, lineNumber, role, word);
        }
    }
    CostFileResult result;
    result.Costs = costs;
    return result;
}

std::string CostFileErrorMessage(const CostFileResult& result) {
    if (result.Error == CostFileError::None)
        return {};
    const std::string where = std::to_string(result.Line) + "行目：";
    const std::string role = Quoted(result.Role);
    switch (result.Error) {
    case CostFileError::None:
        break;
    case CostFileError::NotUtf8:
        return where + "UTF-8 として読めないバイトがあります。";
    case CostFileError::MissingCost:
        return where + role + "のコストがありません。1 から 9 の整数か 通行不可 を書いてください。";
    case CostFileError::ExtraWords:
        return where + role + "のコストのあとに余分な" + Quoted(result.Word) +
               "があります。1行に名前とコストを1つずつ書いてください。";
    case CostFileError::UnknownRole:
        return where + role +
               "という移動コストの分類はありません。平地、森林、山道、台地、勢力の家、勢力の畑、城、障害物、"
               "単独タイル、タイルなし のどれかを書いてください。";
    case CostFileError::GateRole:
        return where + "城門のコストは城のコストで決まります。城の行に書いてください。";
    case CostFileError::BlockedByNature:
        return where + role + "はもともと通行不可なので、コストを決められません。";
    case CostFileError::BadCost:
        return where + role + "のコスト" + Quoted(result.Word) +
               "は使えません。1 から 9 の整数か 通行不可 を書いてください。";
    case CostFileError::CastleBlocked:
        return where + "城は通行不可にできません。1 から 9 の整数を書いてください。";
    case CostFileError::RoleTwice:
        return where + role + "のコストは " + std::to_string(result.FirstLine) + "行目で決めてあります。";
    }
    return {};
}

std::string FormatMovementCosts(const MovementCosts& costs) {
    std::string text;
    for (const CostClass costClass : AllCostClasses) {
        const std::uint8_t cost = costs[costClass];
        text += std::string(CostClassName(costClass)) + " " +
                (cost == MovementCosts::Blocked ? std::string(BlockedWords[0]) : std::to_string(cost)) + "\n";
    }
    return text;
}

bool TurnOrder::IsPermutation() const {
    std::array<bool, FactionCount> seen{};
    for (const std::uint8_t faction : Factions) {
        if (faction >= FactionCount || seen[faction])
            return false;
        seen[faction] = true;
    }
    return true;
}

int TurnOrder::Rank(int faction) const {
    for (int rank = 0; rank < FactionCount; ++rank)
        if (Factions[static_cast<std::size_t>(rank)] == faction)
            return rank;
    return FactionCount;
}

TurnOrder TurnOrder::Rotated(int k) const {
    TurnOrder rotated;
    for (int i = 0; i < FactionCount; ++i)
        rotated.Factions[static_cast<std::size_t>(i)] = Factions[static_cast<std::size_t>((i + k) % FactionCount)];
    return rotated;
}

std::optional<TurnOrder> ParseTurnOrder(std::string_view text) {
    TurnOrder order;
    for (int i = 0; i < FactionCount; ++i) {
        const std::size_t comma = text.find(',');
        if ((comma == std::string_view::npos) != (i == FactionCount - 1))
            return std::nullopt; // too few or too many numbers
        std::string_view item = text.substr(0, comma);
        text.remove_prefix(comma == std::string_view::npos ? text.size() : comma + 1);
        while (!item.empty() && (item.front() == ' ' || item.front() == '\t'))
            item.remove_prefix(1);
        while (!item.empty() && (item.back() == ' ' || item.back() == '\t'))
            item.remove_suffix(1);
        if (item.size() != 1 || item[0] < '0' || item[0] >= '0' + FactionCount)
            return std::nullopt;
        order.Factions[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(item[0] - '0');
    }
    if (!order.IsPermutation())
        return std::nullopt;
    return order;
}

std::string TurnOrderText(const TurnOrder& order) {
    std::string text;
    for (const std::uint8_t faction : order.Factions) {
        text += text.empty() ? "" : ",";
        text += std::to_string(faction);
    }
    return text;
}

} // namespace tav
