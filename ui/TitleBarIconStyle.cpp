#include "TitleBarIconStyle.h"

#include <QApplication>
#include <QStyleFactory>

namespace tav {

TitleBarIconStyle::TitleBarIconStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

QIcon TitleBarIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const {
    switch (icon) {
    case SP_TitleBarMenuButton:
    case SP_TitleBarMinButton:
    case SP_TitleBarMaxButton:
    case SP_TitleBarCloseButton:
    case SP_TitleBarNormalButton:
    case SP_TitleBarShadeButton:
    case SP_TitleBarUnshadeButton:
    case SP_TitleBarContextHelpButton:
        if (option == nullptr) {
            auto found = titleBarIcons_.find(icon);
            if (found == titleBarIcons_.end())
                found = titleBarIcons_.emplace(icon, QProxyStyle::standardIcon(icon, option, widget)).first;
            return found->second;
        }
        break;
    default:
        break;
    }
    return QProxyStyle::standardIcon(icon, option, widget);
}

} // namespace tav
