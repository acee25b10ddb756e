#pragma once
// The application's style with one saving: the title-bar icons of the windows inside the frame. Qt's style
// reads them from its picture files for every window it makes, which costs each of the editor's windows
// about as much as the rest of its making; they never differ, so they are read once and shared.

#include <QIcon>
#include <QProxyStyle>

#include <map>

namespace tav {

class TitleBarIconStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Wraps a fresh instance of the style the application would use.
    TitleBarIconStyle();

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;

private:
    mutable std::map<StandardPixmap, QIcon> titleBarIcons_;
};

} // namespace tav
