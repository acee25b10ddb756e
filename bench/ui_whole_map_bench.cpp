// Every action of the editor that may change the whole map, at 32-pixel tiles, through the same paths a user's
// menu item, key or click takes: the command, the document's announcement and the redraw of every view.
// Each is timed apart from what brings the editor to it (undoing the last try, the floating block's start),
// and so are its undo and redo. The summary at the end of the run gives each one's ratio to the memcpy of the
// 32-pixel map picture's bytes, measured in the same run:
//
//   ui_bench --benchmark_filter='Memcpy|WholeMap'

#include "BenchEditor.h"
#include "CellCommands.h"
#include "CodeReplaceDialog.h"
#include "Document.h"
#include "MainWindow.h"
#include "MapCommands.h"
#include "MapEditView.h"
#include "Shaping.h"

#include <QAction>
#include <QApplication>
#include <QUndoStack>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <time.h>

namespace {

// The main thread's CPU time: on a machine shared with other work the system may set the editor aside in the
// middle of an action, which a wall clock would count against it but not against a short memcpy. Every
// action runs on the main thread.
struct ThreadCpuClock {
    using duration = std::chrono::nanoseconds;
    using rep = duration::rep;
    using period = duration::period;
    using time_point = std::chrono::time_point<ThreadCpuClock>;
    static constexpr bool is_steady = true;
    static time_point now() {
        timespec spent{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &spent);
        return time_point(duration(static_cast<rep>(spent.tv_sec) * 1'000'000'000 + spent.tv_nsec));
    }
};
using Clock = ThreadCpuClock;
using tav::bench::BenchEditor;

// The replace and exchange dialogs answered at once with two codes; the time the dialog closed is kept, so that
// the command is timed from the user's OK on.
class AnsweringPlatform : public tav::bench::QuietPlatform {
public:
    int CodeA = 1;
    int CodeB = 2;
    Clock::time_point Answered{};
    int ExecModal(QDialog* dialog) override {
        if (auto* replace = qobject_cast<tav::CodeReplaceDialog*>(dialog)) {
            replace->SetCodes(CodeA, CodeB);
            Answered = Clock::now();
            return QDialog::Accepted;
        }
        return QDialog::Rejected;
    }
};

// A map of many terrains in patches, as drawn maps are: shaping and unshaping change much of it.
tav::MapGrid PatchyGrid(unsigned seed) {
    std::mt19937 random(seed);
    tav::MapGrid grid{};
    for (int x = 0; x < tav::MapSize; ++x)
        for (int y = 0; y < tav::MapSize; ++y) {
            const int patch = ((x / 4) * 7 + (y / 3) * 5 + static_cast<int>(random() % 3)) % 16;
            grid[static_cast<std::size_t>(tav::CellIndex(x, y))] = static_cast<tav::TileCode>(patch * 8);
        }
    return grid;
}

tav::MapGrid Checkerboard(tav::TileCode a, tav::TileCode b) {
    tav::MapGrid grid{};
    for (int x = 0; x < tav::MapSize; ++x)
        for (int y = 0; y < tav::MapSize; ++y)
            grid[static_cast<std::size_t>(tav::CellIndex(x, y))] = (x + y) % 2 ? a : b;
    return grid;
}

struct Session {
    AnsweringPlatform* platform = nullptr;
    std::unique_ptr<BenchEditor> editor;

    Session() {
        auto answering = std::make_unique<AnsweringPlatform>();
        platform = answering.get();
        editor = std::make_unique<BenchEditor>(32, std::move(answering));
    }
    tav::Document* Map() const { return editor->window->Map(); }
    tav::MapEditView* View() const { return editor->view; }
    void Trigger(const char* action) const {
        editor->window->findChild<QAction*>(QString::fromLatin1(action))->trigger();
    }
    void Start(const tav::MapGrid& grid, tav::TileSet set = tav::TileSet::Verda) const {
        Map()->Reset(grid, set, QString(), QString());
        QApplication::processEvents();
    }
    void Undo() const { Map()->UndoStack()->undo(); }
    void Redo() const { Map()->UndoStack()->redo(); }
};

// One whole-map action: what makes the editor ready (once), and the action itself, which returns the time
// its own part began (the moment of the click or key; later when a dialog is answered first).
struct WholeMapAction {
    const char* Name;
    std::function<void(Session&)> Prepare;
    std::function<void(Session&)> BeforeEach; // untimed: what the user does before the action (a selection)
    std::function<Clock::time_point(Session&)> Act;
};

Clock::time_point Now() {
    return Clock::now();
}

double Seconds(Clock::time_point begin, Clock::time_point end) {
    return std::chrono::duration<double>(end - begin).count();
}

double Median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::nth_element(values.begin(), values.begin() + std::ssize(values) / 2, values.end());
    return values[values.size() / 2];
}

// The floor measured beside each action: after every timed step one memcpy of the 32-pixel map picture's bytes
// is timed on its own, by the same clock. On a machine shared with other work the two then see the same load,
// and the ratio of their medians says how far the action is above the floor at that moment.
class FloorBeside {
public:
    void Time(benchmark::State& state, double seconds) {
        state.SetIterationTime(seconds);
        actions_.push_back(seconds);
        static std::vector<unsigned char> from(LargeMapBytes, 1), to(LargeMapBytes, 2);
        const auto begin = Now();
        std::memcpy(to.data(), from.data(), LargeMapBytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
        floors_.push_back(Seconds(begin, Now()));
        from[0] ^= 1;
    }
    void Report(benchmark::State& state) const {
        const double floor = Median(floors_);
        state.counters["floor_ms"] = floor * 1e3;
        state.counters["x_floor"] = floor > 0 ? Median(actions_) / floor : 0;
    }

private:
    static constexpr std::size_t LargeMapBytes = 1536u * 1536u * 4u;
    std::vector<double> actions_;
    std::vector<double> floors_;
};

const std::vector<WholeMapAction>& Actions() {
    static const std::vector<WholeMapAction> actions = {
        {"Paste48x48Block",
         [](Session& s) { s.Start(PatchyGrid(1)); },
         [](Session& s) { s.View()->StartPaste(tav::CopyBlock(PatchyGrid(2), tav::WholeMap)); },
         [](Session& s) {
             const auto begin = Now();
             const QPoint at = s.editor->CellPixel({0, 0});
             s.editor->Mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
             s.editor->Mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
             return begin;
         }},
        {"MoveWholeSelection",
         [](Session& s) { s.Start(PatchyGrid(3)); },
         [](Session& s) { s.View()->SetSelection(tav::WholeMap); },
         [](Session& s) {
             const auto begin = Now();
             s.View()->MoveSelection(1, 1);
             return begin;
         }},
        {"CutWholeSelection",
         [](Session& s) { s.Start(PatchyGrid(4)); },
         [](Session& s) { s.View()->SetSelection(tav::WholeMap); },
         [](Session& s) {
             const auto begin = Now();
             s.Trigger("cutAction");
             return begin;
         }},
        {"ReplaceOverWholeMap",
         [](Session& s) {
             s.Start(tav::FilledGrid(1));
             s.platform->CodeA = 1;
             s.platform->CodeB = 2;
         },
         nullptr,
         [](Session& s) {
             s.editor->window->MapEdits()->ReplaceCodes();
             return s.platform->Answered;
         }},
        {"ExchangeOverWholeMap",
         [](Session& s) {
             s.Start(Checkerboard(1, 2));
             s.platform->CodeA = 1;
             s.platform->CodeB = 2;
         },
         nullptr,
         [](Session& s) {
             s.editor->window->MapEdits()->ExchangeCodes();
             return s.platform->Answered;
         }},
        {"ShapeWithRedraw",
         [](Session& s) { s.Start(PatchyGrid(5)); },
         nullptr,
         [](Session& s) {
             const auto begin = Now();
             s.Trigger("shapeAction");
             return begin;
         }},
        {"Unshape",
         [](Session& s) {
             tav::MapGrid shaped = PatchyGrid(6);
             tav::ShapeMap(shaped);
             s.Start(shaped);
         },
         nullptr,
         [](Session& s) {
             const auto begin = Now();
             s.Trigger("unshapeAction");
             return begin;
         }},
        {"ShiftDown",
         [](Session& s) { s.Start(PatchyGrid(7)); },
         nullptr,
         [](Session& s) {
             const auto begin = Now();
             s.Trigger("shiftDownAction");
             return begin;
         }},
        {"SymmetrizeQuarter",
         [](Session& s) {
             // Without castles: a castle left out would bring up a message.
             tav::MapGrid grid = PatchyGrid(9);
             for (tav::TileCode& code : grid)
                 if (tav::IsCastle(code))
                     code = 0;
             s.Start(grid);
             s.Map()->SetSymmetry(tav::SymmetryMode::Quarter);
         },
         nullptr,
         [](Session& s) {
             const auto begin = Now();
             s.editor->window->MapEdits()->SymmetrizeMapFrom(tav::SymmetrySource::TopLeft);
             return begin;
         }},
        {"TileSetSwitchWarm",
         [](Session& s) {
             s.Start(PatchyGrid(8));
             // Every set once, so that none is new to the editor.
             for (const tav::TileSetInfo& set : tav::TileSets)
                 s.Trigger(set.ActionName);
             s.Trigger(tav::InfoOf(tav::TileSet::Verda).ActionName);
             s.Map()->UndoStack()->clear();
         },
         nullptr,
         [](Session& s) {
             const auto begin = Now();
             s.Trigger(tav::InfoOf(tav::TileSet::Coronet).ActionName);
             return begin;
         }},
    };
    return actions;
}

enum class Step { Do, Undo, Redo };

// Times one step of `action` per iteration; the other steps bring the editor back to where the step starts.
void TimeStep(benchmark::State& state, const WholeMapAction& action, Step step) {
    Session s;
    action.Prepare(s);
    auto act = [&] {
        if (action.BeforeEach)
            action.BeforeEach(s);
        QApplication::processEvents();
        return action.Act(s);
    };
    auto settle = [] { QApplication::processEvents(); };
    const int before = s.Map()->UndoStack()->count();
    if (step != Step::Do) {
        act();
        if (s.Map()->UndoStack()->count() == before) {
            state.SkipWithError("the action changed nothing");
            return;
        }
    }
    int changedCells = -1;
    FloorBeside floor;
    for (auto _ : state) {
        const tav::MapGrid start = s.Map()->Grid();
        Clock::time_point begin;
        switch (step) {
        case Step::Do:
            settle();
            begin = act();
            break;
        case Step::Undo:
            settle();
            begin = Now();
            s.Undo();
            break;
        case Step::Redo:
            settle();
            begin = Now();
            s.Redo();
            break;
        }
        floor.Time(state, Seconds(begin, Now()));
        if (changedCells < 0)
            changedCells = static_cast<int>(s.Map()->ChangesTo(start).size());
        // Back to the start of the step, untimed.
        if (step == Step::Do) {
            if (s.Map()->UndoStack()->count() == before) {
                state.SkipWithError("the action changed nothing");
                return;
            }
            s.Undo();
        } else if (step == Step::Undo) {
            s.Redo();
        } else {
            s.Undo();
        }
    }
    state.counters["cells"] = changedCells;
    floor.Report(state);
}

// The scale switch: from 16-pixel tiles to 32, as the tool bar's button does it.
void BM_WholeMapScaleSwitchTo32(benchmark::State& state) {
    Session s;
    s.Start(PatchyGrid(9));
    FloorBeside floor;
    for (auto _ : state) {
        s.Trigger("edge16Action");
        QApplication::processEvents();
        const auto begin = Now();
        s.Trigger("edge32Action");
        floor.Time(state, Seconds(begin, Now()));
    }
    floor.Report(state);
}
BENCHMARK(BM_WholeMapScaleSwitchTo32)->UseManualTime()->Unit(benchmark::kMillisecond);

// The redraw of the whole map in every view, as after a change of most cells.
void BM_WholeMapRedraw(benchmark::State& state) {
    Session s;
    s.Start(PatchyGrid(10));
    FloorBeside floor;
    for (auto _ : state) {
        QApplication::processEvents();
        const auto begin = Now();
        emit s.Map()->MapChanged();
        floor.Time(state, Seconds(begin, Now()));
    }
    floor.Report(state);
}
BENCHMARK(BM_WholeMapRedraw)->UseManualTime()->Unit(benchmark::kMillisecond);

// The first switch to each set other than the one the editor starts with, in a fresh editor each time.
void BM_WholeMapTileSetSwitchFirst(benchmark::State& state) {
    int next = 1;
    FloorBeside floor;
    for (auto _ : state) {
        state.PauseTiming();
        Session s;
        s.Start(PatchyGrid(11));
        const tav::TileSetInfo& set = tav::TileSets[static_cast<std::size_t>(next)];
        next = next % (static_cast<int>(tav::TileSets.size()) - 1) + 1;
        state.ResumeTiming();
        const auto begin = Now();
        s.Trigger(set.ActionName);
        floor.Time(state, Seconds(begin, Now()));
    }
    floor.Report(state);
}
BENCHMARK(BM_WholeMapTileSetSwitchFirst)->UseManualTime()->Iterations(16)->Unit(benchmark::kMillisecond);

const bool registered = [] {
    for (const WholeMapAction& action : Actions())
        for (const auto& [step, suffix] : {std::pair{Step::Do, ""}, std::pair{Step::Undo, "/Undo"},
                                           std::pair{Step::Redo, "/Redo"}})
            benchmark::RegisterBenchmark((std::string("BM_WholeMap") + action.Name + suffix).c_str(),
                                         [&action, step = step](benchmark::State& state) {
                                             TimeStep(state, action, step);
                                         })
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace
