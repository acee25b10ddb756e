// The map check window and the about box.

#include "FileFixture.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

namespace tav::testing {
namespace {

QStringList ListLines() {
    QStringList lines;
    for (int i = 0; i < MapCheckView->CheckList->count(); ++i)
        lines << MapCheckView->CheckList->item(i)->text();
    return lines;
}

QString Missing(const char* faction) {
    return QString::fromUtf8(faction) + QStringLiteral("の城がありません。");
}

// ---- Map check window ----------------------------------------------------------------------------

TEST_F(FileCommandsTest, CheckWindowStartsMinimisedWithItsPlaceAndListFont) {
    EXPECT_TRUE(MapCheckView->isMinimized());
    EXPECT_EQ(MapCheckView->CheckList->count(), 0);
    EXPECT_EQ(MapCheckView->windowTitle(), QStringLiteral("MapCheck"));
    const Qt::WindowFlags flags = MapCheckView->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(MapCheckView->CheckList->selectionMode(), QAbstractItemView::SingleSelection);
    const QFont font = MapCheckView->CheckList->font();
    EXPECT_EQ(font.family(), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(font.pixelSize(), 12);

    MainView->CheckButton->click(); // a new map: problems, so the window comes up
    EXPECT_FALSE(MapCheckView->isMinimized());
    EXPECT_EQ(MapCheckView->pos(), QPoint(246, 282));
    EXPECT_EQ(ClientSize(MapCheckView), QSize(350, 200));
    EXPECT_EQ(MapCheckView->CheckList->geometry().size(), QSize(350, 200)); // the list fills the client area
    EXPECT_EQ(MapCheckView->CheckList->visualItemRect(MapCheckView->CheckList->item(0)).height(), 12);
}

TEST_F(FileCommandsTest, CheckButtonListsTheReportAndBringsTheWindowUpOnlyForAProblem) {
    struct Case {
        const char* name;
        MapGrid grid;
        int tileSet;
        QStringList lines;
    };
    MapGrid twoOfFactionOne = PlayableGrid();
    twoOfFactionOne[CellIndex(10, 10)] = 21;
    MapGrid sealed = PlayableGrid();
    sealed[CellIndex(18, 12)] = 48;
    const Case cases[] = {
        {"new map", MapDocument::FilledGrid(NewMapTile), 1,
         {QStringLiteral("キャラクタータイプ：ヴェルダ"), Missing("カルドア領(緑)"), Missing("ブレスト領(赤)"),
          Missing("シオネル領(白)"), Missing("ヴォルグ領(黒)")}},
        {"playable", PlayableGrid(), 5, {QStringLiteral("キャラクタータイプ：ラピスト")}},
        {"two castles of faction 1", twoOfFactionOne, 9,
         {QStringLiteral("キャラクタータイプ：ステラン"), Missing("ラッコ隊(緑)"),
          QStringLiteral("キツネ隊(赤)の城が２つ以上存在しています。")}},
        {"sealed gate", sealed, 2,
         {QStringLiteral("キャラクタータイプ：コロネット"), QStringLiteral("(18,10)にあるモルテ食堂(青)の城が封鎖されています。")}},
    };
    for (const Case& c : cases) {
        for (bool startMinimised : {true, false}) {
            SCOPED_TRACE(::testing::Message() << c.name << (startMinimised ? ", minimised" : ", shown"));
            if (startMinimised)
                MapCheckView->showMinimized();
            else
                MainView->MenuShowMapCheckView->trigger();
            MainView->MenuChar[c.tileSet - 1]->trigger();
            Doc().Grid = c.grid;
            Doc().Modified = 1;
            const bool problem = c.lines.size() > 1;

            MainView->CheckButton->click();

            EXPECT_EQ(ListLines(), c.lines);
            // A problem restores and shows the window; a clean map leaves it as it was.
            EXPECT_EQ(MapCheckView->isMinimized(), startMinimised && !problem);
            EXPECT_TRUE(MapCheckView->isVisible());
            EXPECT_EQ(Doc().Grid, c.grid);
            EXPECT_EQ(Doc().Modified, 1);
            EXPECT_TRUE(Platform->Messages.empty());
        }
    }
}

TEST_F(FileCommandsTest, WindowMenuShowsTheLastReportWithoutCheckingAgain) {
    MainView->CheckButtonClick();
    const QStringList report = ListLines();
    ASSERT_EQ(report.size(), 5);
    MapCheckView->showMinimized();
    Doc().Grid = PlayableGrid();
    MainView->MenuShowMapCheckView->trigger();
    EXPECT_FALSE(MapCheckView->isMinimized());
    EXPECT_EQ(ListLines(), report);
}

// ---- About box -----------------------------------------------------------------------------------

TEST_F(FileCommandsTest, AboutBoxHoldsItsTextsPictureAndButtonWhereTheyBelong) {
    EXPECT_EQ(VersionView->windowTitle(), QStringLiteral("Tavrena MapEditor バージョン情報"));
    EXPECT_EQ(VersionView->size(), QSize(496, 327));
    EXPECT_EQ(VersionView->minimumSize(), VersionView->maximumSize()); // not resizable
    EXPECT_FALSE(VersionView->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(VersionView->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(VersionView->palette().color(QPalette::Window), QColor(192, 192, 192));
    EXPECT_EQ(VersionView->font().pixelSize(), 12);
    EXPECT_EQ(VersionView->Panel1->geometry(), QRect(8, 8, 481, 273));
    EXPECT_EQ(VersionView->Panel1->frameShadow(), QFrame::Sunken);

    EXPECT_EQ(VersionView->Image1->parentWidget(), VersionView->Panel1);
    EXPECT_EQ(VersionView->Image1->geometry(), QRect(16, 16, 161, 161));
    const QPixmap picture = VersionView->Image1->pixmap();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(150, 150));
    EXPECT_EQ(picture.toImage(), QImage(QStringLiteral(":/about.png")).convertToFormat(picture.toImage().format()));

    struct Text {
        QRect geometry;
        const char* text; // nullptr: a credit line of free wording
        int pixelSize;
    };
    const Text texts[] = {
        {{200, 24, 172, 35}, "Tav Renna", 27},          {{264, 56, 136, 35}, "Map Editor", 27},
        {{328, 88, 139, 35}, "2nd Edition", 27},        {{224, 128, 224, 35}, "Version Alpha 0.10", 27},
        {{64, 184, 349, 23}, nullptr, 16},              {{188, 202, 154, 23}, nullptr, 16},
        {{116, 220, 263, 23}, nullptr, 16},             {{164, 238, 140, 23}, nullptr, 16},
    };
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i + 1);
        const QLabel* label = VersionView->StaticText[i];
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->objectName(), QStringLiteral("StaticText%1").arg(i + 1));
        EXPECT_EQ(label->parentWidget(), VersionView->Panel1);
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
    EXPECT_EQ(VersionView->Button1->text(), QStringLiteral("OK"));
    EXPECT_EQ(VersionView->Button1->geometry(), QRect(208, 288, 81, 33));
    EXPECT_TRUE(VersionView->Button1->isDefault());
}

// A platform that really shows the about box modally, so that its OK button must end the showing.
class ModalPlatform : public FilePlatform {
public:
    int ExecModal(QDialog* dialog) override {
        ++ModalShows;
        return dialog->exec();
    }
};

TEST(AboutBox, IsCentredOnTheMainWindowAndClosedByOkOrEnterAgainAndAgain) {
    InstallPlatform(std::make_unique<ModalPlatform>());
    CreateEditorWindows();
    MainView->show();
    struct Case {
        QRect mainGeometry;
        bool byEnter;
    };
    const Case cases[] = {{{1, 1, 792, 552}, false}, {{40, 30, 901, 611}, true}, {{5, 7, 1003, 700}, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.byEnter ? "Enter" : "OK");
        MainView->setGeometry(c.mainGeometry);
        bool wasVisible = false;
        QTimer::singleShot(0, [&] {
            wasVisible = VersionView->isVisible() && VersionView->isModal();
            if (c.byEnter)
                QTest::keyClick(VersionView, Qt::Key_Return);
            else
                VersionView->Button1->click();
        });
        MainView->V1->trigger(); // returns only when the box was closed
        EXPECT_TRUE(wasVisible);
        EXPECT_FALSE(VersionView->isVisible());
        EXPECT_EQ(VersionView->result(), QDialog::Accepted);
        const QRect main = MainView->frameGeometry();
        const QRect box = VersionView->frameGeometry();
        EXPECT_EQ(box.left(), main.left() + (main.width() - box.width()) / 2);
        EXPECT_EQ(box.top(), main.top() + (main.height() - box.height()) / 2);
    }
    ASSERT_NE(VersionView, nullptr); // kept for the whole run
    DestroyEditorWindows();
    InstallPlatform(nullptr);
}

} // namespace
} // namespace tav::testing
