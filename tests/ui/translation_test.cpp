// The editor's two languages: Japanese by default, English when chosen in the preferences, applied at once.

#include "EditorSettings.h"
#include "TestMaps.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>

#include <map>

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

} // namespace
} // namespace tav::testing
