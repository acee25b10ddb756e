// The map check window and the about box.

#include "TestMaps.h"

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace tav::testing {
namespace {

QString Missing(const char* faction) {
    return QString::fromUtf8(faction) + QStringLiteral("の城がありません。");
}

TEST_F(EditorUi, CheckWindowStartsMinimisedAndComesUpWithItsListOnAProblem) {
    EXPECT_TRUE(d.Minimised("check window"));
    EXPECT_TRUE(d.CheckLines().isEmpty());
    const Qt::WindowFlags flags = d.Widget("check window")->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    auto* list = qobject_cast<QListWidget*>(d.Widget("check list"));
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(list->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(list->font().pixelSize(), 12);

    d.ClickButton("mapCheckButton"); // a new map: problems, so the window comes up
    EXPECT_FALSE(d.Minimised("check window"));
    // At (246, 282), moved up as far as the frame needs to show it whole.
    EXPECT_EQ(d.Geometry("check window").left(), 246);
    EXPECT_LE(d.Geometry("check window").top(), 282);
    EXPECT_TRUE(d.Widget("frame")->rect().contains(d.Geometry("check window")));
    EXPECT_EQ(d.ClientSize("check window"), QSize(350, 200));
    EXPECT_EQ(d.Geometry("check list").size(), QSize(350, 200)); // the list fills the client area
    EXPECT_EQ(list->visualItemRect(list->item(0)).height(), 12);
}

TEST_F(EditorUi, CheckButtonListsTheReportAndBringsTheWindowUpOnlyForAProblem) {
    MapGrid twoOfFactionOne = PlayableGrid();
    twoOfFactionOne[CellIndex(10, 10)] = 21;
    MapGrid sealed = PlayableGrid();
    sealed[CellIndex(18, 12)] = 48;
    const struct {
        const char* name;
        MapGrid grid;
        int tileSet;
        QStringList lines;
    } cases[] = {
        {"new map", FilledGrid(NewMapTile), 1,
         {QStringLiteral("キャラクタータイプ：ヴェルダ"), Missing("カルドア領(緑)"), Missing("ブレスト領(赤)"),
          Missing("シオネル領(白)"), Missing("ヴォルグ領(黒)")}},
        {"playable", PlayableGrid(), 5, {QStringLiteral("キャラクタータイプ：ラピスト")}},
        {"two castles of faction 1", twoOfFactionOne, 9,
         {QStringLiteral("キャラクタータイプ：ステラン"), Missing("ラッコ隊(緑)"),
          QStringLiteral("キツネ隊(赤)の城が２つ以上存在しています。")}},
        {"sealed gate", sealed, 2,
         {QStringLiteral("キャラクタータイプ：コロネット"), QStringLiteral("(18,10)にあるモルテ食堂(青)の城が封鎖されています。")}},
    };
    for (const auto& c : cases) {
        for (bool startMinimised : {true, false}) {
            SCOPED_TRACE(::testing::Message() << c.name << (startMinimised ? ", minimised" : ", shown"));
            if (startMinimised)
                d.Widget("check window")->showMinimized();
            else
                d.Trigger("showMapCheckAction");
            d.LoadMap(c.grid, c.tileSet);
            const bool problem = c.lines.size() > 1;

            d.ClickButton("mapCheckButton");

            EXPECT_EQ(d.CheckLines(), c.lines);
            // A problem restores and shows the window; a clean map leaves it as it was.
            EXPECT_EQ(d.Minimised("check window"), startMinimised && !problem);
            EXPECT_TRUE(d.Visible("check window"));
            EXPECT_EQ(d.Grid(), c.grid);
            EXPECT_FALSE(d.Modified());
            EXPECT_TRUE(p.Messages.empty());
        }
    }
}

TEST_F(EditorUi, WindowMenuShowsTheLastReportWithoutCheckingAgain) {
    d.ClickButton("mapCheckButton");
    const QStringList report = d.CheckLines();
    ASSERT_EQ(report.size(), 5);
    d.Widget("check window")->showMinimized();
    d.PickTile(20);
    d.Click(10, 10); // an edit is no new map: the report stays until the next check
    d.Trigger("showMapCheckAction");
    EXPECT_FALSE(d.Minimised("check window"));
    EXPECT_EQ(d.CheckLines(), report);
}

// Mended: a map opened, made new or generated after a check found the last map's findings in the window,
// as if they were its own. The window follows the new map, without coming up for it.
TEST_F(EditorUi, CheckWindowShowsTheNewMapsStateNotTheLastMapsFindings) {
    MapGrid twoOfFactionOne = PlayableGrid();
    twoOfFactionOne[CellIndex(10, 10)] = 21;
    ASSERT_TRUE(PutFile(Path("playable.map"), ImageBytes(PlayableGrid(), 10)));
    const struct {
        const char* name;
        std::function<void()> makeMap;
    } cases[] = {
        {"opened", [&] { d.Open(Path("playable.map")); }},
        {"New", [&] { d.Trigger("newMapAction"); }},
        {"generated", [&] {
             p.DialogAnswers.push_back([](QDialog* dialog) { return EditorDriver::EndDialog(dialog, true); });
             d.Trigger("generateMapAction");
         }},
    };
    for (const auto& c : cases) {
        for (bool minimised : {true, false}) {
            SCOPED_TRACE(::testing::Message() << c.name << (minimised ? ", minimised" : ", shown"));
            d.LoadMap(twoOfFactionOne);
            d.ClickButton("mapCheckButton");
            const QStringList before = d.CheckLines();
            ASSERT_EQ(before.size(), 3);
            if (minimised)
                d.Widget("check window")->showMinimized();
            c.makeMap();
            ASSERT_NE(d.Grid(), twoOfFactionOne);
            EXPECT_EQ(d.Minimised("check window"), minimised);
            const QStringList shown = d.CheckLines();
            EXPECT_NE(shown, before);
            d.ClickButton("mapCheckButton");
            EXPECT_EQ(d.CheckLines(), shown);
        }
    }
}

TEST_F(EditorUi, AboutBoxHoldsItsTextsPictureAndButtonWhereTheyBelong) {
    EXPECT_FALSE(d.Exists("about box")) << "made when first asked for, not at start-up";
    d.Trigger("aboutAction"); // the scripted platform closes it at once
    QWidget* box = d.Widget("about box");
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Tavrena MapEditor バージョン情報"));
    EXPECT_EQ(box->size(), QSize(496, 327));
    EXPECT_EQ(box->minimumSize(), box->maximumSize()); // not resizable
    EXPECT_FALSE(box->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(box->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(box->palette().color(QPalette::Window), QColor(192, 192, 192));
    EXPECT_EQ(box->font().pixelSize(), 12);
    auto* panel = qobject_cast<QFrame*>(d.Widget("about panel"));
    EXPECT_EQ(panel->geometry(), QRect(8, 8, 481, 273));
    EXPECT_EQ(panel->frameShadow(), QFrame::Sunken);

    auto* image = qobject_cast<QLabel*>(d.Widget("about picture"));
    EXPECT_EQ(image->parentWidget(), panel);
    EXPECT_EQ(image->geometry(), QRect(16, 16, 161, 161));
    const QImage picture = image->pixmap().toImage();
    EXPECT_EQ(picture.size(), QSize(150, 150));
    EXPECT_EQ(picture, QImage(QStringLiteral(":/about.png")).convertToFormat(picture.format()));

    const struct {
        const char* name;
        QRect geometry;
        const char* text; // nullptr: a credit line of free wording
        int pixelSize;
    } texts[] = {
        {"nameText", {200, 24, 172, 35}, "Tav Renna", 27},
        {"productText", {264, 56, 136, 35}, "Map Editor", 27},
        {"editionText", {328, 88, 139, 35}, "2nd Edition", 27},
        {"versionText", {224, 128, 224, 35}, "Version Alpha 0.10", 27},
        {"descriptionText", {64, 184, 349, 23}, nullptr, 16},
        {"programCreditText", {188, 202, 154, 23}, nullptr, 16},
        {"artworkCreditText", {116, 220, 263, 23}, nullptr, 16},
        {"thanksText", {164, 238, 140, 23}, nullptr, 16},
    };
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(texts[i].name);
        auto* label = qobject_cast<QLabel*>(d.Widget(QString::fromLatin1(texts[i].name)));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->parentWidget(), panel);
        EXPECT_EQ(label->geometry(), texts[i].geometry);
        if (texts[i].text)
            EXPECT_EQ(label->text(), QString::fromUtf8(texts[i].text));
        else
            EXPECT_FALSE(label->text().isEmpty());
        const QFont font = label->font();
        EXPECT_EQ(font.family(), QStringLiteral("Times New Roman"));
        EXPECT_EQ(font.pixelSize(), texts[i].pixelSize);
        EXPECT_TRUE(font.bold());
        EXPECT_TRUE(font.italic());
        // The line fits its control in the face that stands in for the named one.
        EXPECT_LE(QFontMetrics(font).horizontalAdvance(label->text()), texts[i].geometry.width());
    }
    auto* ok = qobject_cast<QPushButton*>(d.Widget("about OK"));
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_EQ(ok->geometry(), QRect(208, 288, 81, 33));
    EXPECT_TRUE(ok->isDefault());
}

TEST(AboutBox, IsCentredOnTheMainWindowShownModallyAndClosedByOkOrEnterAgainAndAgain) {
    EditorDriver d(EditorOptions{{1024, 768}, true, true});
    const struct {
        QRect mainGeometry;
        bool byEnter;
    } cases[] = {{{1, 1, 792, 552}, false}, {{40, 30, 901, 611}, true}, {{5, 7, 1003, 700}, false}};
    int shows = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.byEnter ? "Enter" : "OK");
        d.Widget("main window")->setGeometry(c.mainGeometry);
        d.Settle();
        bool wasModal = false;
        QTimer::singleShot(0, [&] {
            wasModal = d.Visible("about box") && d.Widget("about box")->isModal();
            if (c.byEnter)
                QTest::keyClick(d.Widget("about box"), Qt::Key_Return);
            else
                QTest::mouseClick(d.Widget("about OK"), Qt::LeftButton);
        });
        d.Trigger("aboutAction"); // returns only when the box was closed
        EXPECT_EQ(d.platform().ModalShows, ++shows);
        EXPECT_TRUE(wasModal);
        EXPECT_FALSE(d.Visible("about box"));
        EXPECT_EQ(qobject_cast<QDialog*>(d.Widget("about box"))->result(), QDialog::Accepted);
        const QRect main = d.FrameGeometry("main window");
        const QRect box = d.FrameGeometry("about box");
        EXPECT_EQ(box.left(), main.left() + (main.width() - box.width()) / 2);
        EXPECT_EQ(box.top(), main.top() + (main.height() - box.height()) / 2);
    }
}

} // namespace
} // namespace tav::testing
