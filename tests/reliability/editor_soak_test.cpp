// A long random session with the real editor windows: presses, moves and releases of any button at any
// position, the tool, tile-set and scale commands, shifts, shaping, unshaping, palette picks, the eyedropper,
// undo and redo, New and the blink ticks. After every event the screen must agree with the map; after every
// undo or redo, undoing everything must give the map the history started from and redoing everything the
// map after the last change. A failure names its seed and event
// so the session can be replayed: TAV_SOAK_SEED=<seed> TAV_SOAK_EVENTS=<events>.

#include "TestMaps.h"

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
        for (long i = 0; i < events; ++i) {
            const std::string problem = Step();
            if (!problem.empty()) {
                std::ostringstream report;
                report << "event " << i + 1 << " of " << events << ": " << problem << "\nlast events:";
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
    enum class Expect { Painted, Unchanged, Shifted, Shaped, Unshaped, Cleared, Blinked, UndoneOrRedone };

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
        while (d_.Action("MenuUndo")->isEnabled())
            d_.Trigger("MenuUndo");
        if (Now() != first_)
            return "undoing everything does not give the map the history started from";
        if (d_.Modified() != firstModified_)
            return "undoing everything does not give back the modified mark of the history's start";
        while (d_.Action("MenuRedo")->isEnabled())
            d_.Trigger("MenuRedo");
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
        static const char* const tools[] = {"Pen", "Line", "Box", "BoxFill", "Circle", "CircleFill", "Bucket"};
        static const char* const arrows[] = {"Left", "Right", "Up", "Down"};
        constexpr ShiftDirection directions[] = {ShiftDirection::Left, ShiftDirection::Right,
                                                 ShiftDirection::Up, ShiftDirection::Down};
        const int kind = Uniform(0, 99);
        if (kind < 60) {
            const QPoint pos = Anywhere("map picture", 40);
            const Qt::MouseButton button = AnyButton();
            if (kind < 20) {
                // The middle button takes the code under it into the palette, when it has a tile.
                const QPoint cell = d_.CellAt(pos);
                const int code = d_.Cell(cell.x(), cell.y());
                if (button == Qt::MiddleButton && code < 128)
                    picked_ = code;
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
                d_.Trigger(QString::fromStdString("Menu" + tool));
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
                kind < 76 ? QStringLiteral("MenuChar%1").arg(Uniform(1, 9))
                          : QStringLiteral("MenuChangeSize") + QLatin1Char("SML"[Uniform(0, 2)]);
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
            d_.Trigger("MenuNewFile");
            what = std::string("new, answering ") + (newAnswer_ ? "OK" : "Cancel");
            return Expect::Cleared;
        }
        d_.Blink();
        what = "blink";
        return Expect::Blinked;
    }

    std::string Step() {
        const MapGrid before = d_.Grid();
        const int tileSetBefore = d_.TileSet();
        std::string what;
        const Expect expect = Act(what);
        recent_.push_back(what);
        if (recent_.size() > 12)
            recent_.pop_front();
        const MapGrid grid = d_.Grid();

        MapGrid expected = before;
        switch (expect) {
        case Expect::Painted:
            for (int i = 0; i < MapCells; ++i)
                if (grid[i] != before[i] && grid[i] != picked_)
                    return "cell " + std::to_string(i) + " holds " + std::to_string(grid[i]) +
                           ", neither its old code nor the picked " + std::to_string(picked_);
            if (grid != before && !d_.Modified())
                return "the map was painted but is not marked modified";
            expected = grid;
            break;
        case Expect::Shifted:
            ShiftMap(expected, shiftDirection_);
            break;
        case Expect::Shaped:
            ShapeMap(expected);
            break;
        case Expect::Unshaped:
            UnshapeMap(expected);
            break;
        case Expect::Cleared:
            if (!wasModified_ || newAnswer_) {
                expected = MapDocument::FilledGrid(NewMapTile);
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
        if (!d_.Checked(QStringLiteral("MenuChar%1").arg(d_.TileSet())))
            return "the tile-set menu does not mark set " + std::to_string(d_.TileSet());
        if (d_.StatusText() != QStringLiteral("X=48, Y=48") && !StatusNamesCells(d_.StatusText()))
            return "the status text reads " + d_.StatusText().toStdString();
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
