// ファイル → 自動生成…: the dialog's map comes into the editor as a new, unsaved map with the generator's own
// bytes, after the question New asks about an unsaved map.

#include "MapGenerator.h"
#include "MapImage.h"
#include "TestMaps.h"

#include <QAction>
#include <QDialog>

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

TEST_F(EditorUi, GeneratingOverAnUnsavedMapAsksFirstAndCancelKeepsIt) {
    GeneratorParameters parameters;
    parameters.Seed = 27;
    const MapGrid generated = Generated(parameters);
    for (const bool discard : {false, true}) {
        SCOPED_TRACE(discard ? "discarded" : "kept");
        OpenMap("old.map", PlainPaintedGrid(3), 40);
        const MapGrid edited = Paint(5, 5, 100);
        p.Answers.push_back(discard);
        p.DialogAnswers.push_back(Generate(parameters));

        d.Trigger("generateMapAction");

        EXPECT_EQ(p.Messages, std::vector<QString>{DiscardQuestionText});
        EXPECT_EQ(d.Grid(), discard ? generated : edited);
        EXPECT_EQ(d.TileSet(), discard ? 1 : 4);
        EXPECT_EQ(d.FileName(), discard ? QString() : Path("old.map"));
        EXPECT_TRUE(d.Modified());
        EXPECT_EQ(d.Action("undoAction")->isEnabled(), !discard); // the painted cell stays undoable when kept
        EXPECT_TRUE(d.ShowsGrid(d.Grid()));
    }
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
