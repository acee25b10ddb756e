// ファイル → 自動生成…: the dialog's map comes into the editor as a new, unsaved map with the generator's own
// bytes, after the question New asks about an unsaved map.

#include "MapGenerator.h"
#include "MapImage.h"
#include "TestMaps.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QSet>

#include <functional>

namespace tav::testing {
namespace {

const QString NewCaption = QStringLiteral("MapEditView - New File");

// Fills every field of the generator's dialog, one after another as a user does (each change starts a
// generation and stops the one before).
void Fill(QDialog* dialog, const GeneratorParameters& parameters) {
    EXPECT_TRUE(EditorDriver::SetText(dialog, "seed", QString::number(parameters.Seed)));
    EXPECT_TRUE(EditorDriver::SetField(dialog, "symmetry", static_cast<int>(parameters.Symmetry)));
    for (const GeneratorRange& range : GeneratorRanges) {
        if (range.Field != &GeneratorParameters::TileSet) {
            EXPECT_TRUE(
                EditorDriver::SetField(dialog, QString::fromLatin1(range.Name.data()), parameters.*range.Field));
        }
    }
    EXPECT_TRUE(EditorDriver::SetField(dialog, "tileSet", parameters.TileSet - 1));
}

// Fills the fields and presses OK.
DialogAnswer Generate(const GeneratorParameters& parameters) {
    return [parameters](QDialog* dialog) {
        Fill(dialog, parameters);
        return EditorDriver::EndDialog(dialog, true);
    };
}

MapGrid Generated(const GeneratorParameters& parameters) {
    const GenerationResult result = GenerateMap(parameters);
    return result.Map ? result.Map->Grid : MapGrid{};
}

TEST_F(EditorUi, GeneratedMapIsANewUnsavedMapWithTheGeneratorsBytes) {
    OpenMap("old.map", PlainPaintedGrid(3));
    GeneratorParameters parameters;
    parameters.Seed = 18446744073709551557u; // above what 63 bits hold
    parameters.Symmetry = SymmetryMode::LeftRight;
    parameters.Land = 55;
    parameters.Mountains = 20;
    parameters.Houses = 4;
    parameters.Fields = 3;
    parameters.TileSet = 5;
    const MapGrid expected = Generated(parameters);
    ASSERT_NE(expected, MapGrid{});

    p.DialogAnswers.push_back(Generate(parameters));
    d.Key("Ctrl+Shift+N");

    EXPECT_EQ(p.Dialogs, std::vector<QString>{"mapGeneratorDialog"});
    EXPECT_TRUE(p.Messages.empty()); // the map in the editor was saved
    EXPECT_EQ(d.Grid(), expected);
    EXPECT_EQ(d.TileSet(), 5);
    EXPECT_TRUE(d.Modified());
    EXPECT_EQ(d.MainTitle().count(u'*'), 1);
    EXPECT_EQ(d.EditCaption(), NewCaption);
    EXPECT_EQ(d.FileName(), QString());
    EXPECT_FALSE(d.Action("undoAction")->isEnabled());
    EXPECT_TRUE(d.ShowsGrid(expected));

    // The dialog comes back as it was left: OK alone makes the same map again, after the question about the
    // unsaved one.
    p.Forget();
    p.Answers.push_back(true);
    p.DialogAnswers.push_back(EditorDriver::Answer({}, true));
    d.Trigger("generateMapAction");
    EXPECT_EQ(p.Messages, std::vector<QString>{DiscardQuestionText});
    EXPECT_EQ(d.Grid(), expected);
    EXPECT_TRUE(d.Modified());

    // Saved, it is the file the command-line tool writes for the same seed and parameters.
    p.SaveAnswers.push_back(Path("generated.map"));
    d.Trigger("saveAction");
    const MapImage image = BuildMapImage(expected, TileSet::Lapist);
    EXPECT_EQ(FileBytes(Path("generated.map")),
              QByteArray(reinterpret_cast<const char*>(image.data()), static_cast<qsizetype>(image.size())));
    EXPECT_FALSE(d.Modified());
}

// Mended: Cancel to the question about the unsaved map closed the generator with its fields; it goes back
// to the dialog, whose OK asks again.
TEST_F(EditorUi, GeneratingOverAnUnsavedMapAsksFirstAndCancelGoesBackToTheDialog) {
    GeneratorParameters parameters;
    parameters.Seed = 27;
    const MapGrid generated = Generated(parameters);
    for (const bool discard : {false, true}) {
        SCOPED_TRACE(discard ? "discarded" : "kept");
        OpenMap("old.map", PlainPaintedGrid(3), 40);
        const MapGrid edited = Paint(5, 5, 100);
        p.Answers.push_back(false);
        if (discard)
            p.Answers.push_back(true);
        int firstOk = -1;
        std::size_t askedBeforeCancel = 0;
        p.DialogAnswers.push_back([&](QDialog* dialog) {
            Fill(dialog, parameters);
            firstOk = EditorDriver::EndDialog(dialog, true);
            askedBeforeCancel = p.Messages.size();
            return discard ? EditorDriver::EndDialog(dialog, true) : EditorDriver::EndDialog(dialog, false);
        });

        d.Trigger("generateMapAction");

        EXPECT_EQ(firstOk, QDialog::Rejected) << "the dialog closed on Cancel to the question";
        EXPECT_EQ(askedBeforeCancel, 1u);
        EXPECT_EQ(p.Messages, std::vector<QString>(discard ? 2 : 1, DiscardQuestionText));
        EXPECT_EQ(d.Grid(), discard ? generated : edited);
        EXPECT_EQ(d.TileSet(), discard ? 1 : 4);
        EXPECT_EQ(d.FileName(), discard ? QString() : Path("old.map"));
        EXPECT_TRUE(d.Modified());
        EXPECT_EQ(d.Action("undoAction")->isEnabled(), !discard); // the painted cell stays undoable when kept
        EXPECT_TRUE(d.ShowsGrid(d.Grid()));
    }
}

// Mended: a generated map took the history's clean point away, and an empty history kept it away through the
// next New or Open: the map opened next counted as unsaved and asked before it was discarded.
TEST_F(EditorUi, AMapOpenedOrMadeNewAfterAGeneratedMapIsUnmodified) {
    ASSERT_TRUE(PutFile(Path("next.map"), ImageBytes(PlayableGrid(), 10)));
    const struct {
        const char* name;
        std::function<void()> next;
    } cases[] = {
        {"opened", [&] { d.Open(Path("next.map")); }},
        {"New", [&] { d.Trigger("newMapAction"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        p.DialogAnswers.push_back(Generate(GeneratorParameters{}));
        d.Trigger("generateMapAction");
        ASSERT_TRUE(d.Modified());
        p.Answers.push_back(true); // discard the generated map
        c.next();
        EXPECT_FALSE(d.Modified());
        EXPECT_EQ(d.MainTitle().endsWith(u'*'), false);
        p.Forget();
        d.Trigger("newMapAction"); // asks nothing
        EXPECT_TRUE(p.Messages.empty());
    }
}

// Mended: a number typed past a field's range was cut short while typed (95 showed as 9 %) and put back to
// the last value on leaving the field. It stays as typed, the problem is told and OK waits until it is mended.
TEST_F(EditorUi, ANumberOutsideItsRangeStaysAsTypedAndIsToldUntilCorrected) {
    const struct {
        const char* field;
        int typed;
        QString problem;
    } cases[] = {
        {"land", 95, QStringLiteral("陸は 30 から 90 までです。")},
        {"land", 5, QStringLiteral("陸は 30 から 90 までです。")},
        {"houses", 99, QString()}, // filled in from the range below
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        const GeneratorRange* range = nullptr;
        for (const GeneratorRange& r : GeneratorRanges)
            if (r.Name == c.field)
                range = &r;
        ASSERT_NE(range, nullptr);
        QString expected = c.problem.isEmpty()
                               ? QStringLiteral("家は %1 から %2 までです。").arg(range->Min).arg(range->Max)
                               : c.problem;
        if (c.typed >= range->Min && c.typed <= range->Max)
            FAIL() << "the typed number lies in the range";
        int kept = -1;
        int okWhileWrong = -1;
        QString told;
        p.DialogAnswers.push_back([&](QDialog* dialog) {
            EditorDriver::SetField(dialog, QString::fromLatin1(c.field), c.typed);
            kept = EditorDriver::Field(dialog, QString::fromLatin1(c.field));
            told = EditorDriver::LabelText(dialog, "generatorProblem");
            okWhileWrong = EditorDriver::EndDialog(dialog, true);
            EditorDriver::SetField(dialog, QString::fromLatin1(c.field), range->Min);
            return EditorDriver::EndDialog(dialog, false);
        });
        d.Trigger("generateMapAction");
        EXPECT_EQ(kept, c.typed);
        EXPECT_EQ(told, expected);
        EXPECT_EQ(okWhileWrong, QDialog::Rejected);
    }
}

// The fields' captions carry access keys, so that each is reached from the keyboard.
TEST_F(EditorUi, EveryGeneratorFieldHasAnAccessKey) {
    QStringList captions;
    p.DialogAnswers.push_back([&](QDialog* dialog) {
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            if (label->buddy())
                captions << label->text();
        return EditorDriver::EndDialog(dialog, false);
    });
    d.Trigger("generateMapAction");
    ASSERT_EQ(captions.size(), 10);
    QSet<QChar> keys;
    for (const QString& caption : captions) {
        const qsizetype amp = caption.indexOf(u'&');
        ASSERT_GE(amp, 0) << caption.toStdString();
        keys.insert(caption.at(amp + 1).toUpper());
    }
    EXPECT_EQ(keys.size(), captions.size()) << "two fields share an access key";
}

TEST_F(EditorUi, UnmetFiguresAreNamedAndOkLeavesTheMapAlone) {
    // Seed 19 at the smallest land with everything else at its largest: no sub-seed keeps the forests' share.
    GeneratorParameters parameters;
    parameters.Seed = 19;
    parameters.Land = 30;
    for (const GeneratorRange& range : GeneratorRanges)
        if (range.Field != &GeneratorParameters::Land)
            parameters.*range.Field = range.Max;
    ASSERT_FALSE(GenerateMap(parameters).Map);
    const MapGrid edited = Paint(5, 5, 100);
    QString problem;
    p.DialogAnswers.push_back([&](QDialog* dialog) {
        Fill(dialog, parameters);
        EXPECT_EQ(EditorDriver::EndDialog(dialog, true), QDialog::Rejected);
        problem = EditorDriver::LabelText(dialog, "generatorProblem");
        return EditorDriver::EndDialog(dialog, false);
    });

    d.Trigger("generateMapAction");

    EXPECT_EQ(problem, QStringLiteral("12 通りの試しのどれも「森の割合」を満たしませんでした。別の種を試してください。"));
    EXPECT_TRUE(p.Messages.empty());
    EXPECT_EQ(d.Grid(), edited);
    EXPECT_TRUE(d.Action("undoAction")->isEnabled());
}

} // namespace
} // namespace tav::testing
