#include "StatusNotices.h"

#include <QEvent>

#include <algorithm>

namespace tav {

StatusNotices::StatusNotices(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("noticePanel"));
    setStyleSheet(QStringLiteral("color: #c00000;"));
    hide();
}

void StatusNotices::Show(const QString& key, std::function<QString()> text) {
    Clear(key);
    notices_.emplace_back(key, std::move(text));
    Refresh();
}

void StatusNotices::Clear(const QString& key) {
    std::erase_if(notices_, [&](const auto& notice) { return notice.first == key; });
    Refresh();
}

void StatusNotices::Refresh() {
    QStringList lines;
    QStringList texts;
    for (const auto& [key, text] : notices_) {
        const QString whole = text();
        lines.append(whole.section(QLatin1Char('\n'), 0, 0));
        texts.append(whole);
    }
    setText(lines.join(QStringLiteral("　")));
    setToolTip(texts.join(QStringLiteral("\n\n")));
    setVisible(!notices_.empty());
}

void StatusNotices::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        Refresh();
    QLabel::changeEvent(event);
}

} // namespace tav
