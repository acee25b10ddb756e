#pragma once
// What the editor's session has to tell the user without a box, because no command of the user's is waiting
// for it: a settings file or a recovery folder it cannot use. Each notice stands at the right of the status bar
// (its first line; the whole text as the tip) in the editor's language until its cause is gone.

#include <QLabel>
#include <QString>

#include <functional>
#include <utility>
#include <vector>

namespace tav {

class StatusNotices : public QLabel {
    Q_OBJECT
public:
    explicit StatusNotices(QWidget* parent);

    // Shows the notice `key`, replacing an earlier one of that key; `text` is asked again when the language
    // changes.
    void Show(const QString& key, std::function<QString()> text);
    void Clear(const QString& key);

protected:
    void changeEvent(QEvent* event) override;

private:
    void Refresh();

    std::vector<std::pair<QString, std::function<QString()>>> notices_;
};

} // namespace tav
