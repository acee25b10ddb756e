// The recovery copies as the user meets them: taken at the interval 環境設定 sets (自動保存の間隔), none with
// しない, and whatever keeps them from being written told in the status bar and beside the interval.

#include "TestMaps.h"

#include <QSettings>

#include <functional>
#include <string_view>

#include <unistd.h>

namespace tav::testing {
namespace {

// The interval field's items: しない, 30 秒, then 1, 2, 5, 10, 15, 30 and 60 分.
constexpr int Never = 0;
constexpr int HalfAMinute = 1;
constexpr int MinuteItems[] = {1, 2, 5, 10, 15, 30, 60};
constexpr int Minutes(int minutes) {
    for (int i = 0; i < static_cast<int>(std::size(MinuteItems)); ++i)
        if (MinuteItems[i] == minutes)
            return 2 + i;
    return -1;
}

MapGrid PaintCell(EditorDriver& d, int x, int code) {
    d.PickTile(code);
    d.Click(x, 0);
    return d.Grid();
}

// Mended: the interval was stored and shown, but copies were taken every 30 seconds whatever was chosen.
TEST(Recovery, CopiesAreTakenAtTheIntervalChosenInThePreferencesAndNeverWithShinai) {
    EditorDriver d(EditorOptions{.Session = true});
    // Minutes stored before the interval took effect (here: never) start the next run at 30 seconds.
    QSettings(QStringLiteral("Tavrenna"), QStringLiteral("Tavrenna MapEditor"))
        .setValue(QStringLiteral("Editor/AutosaveMinutes"), 0);
    d.Restart();
    const struct {
        const char* name;
        std::optional<int> choice; // the interval field's item, set in the dialog
        bool confirmed;
        int interval; // in ms, the one the copies then follow; 0: none
    } steps[] = {
        {"as stored before", std::nullopt, false, 30'000},
        {"1 分", Minutes(1), true, 60'000},
        {"5 分, cancelled", Minutes(5), false, 60'000},
        {"しない", Never, true, 0},
        {"30 秒", HalfAMinute, true, 30'000},
        {"60 分", Minutes(60), true, 3'600'000},
    };
    int x = 0;
    for (const auto& s : steps) {
        SCOPED_TRACE(s.name);
        const std::vector<MapGrid> before = d.RecoveryCopies();
        if (s.choice) {
            d.platform().DialogAnswers.push_back(EditorDriver::Answer({{"autosaveInterval", *s.choice}}, s.confirmed));
            d.Trigger("preferencesAction");
        }
        if (s.interval == 0) {
            EXPECT_TRUE(d.RecoveryCopies().empty()) << "しない keeps this run's copy";
            PaintCell(d, x++, 1);
            d.ElapseRecoveryTime(24 * 3'600'000);
            EXPECT_TRUE(d.RecoveryCopies().empty());
            continue;
        }
        if (!s.confirmed) {
            EXPECT_EQ(d.RecoveryCopies(), before);
        }
        // A quiet spell of whole intervals: the first change after it is kept at once, later ones at the next tick.
        d.ElapseRecoveryTime(2 * 3'600'000);
        const MapGrid first = PaintCell(d, x++, 2);
        EXPECT_EQ(d.RecoveryCopies(), std::vector<MapGrid>{first});
        const MapGrid second = PaintCell(d, x++, 3);
        d.ElapseRecoveryTime(s.interval - 1);
        EXPECT_EQ(d.RecoveryCopies(), std::vector<MapGrid>{first}) << "a copy before the interval was over";
        d.ElapseRecoveryTime(1);
        EXPECT_EQ(d.RecoveryCopies(), std::vector<MapGrid>{second}) << "no copy when the interval was over";
    }
}

// Mended: the interval was a list of 62 items that filled the screen. It is a short one; an interval stored
// by an earlier run between its items is offered in its place and kept by OK.
TEST(Recovery, TheIntervalListIsShortAndKeepsAStoredIntervalBetweenItsItems) {
    EditorDriver d;
    const struct {
        int stored; // seconds
        int item;   // the item it is shown as
        int items;  // in the list
    } cases[] = {{30, HalfAMinute, 9}, {600, Minutes(10), 9}, {420, Minutes(5) + 1, 10}, {3600, Minutes(60), 9}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        QSettings(QStringLiteral("Tavrenna"), QStringLiteral("Tavrenna MapEditor"))
            .setValue(QStringLiteral("Editor/AutosaveSeconds"), c.stored);
        d.Restart();
        int shown = -1;
        int count = 0;
        d.platform().DialogAnswers.push_back([&](QDialog* dialog) {
            shown = EditorDriver::Field(dialog, QStringLiteral("autosaveInterval"));
            // The last item there is, and none past it.
            for (count = 0; EditorDriver::SetField(dialog, QStringLiteral("autosaveInterval"), count) &&
                            EditorDriver::Field(dialog, QStringLiteral("autosaveInterval")) == count;
                 ++count) {
            }
            EditorDriver::SetField(dialog, QStringLiteral("autosaveInterval"), shown);
            return EditorDriver::EndDialog(dialog, true);
        });
        d.Trigger("preferencesAction");
        EXPECT_EQ(shown, c.item);
        EXPECT_EQ(count, c.items);
        EXPECT_EQ(QSettings(QStringLiteral("Tavrenna"), QStringLiteral("Tavrenna MapEditor"))
                      .value(QStringLiteral("Editor/AutosaveSeconds"), c.stored)
                      .toInt(),
                  c.stored);
    }
}

// The note the preferences show beside the interval; empty without one.
QString AutosaveNote(EditorDriver& d) {
    QString note;
    d.platform().DialogAnswers.push_back([&](QDialog* dialog) {
        note = EditorDriver::LabelText(dialog, QStringLiteral("autosaveNote"));
        return EditorDriver::EndDialog(dialog, false);
    });
    d.Trigger("preferencesAction");
    return note;
}

// Mended: a folder that could not be written was told only on standard error, and the user believed the map
// was kept.
TEST(Recovery, AFolderThatCannotBeWrittenIsToldOnceInTheStatusBarAndBesideTheInterval) {
    const struct {
        const char* name;
        std::function<void(const QString& folder)> spoil;
        std::function<void(const QString& folder)> mend;
    } cases[] = {
        {"a file where the folder goes", [](const QString& folder) { PutFile(folder, "not a folder"); },
         [](const QString& folder) { QFile::remove(folder); }},
        {"a folder nobody may write",
         [](const QString& folder) {
             QDir().mkpath(folder);
             QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
         },
         [](const QString& folder) {
             QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (std::string_view(c.name) == "a folder nobody may write" && ::geteuid() == 0)
            continue; // root writes there all the same
        EditorDriver d(EditorOptions{.Session = true});
        c.spoil(d.RecoveryFolder());
        const QString told = QStringLiteral("復元用のコピーを保存できません");
        for (int i = 0; i < 3; ++i) {
            PaintCell(d, i, 5);
            d.ElapseRecoveryTime(30'000);
        }
        EXPECT_EQ(d.LabelText("status notice").count(told), 1) << d.LabelText("status notice").toStdString();
        EXPECT_TRUE(AutosaveNote(d).startsWith(told));
        EXPECT_TRUE(d.platform().Messages.empty());
        EXPECT_TRUE(d.platform().Errors.empty());
        // Once a copy can be written again, both say nothing more.
        c.mend(d.RecoveryFolder());
        const MapGrid kept = PaintCell(d, 9, 6);
        d.ElapseRecoveryTime(30'000);
        EXPECT_EQ(d.RecoveryCopies(), std::vector<MapGrid>{kept});
        EXPECT_FALSE(d.LabelText("status notice").contains(told));
        EXPECT_TRUE(AutosaveNote(d).isEmpty());
    }
}

} // namespace
} // namespace tav::testing
