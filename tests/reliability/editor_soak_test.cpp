// A long random session with the real editor windows: presses, moves and releases of any button at any
// position, the tool, tile-set and scale commands, shifts, shaping, unshaping, palette picks, the eyedropper,
// undo and redo, New and the blink ticks; the range tool's selections and moves, select all and deselect,
// copy, cut and paste (floating or in place) with the editor's blocks and random clipboard contents, the
// replace and exchange dialogs, and painting inside a selection. After every event the map must be what
// the event makes of it and the screen must agree with it; after every undo or redo, undoing everything
// must give the map the history started from and redoing everything the map after the last change. A
// failure names its seed and event so the session can be replayed:
// TAV_SOAK_SEED=<seed> TAV_SOAK_EVENTS=<events>.

#include "TestMaps.h"

#include "CellBlock.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <deque>
#include <random>
#include <sstream>
#include <string>

namespace tav::testing {
namespace {

long EnvNumber(const char* name, long fallback) {
    const char* text = std::getenv(name);
    return (text && *text) ? std::strtol(text, nullptr, 10) : fallback;
}

std::string Text(QPoint p) { return std::to_string(p.x()) + "," + std::to_string(p.y()); }

std::string Text(const std::optional<QRect>& r) {
    return r ? Text(r->topLeft()) + "-" + Text(r->bottomRight()) : std::string("none");
}

QRect RectOf(const CellRect& r) { return QRect(QPoint(r.Left, r.Top), QPoint(r.Right, r.Bottom)); }
CellRect CellRectOf(const QRect& r) { return {r.left(), r.top(), r.right(), r.bottom()}; }
std::optional<QRect> Moved(const QRect& r, QPoint by) {
    const auto clipped = ClipToMap(CellRectOf(r.translated(by)));
    return clipped ? std::optional<QRect>(RectOf(*clipped)) : std::nullopt;
}

// The block a status text of the form "X1=a, Y1=b, X2=c, Y2=d (w×h)" names, if it has that form and its
// size agrees with its corners.
std::optional<QRect> StatusBlock(const QString& status) {
    static const QRegularExpression form(QStringLiteral(R"(^X1=(-?\d+), Y1=(-?\d+), X2=(-?\d+), Y2=(-?\d+) \((\d+)×(\d+)\)$)"));
    const QRegularExpressionMatch match = form.match(status);
    if (!match.hasMatch())
        return std::nullopt;
    const QRect r(QPoint(match.captured(1).toInt(), match.captured(2).toInt()),
                  QPoint(match.captured(3).toInt(), match.captured(4).toInt()));
    if (r.width() != match.captured(5).toInt() || r.height() != match.captured(6).toInt())
        return std::nullopt;
    return r;
}

// Whether the status text names cells of the map: the cursor's, or the anchor's and the cursor's.
bool StatusNamesCells(const QString& status) {
    static const QRegularExpression form(QStringLiteral(R"(^X1?=(\d+), Y1?=(\d+)(, X2=(\d+), Y2=(\d+))?$)"));
    const QRegularExpressionMatch match = form.match(status);
    if (!match.hasMatch() || (status.startsWith(QStringLiteral("X1")) != match.hasCaptured(3)))
        return false;
    for (int i : {1, 2, 4, 5})
        if (match.hasCaptured(i) && match.captured(i).toInt() >= MapSize)
            return false;
    return true;
}

class Soak {
public:
    Soak(unsigned seed, EditorDriver& d) : seed_(seed), rng_(seed), d_(d) {}

    // Runs `events` events; returns an empty text or what went wrong, with the last events that led there.
    std::string Run(long events) {
        first_ = last_ = Now();
        EditorDriver::PutTextOnClipboard(QStringLiteral("00"));
        clip_ = {CellBlock{1, 1, {0}, 0, 0}, false};
        for (long i = 0; i < events; ++i) {
            const std::string problem = Step();
            if (!problem.empty()) {
                std::ostringstream report;
                report << "event " << i + 1 << " of " << events << ": " << problem << "\nstatus text \""
                       << d_.StatusText().toStdString() << "\", selection " << Text(d_.Selection())
                       << (d_.Pasting() ? ", a block floats" : "") << "\nlast events:";
                for (const std::string& e : recent_)
                    report << "\n  " << e;
                report << "\nreplay: TAV_SOAK_SEED=" << seed_ << " TAV_SOAK_EVENTS=" << i + 1;
                return report.str();
            }
        }
        if (std::string fault = CheckHistory(); !fault.empty())
            return "the end: " + fault;
        return {};
    }

private:
    // Computed: the event worked out the map itself (computed_), and perhaps the selection and the paste.
    enum class Expect { Painted, Unchanged, Shifted, Shaped, Unshaped, Cleared, Blinked, UndoneOrRedone, Computed };

    // What a paste takes from the clipboard: the soak knows what it put there.
    struct Clip {
        std::optional<CellBlock> Block; // nothing: the paste is refused with a message
        bool HasOrigin = false;
    };

    // The map and its tile set: what one step of the history changes.
    struct State {
        MapGrid Grid;
        int TileSet;
        bool operator==(const State&) const = default;
    };
    State Now() const { return {d_.Grid(), d_.TileSet()}; }

    // Undoing everything must give the map the history started from, and redoing everything the map after the
    // last change; the editor is left at the end of its history.
    std::string CheckHistory() {
        while (d_.Action("undoAction")->isEnabled())
            d_.Trigger("undoAction");
        if (Now() != first_)
            return "undoing everything does not give the map the history started from";
        if (d_.Modified() != firstModified_)
            return "undoing everything does not give back the modified mark of the history's start";
        while (d_.Action("redoAction")->isEnabled())
            d_.Trigger("redoAction");
        if (Now() != last_)
            return "redoing everything does not give the map after the last change";
        return {};
    }

    int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

    Qt::MouseButton AnyButton() {
        constexpr std::array buttons = {Qt::LeftButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
        return buttons[static_cast<std::size_t>(Uniform(0, 3))];
    }

    // Anywhere over a widget, and a margin around it where a held mouse still reports.
    QPoint Anywhere(const char* role, int margin) {
        const QSize size = d_.Widget(role)->size();
        return {Uniform(-margin, size.width() + margin), Uniform(-margin, size.height() + margin)};
    }

    Expect Act(std::string& what) {
        static const char* const tools[] = {"pen", "line", "box", "boxFill", "circle", "circleFill", "bucket"};
        static const char* const arrows[] = {"Left", "Right", "Up", "Down"};
        constexpr ShiftDirection directions[] = {ShiftDirection::Left, ShiftDirection::Right,
                                                 ShiftDirection::Up, ShiftDirection::Down};
        const int kind = Uniform(0, 129);
        if (kind >= 100)
            return ActOnSelection(kind - 100, what);
        if (kind < 60) {
            const QPoint pos = Anywhere("map picture", 40);
            const Qt::MouseButton button = AnyButton();
            if (kind < 20) {
                // The middle button takes the code under it into the palette, when it has a tile.
                const QPoint cell = d_.CellAt(pos);
                const int code = d_.Cell(cell.x(), cell.y());
                if (button == Qt::MiddleButton && code < 128)
                    picked_ = code;
                // A left press puts a floating block down.
                if (button == Qt::LeftButton && d_.Pasting()) {
                    computed_ = d_.Grid();
                    PasteBlock(computed_, floating_, cell.x(), cell.y());
                    d_.PressAt(pos, button);
                    what = "press 1 at " + Text(pos) + " putting the block down";
                    expectPasting_ = false;
                    return Expect::Computed;
                }
                d_.PressAt(pos, button);
            }
            else if (kind < 50)
                d_.MoveTo(pos);
            else
                d_.ReleaseAt(pos, button);
            what = (kind < 20 ? "press " : kind < 50 ? "move " : "release ") + std::to_string(button) + " at " +
                   Text(pos);
            return Expect::Painted;
        }
        if (kind < 68) { // half through the tool bar, half through the menu
            const std::string tool = tools[Uniform(0, 6)];
            const bool byButton = Uniform(0, 1) == 1;
            if (byButton)
                d_.ClickButton(QString::fromStdString(tool + "Button"));
            else
                d_.Trigger(QString::fromStdString(tool + "Action"));
            what = "tool " + tool + (byButton ? " by button" : " by menu");
            return Expect::Unchanged;
        }
        if (kind < 73) {
            // Anywhere over the palette, its edge and outside it included: a left press picks the cell under
            // it, clamped to the palette.
            const QPoint pos = Anywhere("palette picture", 10);
            const Qt::MouseButton button = AnyButton();
            d_.PalettePressAt(pos, button);
            d_.PaletteReleaseAt(pos, button);
            if (button == Qt::LeftButton)
                picked_ = std::clamp(pos.y() / 17, 0, 15) * 8 + std::clamp(pos.x() / 17, 0, 7);
            what = "palette click " + std::to_string(button) + " at " + Text(pos);
            return Expect::Unchanged;
        }
        if (kind < 79) {
            const QString command =
                kind < 76 ? QStringLiteral("tileSet%1Action").arg(Uniform(1, 9))
                          : QStringLiteral("edge%1Action").arg(8 << Uniform(0, 2));
            d_.Trigger(command);
            what = command.toStdString();
            return Expect::Unchanged;
        }
        if (kind < 83) {
            const int i = Uniform(0, 3);
            shiftDirection_ = directions[i];
            what = std::string("Shift+") + arrows[i];
            d_.Key(what.c_str());
            return Expect::Shifted;
        }
        if (kind < 87) {
            what = kind < 85 ? "Ctrl+F" : "Ctrl+G";
            d_.Key(what.c_str());
            return kind < 85 ? Expect::Shaped : Expect::Unshaped;
        }
        if (kind < 92) {
            what = kind < 90 ? "Ctrl+Z" : Uniform(0, 1) ? "Ctrl+Y" : "Ctrl+Shift+Z";
            d_.Key(what.c_str());
            return Expect::UndoneOrRedone;
        }
        if (kind < 93) {
            newAnswer_ = Uniform(0, 1) == 1;
            wasModified_ = d_.Modified();
            d_.platform().Answers.assign(1, newAnswer_);
            d_.Trigger("newMapAction");
            what = std::string("new, answering ") + (newAnswer_ ? "OK" : "Cancel");
            return Expect::Cleared;
        }
        d_.Blink();
        what = "blink";
        return Expect::Blinked;
    }

    // The selection and clipboard events; `kind` 0..29.
    Expect ActOnSelection(int kind, std::string& what) {
        const MapGrid before = d_.Grid();
        const std::optional<QRect> selection = d_.Selection();
        const bool selecting = d_.Checked(QStringLiteral("rangeSelectionAction"));
        computed_ = before;
        if (kind < 3 || (kind < 11 && !selecting)) {
            // The range button; released, it lets the selection go. Either way a floating block is dropped.
            d_.ClickButton(QStringLiteral("rangeSelectionButton"));
            what = selecting ? "range tool off" : "range tool on";
            if (selecting)
                expectSelection_ = std::optional<QRect>();
            expectPasting_ = false;
            return Expect::Computed;
        }
        if (kind < 11) {
            // A drag with the range tool: from inside the selection it moves the cells, else it selects.
            const bool fromInside = kind >= 8 && selection && !d_.Pasting();
            const QPoint from = fromInside ? QPoint(Uniform(selection->left(), selection->right()),
                                                    Uniform(selection->top(), selection->bottom()))
                                           : RandomCell();
            const QPoint to = RandomCell();
            what = "range drag " + Text(from) + " to " + Text(to);
            if (d_.Pasting()) {
                PasteBlock(computed_, floating_, from.x(), from.y()); // the press puts the block down
                expectPasting_ = false;
            } else if (selection && selection->contains(from)) {
                MoveBlock(computed_, CellRectOf(*selection), to.x() - from.x(), to.y() - from.y(), NewMapTile);
                expectSelection_ = Moved(*selection, to - from);
            } else {
                expectSelection_ = RectOf(RectFromCorners(from.x(), from.y(), to.x(), to.y()));
            }
            d_.Drag({from, to});
            return Expect::Computed;
        }
        if (kind < 15) {
            const char* const commands[] = {"selectAllAction", "selectAllAction", "deselectAction", "Esc"};
            what = commands[kind - 11];
            const bool pasting = d_.Pasting();
            if (kind < 13)
                d_.Trigger(QString::fromLatin1(what.c_str()));
            else if (kind == 13)
                d_.Trigger(QStringLiteral("deselectAction"));
            else
                d_.Key("Esc");
            if (kind < 13)
                expectSelection_ = RectOf(WholeMap);
            else if (pasting) // the latest half-made thing goes first: the floating block
                expectSelection_ = selection;
            else if (d_.Selection() && d_.Selection() != selection) // else a shape's first point, or the selection
                return Fault("the selection changed to " + Text(d_.Selection()));
            if (kind >= 13)
                expectPasting_ = false;
            return Expect::Computed;
        }
        if (kind < 18) {
            // Copy, and cut: the selection then holds the new map's code.
            const bool cut = kind == 17;
            what = cut ? "cut" : "copy";
            d_.Trigger(cut ? QStringLiteral("cutAction") : QStringLiteral("copyAction"));
            if (selection) {
                clip_ = {CopyBlock(before, CellRectOf(*selection)), true};
                if (EditorDriver::ClipboardText() != QString::fromStdString(FormatBlockText(*clip_.Block)))
                    return Fault("the clipboard's text is not the selection's codes");
                if (cut)
                    FillRect(computed_, CellRectOf(*selection), NewMapTile);
            }
            return Expect::Computed;
        }
        if (kind < 22) {
            // Paste, then put the block down with a move and a click, or drop it with Esc or a right click.
            const int follow = kind - 18; // 0, 1: a click; 2: Esc; 3: a right click
            what = "paste";
            if (!Paste(QStringLiteral("pasteAction"), what))
                return Expect::Computed;
            const QPoint at = RandomCell();
            if (follow < 2) {
                d_.Move(at.x(), at.y());
                d_.Click(at.x(), at.y());
                PasteBlock(computed_, floating_, at.x(), at.y());
                what += ", click at " + Text(at);
            } else if (follow == 2) {
                d_.Key("Esc");
                what += ", Esc";
            } else {
                d_.Click(at.x(), at.y(), Qt::RightButton);
                what += ", right click at " + Text(at);
            }
            expectSelection_ = selection;
            expectPasting_ = false;
            return Expect::Computed;
        }
        if (kind < 23) {
            what = "paste in place";
            if (!Paste(QStringLiteral("pasteInPlaceAction"), what))
                return Expect::Computed;
            // Text carries no place: it goes to the selection's corner, or the map's.
            const QPoint at = clip_.HasOrigin ? QPoint(clip_.Block->OriginX, clip_.Block->OriginY)
                                              : selection ? selection->topLeft() : QPoint(0, 0);
            PasteBlock(computed_, *clip_.Block, at.x(), at.y());
            return Expect::Computed;
        }
        if (kind < 25) {
            // Random bytes in the editor's own form, or random text; then a paste, which floats the block or
            // says why there is none.
            RandomClipboard(what);
            what += ", paste";
            Paste(QStringLiteral("pasteAction"), what);
            return Expect::Computed;
        }
        if (kind < 27) {
            const bool exchange = kind == 26;
            // Codes of the map's cells mostly, so that something changes.
            auto code = [&](int highest) {
                const QPoint cell = RandomCell();
                const int there = d_.Cell(cell.x(), cell.y());
                return Uniform(0, 3) != 0 && there <= highest ? there : Uniform(0, highest);
            };
            const int a = code(exchange ? 127 : 255);
            const int b = code(127);
            const bool inSelection = Uniform(0, 1) == 1;
            const bool accept = Uniform(0, 3) != 0;
            d_.platform().DialogAnswers.assign(
                1, EditorDriver::Answer({{"codeA", a}, {"codeB", b}, {inSelection ? "inSelection" : "wholeMap", 1}},
                                        accept));
            d_.ClickButton(exchange ? QStringLiteral("exchangeButton") : QStringLiteral("replaceButton"));
            const int shown = static_cast<int>(d_.platform().DialogAnswers.size());
            d_.platform().DialogAnswers.clear();
            what = std::string(exchange ? "exchange " : "replace ") + std::to_string(a) + " and " +
                   std::to_string(b) + (inSelection ? " in the selection" : " everywhere") +
                   (accept ? ", OK" : ", Cancel");
            if (shown != 0)
                return Fault("the dialog did not come up");
            const CellRect area = inSelection && selection ? CellRectOf(*selection) : WholeMap;
            if (accept && exchange)
                ExchangeCodes(computed_, TileCode(a), TileCode(b), area);
            else if (accept)
                ReplaceCodes(computed_, TileCode(a), TileCode(b), area);
            expectSelection_ = selection;
            return Expect::Computed;
        }
        // A drawing tool drags while there is a selection: only cells inside it change, to the picked code.
        if (!selection)
            return ActOnSelection(selecting ? 3 : 0, what);
        static const char* const tools[] = {"pen", "line", "box", "boxFill", "circle", "circleFill", "bucket"};
        const std::string tool = tools[Uniform(0, 6)];
        d_.ClickButton(QString::fromStdString(tool + "Button"));
        if (d_.Pasting())
            d_.Key("Esc");
        picked_ = Uniform(0, 127);
        d_.PickTile(picked_);
        const QPoint from = RandomCell();
        const QPoint to = RandomCell();
        d_.Drag({from, to});
        what = tool + " drag " + Text(from) + " to " + Text(to) + " in the selection " + Text(selection) + " with " +
               std::to_string(picked_);
        const MapGrid grid = d_.Grid();
        for (int x = 0; x < MapSize; ++x)
            for (int y = 0; y < MapSize; ++y)
                if (grid[CellIndex(x, y)] != before[CellIndex(x, y)] &&
                    (!selection->contains(x, y) || grid[CellIndex(x, y)] != picked_))
                    return Fault("cell " + Text(QPoint(x, y)) + " changed to " + std::to_string(grid[CellIndex(x, y)]));
        computed_ = grid;
        expectSelection_ = selection;
        return Expect::Computed;
    }

    QPoint RandomCell() { return {Uniform(0, MapSize - 1), Uniform(0, MapSize - 1)}; }

    // A fault the event found itself; Step reports it.
    Expect Fault(std::string text) {
        fault_ = std::move(text);
        return Expect::Computed;
    }

    // Runs a paste command: a block the clipboard holds floats (or goes in place); else a message says why
    // not. Returns whether there was a block.
    bool Paste(const QString& command, std::string& what) {
        const std::size_t messages = d_.platform().Messages.size();
        const bool pasting = d_.Pasting();
        d_.Trigger(command);
        const bool told = d_.platform().Messages.size() == messages + 1;
        if (!clip_.Block) {
            what += " (refused)";
            if (!told)
                Fault("no message says why nothing was pasted");
            expectPasting_ = pasting;
            return false;
        }
        if (d_.platform().Messages.size() != messages)
            Fault("a message came with a block that can be pasted");
        if (command == QLatin1String("pasteAction")) {
            floating_ = *clip_.Block;
            expectPasting_ = true;
        }
        return true;
    }

    // Puts random bytes in the editor's own form (now and then a true block, spoilt or not) or random text
    // (a block's text, or hex that may be none) on the clipboard, and notes what a paste should make of it.
    void RandomClipboard(std::string& what) {
        CellBlock block{Uniform(1, 6), Uniform(1, 6), {}, Uniform(0, MapSize - 1), Uniform(0, MapSize - 1)};
        for (int i = 0; i < block.Width * block.Height; ++i)
            block.Codes.push_back(static_cast<TileCode>(Uniform(0, 127)));
        switch (Uniform(0, 3)) {
        case 0: { // bytes, mostly nonsense
            std::vector<std::uint8_t> bytes = EncodeBlockBytes(block);
            if (Uniform(0, 1) == 0) {
                bytes.resize(static_cast<std::size_t>(Uniform(0, 12)));
                for (auto& b : bytes)
                    b = static_cast<std::uint8_t>(Uniform(0, 255));
            } else if (Uniform(0, 1) == 0) {
                bytes[static_cast<std::size_t>(Uniform(0, static_cast<int>(bytes.size()) - 1))] ^= 0xFF;
            }
            EditorDriver::PutBlockBytesOnClipboard(
                QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
            const auto decoded = DecodeBlockBytes(bytes);
            clip_ = {decoded, decoded.has_value()};
            what = "bytes " + std::to_string(bytes.size()) + (decoded ? " (a block)" : "");
            return;
        }
        case 1: { // a block's text
            const std::string text = FormatBlockText(block);
            EditorDriver::PutTextOnClipboard(QString::fromStdString(text));
            block.OriginX = block.OriginY = 0;
            clip_ = {block, false};
            what = "block text " + std::to_string(block.Width) + "x" + std::to_string(block.Height);
            return;
        }
        default: { // characters of hex text, any of which may spoil it
            static constexpr char alphabet[] = "0123456789ABCDEFabcdef7F80 \t\n\r\nG-";
            std::string text;
            const int length = Uniform(0, 30);
            for (int i = 0; i < length; ++i)
                text += alphabet[Uniform(0, static_cast<int>(sizeof alphabet) - 2)];
            EditorDriver::PutTextOnClipboard(QString::fromStdString(text));
            const BlockTextResult parsed = ParseBlockText(text);
            clip_ = {parsed.Block, false};
            what = "text \"" + QString::fromStdString(text).replace('\n', "\\n").toStdString() + "\"" +
                   (parsed.Block ? " (a block)" : "");
            return;
        }
        }
    }

    std::string Step() {
        const MapGrid before = d_.Grid();
        const int tileSetBefore = d_.TileSet();
        const std::optional<QRect> selectionBefore = d_.Selection();
        const bool drawing = !d_.Pasting() && !d_.Checked(QStringLiteral("rangeSelectionAction"));
        const bool selecting = !d_.Pasting() && d_.Checked(QStringLiteral("rangeSelectionAction"));
        expectSelection_.reset();
        expectPasting_.reset();
        fault_.clear();
        std::string what;
        const Expect expect = Act(what);
        recent_.push_back(what);
        if (recent_.size() > 12)
            recent_.pop_front();
        const MapGrid grid = d_.Grid();
        if (!fault_.empty())
            return fault_;

        MapGrid expected = before;
        switch (expect) {
        case Expect::Painted:
            if (selecting && grid != before) {
                // With the range tool only a release moves cells: the selection's, by as much as the
                // selection moved (where it was clipped at one edge, its other edge tells).
                const std::optional<QRect> now = d_.Selection();
                if (!selectionBefore || !now)
                    return "the range tool changed the map without a selection";
                const int dx = now->left() > 0 || now->right() == MapSize - 1 ? now->left() - selectionBefore->left()
                                                                              : now->right() - selectionBefore->right();
                const int dy = now->top() > 0 || now->bottom() == MapSize - 1 ? now->top() - selectionBefore->top()
                                                                              : now->bottom() - selectionBefore->bottom();
                MoveBlock(expected, CellRectOf(*selectionBefore), dx, dy, NewMapTile);
                if (grid != expected)
                    return "the range tool changed the map, but not by moving the selection's cells";
            }
            for (int i = 0; i < MapCells && drawing; ++i)
                if (grid[i] != before[i] && (grid[i] != picked_ || (selectionBefore && !selectionBefore->contains(i / MapSize, i % MapSize))))
                    return "cell " + std::to_string(i) + " holds " + std::to_string(grid[i]) +
                           ", neither its old code nor the picked " + std::to_string(picked_) +
                           (selectionBefore ? " inside the selection " + Text(selectionBefore) : std::string());
            if (grid != before && !d_.Modified())
                return "the map was painted but is not marked modified";
            expected = grid;
            break;
        case Expect::Computed:
            expected = computed_;
            if (grid != before && !d_.Modified())
                return "the map changed but is not marked modified";
            break;
        case Expect::Shifted:
            // Shift+arrow moves the selection's cells, and the selection with them; without one it turns the map.
            if (selectionBefore) {
                const QPoint by = shiftDirection_ == ShiftDirection::Left    ? QPoint(-1, 0)
                                  : shiftDirection_ == ShiftDirection::Right ? QPoint(1, 0)
                                  : shiftDirection_ == ShiftDirection::Up    ? QPoint(0, -1)
                                                                             : QPoint(0, 1);
                MoveBlock(expected, CellRectOf(*selectionBefore), by.x(), by.y(), NewMapTile);
                expectSelection_ = Moved(*selectionBefore, by);
            } else {
                ShiftMap(expected, shiftDirection_);
            }
            break;
        case Expect::Shaped:
            ShapeMap(expected);
            break;
        case Expect::Unshaped:
            UnshapeMap(expected);
            break;
        case Expect::Cleared:
            if (!wasModified_ || newAnswer_) {
                expected = FilledGrid(NewMapTile);
                if (d_.Modified())
                    return "New left the map marked modified";
            }
            break;
        case Expect::Blinked:
            if (d_.PickedTile() != picked_)
                return "the palette frames tile " + std::to_string(d_.PickedTile()) + ", not the picked " +
                       std::to_string(picked_);
            break;
        case Expect::UndoneOrRedone:
            if (std::string fault = CheckHistory(); !fault.empty())
                return fault;
            expected = d_.Grid(); // the check leaves the editor at the end of its history
            break;
        case Expect::Unchanged:
            break;
        }
        if (expect == Expect::Cleared && (!wasModified_ || newAnswer_)) {
            first_ = last_ = Now(); // New starts a fresh history
            firstModified_ = false;
        } else if (expect != Expect::UndoneOrRedone && (Now() != State{before, tileSetBefore})) {
            last_ = Now(); // a change drops whatever could be redone
        }
        if (d_.Grid() != expected)
            return "the map is not what `" + what + "` makes of it";
        if (expectSelection_ && d_.Selection() != *expectSelection_)
            return "the selection is " + Text(d_.Selection()) + ", not " + Text(*expectSelection_);
        if (expectPasting_ && d_.Pasting() != *expectPasting_)
            return d_.Pasting() ? "a block floats" : "no block floats";
        if (!d_.platform().Errors.empty())
            return "an error was reported: " + d_.platform().Errors.front().toStdString();
        if (!d_.Checked(QStringLiteral("tileSet%1Action").arg(d_.TileSet())))
            return "the tile-set menu does not mark set " + std::to_string(d_.TileSet());
        if (d_.Pasting()) {
            const std::optional<QRect> named = StatusBlock(d_.StatusText());
            if (!named || named->size() != QSize(floating_.Width, floating_.Height) || named->left() < 0 ||
                named->top() < 0 || named->left() >= MapSize || named->top() >= MapSize)
                return "with a block floating, the status text reads " + d_.StatusText().toStdString();
        } else if (d_.Checked(QStringLiteral("rangeSelectionAction")) && d_.Selection()) {
            // The selection, or where it is being dragged.
            const std::optional<QRect> named = StatusBlock(d_.StatusText());
            if (!named || named->size() != d_.Selection()->size())
                return "with a selection, the status text reads " + d_.StatusText().toStdString();
        } else if (d_.StatusText() != QStringLiteral("X=48, Y=48") && !StatusNamesCells(d_.StatusText())) {
            return "the status text reads " + d_.StatusText().toStdString();
        }
        if (const auto shows = d_.ShowsGrid(expected); !shows)
            return shows.message();
        return {};
    }

    unsigned seed_;
    std::mt19937 rng_;
    EditorDriver& d_;
    int picked_ = 0;
    State first_{};
    State last_{};
    bool firstModified_ = false;
    ShiftDirection shiftDirection_ = ShiftDirection::Left;
    bool wasModified_ = false;
    bool newAnswer_ = false;
    std::deque<std::string> recent_;
    MapGrid computed_{};
    std::optional<std::optional<QRect>> expectSelection_;
    std::optional<bool> expectPasting_;
    std::string fault_;
    Clip clip_;
    CellBlock floating_;
};

// CI runs a few thousand events over three seeds; TAV_SOAK_SEED and TAV_SOAK_EVENTS run one long session.
TEST(EditorSoak, ScreenAgreesWithTheMapAfterEveryRandomEvent) {
    const long seedFromEnv = EnvNumber("TAV_SOAK_SEED", -1);
    const long events = EnvNumber("TAV_SOAK_EVENTS", 1000);
    std::vector<unsigned> seeds = {1, 2, 3};
    if (seedFromEnv >= 0)
        seeds = {static_cast<unsigned>(seedFromEnv)};
    for (unsigned seed : seeds) {
        EditorDriver d; // every seed starts from the editor as the program starts it
        Soak soak(seed, d);
        const std::string problem = soak.Run(events);
        ASSERT_TRUE(problem.empty()) << "soak seed " << seed << " failed at " << problem;
    }
}

} // namespace
} // namespace tav::testing
