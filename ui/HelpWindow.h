#pragma once
// The help window: how to use the editor, in the editor's language, with the list of every shortcut taken
// from the editor's own commands, so it never falls behind them.

#include <QList>
#include <QWidget>

class QAction;
class QTextBrowser;

namespace tav {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* owner);

    // Fills the text anew, with the shortcuts of `actions` as they are now.
    void ShowHelp(const QList<QAction*>& actions);
    QString Text() const;

protected:
    // A new language rewrites the text, the shortcut captions included.
    void changeEvent(QEvent* event) override;

private:
    void FillText();

    QTextBrowser* browser_;
    QList<QAction*> actions_; // the main window's, which outlive this window
};

// The shortcut table of the help text: one row per action that has a shortcut, caption and keys.
QString ShortcutTable(const QList<QAction*>& actions);

} // namespace tav
