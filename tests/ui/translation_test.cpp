// The editor's two languages: Japanese by default, English when chosen in the preferences, applied at once.

#include "EditorSettings.h"
#include "MapCheck.h"
#include "TestMaps.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>

#include <map>
#include <string_view>

namespace tav::testing {
namespace {

bool HasJapanese(const QString& text) {
    for (const QChar c : text)
        if ((c.unicode() >= 0x3000 && c.unicode() <= 0x9FFF) ||
            (c.unicode() >= 0xFF00 && c.unicode() <= 0xFFEF))
            return true;
    return false;
}

// Settings in a folder of the test's own: the language chosen here never reaches another test program.
class OwnSettings {
public:
    OwnSettings() {
        for (auto format : {QSettings::NativeFormat, QSettings::IniFormat})
            QSettings::setPath(format, QSettings::UserScope, folder_.path());
    }
    ~OwnSettings() {
        const QString shared = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        for (auto format : {QSettings::NativeFormat, QSettings::IniFormat})
            QSettings::setPath(format, QSettings::UserScope, shared);
    }

private:
    QTemporaryDir folder_;
};

class Translation : public ::testing::Test {
protected:
    // 環境設定 as the user does it: the dialog opens modally, the language is picked and OK pressed.
    void ChooseLanguage(const QString& code) {
        bool answered = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            auto* language = dialog->findChild<QComboBox*>(QStringLiteral("language"));
            language->setCurrentIndex(language->findData(code));
            answered = true;
            dialog->accept();
        });
        d.Trigger(QStringLiteral("preferencesAction"));
        ASSERT_TRUE(answered) << "the preferences dialog did not come up";
    }

    // Every text a user reads on the main window's commands: the menus, their items and the tool-bar hints.
    std::map<QString, QString> CommandTexts() const {
        std::map<QString, QString> texts;
        QWidget* main = d.Widget(QStringLiteral("main window"));
        for (QAction* action : main->findChildren<QAction*>(QString(), Qt::FindDirectChildrenOnly))
            if (!action->objectName().isEmpty())
                texts[action->objectName()] = action->text();
        for (QMenu* menu : main->findChildren<QMenu*>())
            if (!menu->objectName().isEmpty())
                texts[QStringLiteral("menu ") + menu->objectName()] = menu->title();
        for (QToolButton* button : main->findChildren<QToolButton*>())
            if (!button->objectName().isEmpty() && !button->toolTip().isNull())
                texts[QStringLiteral("hint ") + button->objectName()] = button->toolTip();
        return texts;
    }

    OwnSettings settings_; // before the editor, which reads them
    EditorDriver d{{.RealModal = true}};
};

TEST_F(Translation, EveryCommandHasAJapaneseAndADifferentEnglishText) {
    const std::map<QString, QString> japanese = CommandTexts();
    ASSERT_GE(japanese.size(), 60u); // the table's items, the tile sets, the menus and the buttons
    ChooseLanguage(QStringLiteral("en"));
    const std::map<QString, QString> english = CommandTexts();
    ASSERT_EQ(english.size(), japanese.size());
    for (const auto& [name, text] : japanese) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(HasJapanese(text)) << text.toStdString();
        const QString translated = english.at(name);
        EXPECT_FALSE(translated.isEmpty());
        EXPECT_FALSE(HasJapanese(translated)) << translated.toStdString();
        EXPECT_NE(translated, text);
    }
}

TEST_F(Translation, PreferencesSwitchTheOpenWindowsAtOnceAndBack) {
    const QStringList japaneseMenus = {QStringLiteral("ファイル(&F)"),     QStringLiteral("編集(&E)"),
                                       QStringLiteral("キャラクター(&C)"), QStringLiteral("ウインドウ(&W)"),
                                       QStringLiteral("オプション(&O)"),   QStringLiteral("ヘルプ(&H)"),
                                       QStringLiteral("バージョン(&V)")};
    const QStringList englishMenus = {QStringLiteral("&File"),     QStringLiteral("&Edit"),
                                      QStringLiteral("&Tile Set"), QStringLiteral("&Window"),
                                      QStringLiteral("&Options"),  QStringLiteral("&Help"),
                                      QStringLiteral("&About")};
    EXPECT_EQ(d.MenuTitles(), japaneseMenus);
    d.Trigger(QStringLiteral("helpAction"));
    auto* help =
        d.Widget(QStringLiteral("main window"))->findChild<QTextBrowser*>(QStringLiteral("helpText"));
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->toPlainText().contains(QStringLiteral("Tavrenna MapEditor の使い方")));

    // Each row: the language chosen, then what the menu bar, an item, a hint, the status bar, the help
    // window and the stored settings say without another step.
    const struct {
        const char* language;
        QStringList menus;
        const char* newItem;
        const char* penHint;
        const char* pickedTile;
        const char* helpHeading;
    } steps[] = {
        {"en", englishMenus, "&New", "Pen", "Picked tile 0x00 plain", "Using Tavrenna MapEditor"},
        {"ja", japaneseMenus, "新規作成(&N)", "ペン", "選択タイル 0x00 平地", "Tavrenna MapEditor の使い方"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.language);
        ChooseLanguage(QString::fromLatin1(step.language));
        EXPECT_EQ(d.MenuTitles(), step.menus);
        EXPECT_EQ(d.Action(QStringLiteral("newMapAction"))->text(), QString::fromUtf8(step.newItem));
        EXPECT_EQ(d.Widget(QStringLiteral("main window"))
                      ->findChild<QToolButton*>(QStringLiteral("penButton"))
                      ->toolTip(),
                  QString::fromUtf8(step.penHint));
        EXPECT_EQ(d.Widget(QStringLiteral("main window"))
                      ->findChild<QLabel*>(QStringLiteral("pickedCodePanel"))
                      ->text(),
                  QString::fromUtf8(step.pickedTile));
        EXPECT_TRUE(help->toPlainText().contains(QString::fromUtf8(step.helpHeading)));
        EXPECT_EQ(EditorSettings::Load().Language, QString::fromLatin1(step.language));
    }
}

// The help has a section for each editing aid: symmetric painting, 対称にする, the generator, the overlay and
// the ruler, in both languages.
TEST_F(Translation, HelpHasASectionForEveryEditingAidInBothLanguages) {
    d.Trigger(QStringLiteral("helpAction"));
    auto* help = d.Widget(QStringLiteral("main window"))->findChild<QTextBrowser*>(QStringLiteral("helpText"));
    ASSERT_NE(help, nullptr);
    const struct {
        const char* language;
        QStringList headings;
    } languages[] = {
        {"ja", {"対称描画", "対称にする", "自動生成", "勢力範囲とバランス", "距離"}},
        {"en", {"Symmetric painting", "Make symmetric", "Generate map", "Territory and balance", "Distance"}},
    };
    for (const auto& l : languages) {
        SCOPED_TRACE(l.language);
        ChooseLanguage(QString::fromLatin1(l.language));
        const QStringList lines = help->toPlainText().split(u'\n');
        for (const QString& heading : l.headings)
            EXPECT_TRUE(lines.contains(heading)) << heading.toStdString();
    }
}

// A map with every kind of finding in tile set 2: a gap in the rim at (5,0), a castle of faction 0 on the rim
// whose gate is sealed, two castles of faction 1, one of them too close to that of faction 0, none of factions
// 2 and 3.
MapGrid EveryFindingGrid() {
    MapGrid grid = FilledGrid(NewMapTile);
    grid[CellIndex(5, 0)] = 0;
    grid[CellIndex(0, 10)] = 20;
    for (const int x : {2, 20}) {
        grid[CellIndex(x, 10)] = 21;
        grid[CellIndex(x, 12)] = 0;
    }
    return grid;
}

// The check list, the faction table and its warnings in both languages; after a switch the open windows say
// what they showed in the new language, without another check.
TEST_F(Translation, CheckReportAndFactionNamesSpeakTheChosenLanguageAndFollowASwitch) {
    const MapGrid grid = EveryFindingGrid();
    d.LoadMap(grid, 2);
    d.ClickButton(QStringLiteral("mapCheckButton"));
    d.Trigger(QStringLiteral("showFactionAnalysisAction"));
    const struct {
        const char* language;
        QStringList check;
        QStringList factions; // the first column
        const char* distanceHeader;
        const char* missing;
    } steps[] = {
        {"ja",
         {"キャラクタータイプ：コロネット", "(5,0) に外周抜けがあります。", "外周(0,10)にピクルス亭(赤)の城があります。",
          "(0,10)にあるピクルス亭(赤)の城が封鎖されています。",
          "(0,10)にあるピクルス亭(赤)の城は(2,10)にあるモルテ食堂(青)の城と近すぎます。", "ガレット市場(黄)の城がありません。",
          "ポタージュ組合(白)の城がありません。", "モルテ食堂(青)の城が２つ以上存在しています。"},
         {"ピクルス亭(赤)", "モルテ食堂(青)", "ガレット市場(黄)", "ポタージュ組合(白)"},
         "ピクルス亭(赤)まで",
         "ガレット市場(黄)の城がありません。\nポタージュ組合(白)の城がありません。"},
        {"en",
         {"Tile set: Coronet", "Gap in the rim at (5,0).", "Pickles Inn (red) has a castle on the rim at (0,10).",
          "The castle of Pickles Inn (red) at (0,10) is sealed.",
          "The castle of Pickles Inn (red) at (0,10) is too close to the castle of Molte Diner (blue) at (2,10).",
          "Galette Market (yellow) has no castle.",
          "Potage Guild (white) has no castle.", "Molte Diner (blue) has two or more castles."},
         {"Pickles Inn (red)", "Molte Diner (blue)", "Galette Market (yellow)", "Potage Guild (white)"},
         "To Pickles Inn (red)",
         "Galette Market (yellow) has no castle.\nPotage Guild (white) has no castle."},
    };
    for (const char* language : {"ja", "en", "ja"}) {
        const auto& step = std::string_view(language) == "ja" ? steps[0] : steps[1];
        SCOPED_TRACE(language);
        ChooseLanguage(QString::fromLatin1(language));
        EXPECT_EQ(d.CheckLines(), step.check);
        for (int faction = 0; faction < 4; ++faction)
            EXPECT_EQ(d.TableRow(QStringLiteral("faction table"), faction).value(0), step.factions[faction]);
        EXPECT_EQ(d.TableHeaders(QStringLiteral("faction table")).value(13), QString::fromUtf8(step.distanceHeader));
        EXPECT_EQ(d.LabelText(QStringLiteral("missing castles")), QString::fromUtf8(step.missing));
    }
    // In Japanese the list is the command-line tool's report, line for line.
    QStringList report;
    for (const std::string& line : CheckMap(grid, TileSet::Coronet).Lines)
        report << QString::fromStdString(line);
    EXPECT_EQ(d.CheckLines(), report);
}

// The file dialog lists type names, sizes and dates in the editor's language, whatever the system's locale.
TEST_F(Translation, FileDialogListsInTheChosenLanguage) {
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("maps")));
    QFile file(folder.filePath(QStringLiteral("notes.zzq")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(QByteArray(100, 'x')), 100);
    ASSERT_TRUE(file.flush()); // before the time is set, which a later write would change
    const QDateTime written(QDate(2021, 3, 4), QTime(17, 6));
    ASSERT_TRUE(file.setFileTime(written, QFileDevice::FileModificationTime));
    file.close();
    const struct {
        const char* language;
        QLocale locale;
        const char* file;
        const char* folder;
    } steps[] = {
        {"en", QLocale(QLocale::English, QLocale::UnitedStates), "File", "Folder"},
        {"ja", QLocale(QLocale::Japanese, QLocale::Japan), "ファイル", "フォルダ"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.language);
        ChooseLanguage(QString::fromLatin1(step.language));
        EXPECT_EQ(EditorDriver::FileDialogRow(folder.path(), QStringLiteral("notes.zzq")),
                  QStringList({QStringLiteral("notes.zzq"), step.locale.formattedDataSize(100),
                               QString::fromUtf8(step.file), step.locale.toString(written, QLocale::ShortFormat)}));
        EXPECT_EQ(EditorDriver::FileDialogRow(folder.path(), QStringLiteral("maps")).value(2),
                  QString::fromUtf8(step.folder));
    }
}

} // namespace
} // namespace tav::testing
