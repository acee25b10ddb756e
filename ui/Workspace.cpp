#include "Workspace.h"

#include "Platform.h"
#include "SettingsStore.h"

#include <QEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>

namespace tav {

namespace {

const QString MainPlaceKey = QStringLiteral("Workspace/MainWindow");
const QString MainMaximisedKey = QStringLiteral("Workspace/MainWindowMaximised");

QString PlaceKey(const QString& key) {
    return QStringLiteral("Workspace/") + key;
}

// `place` moved as little as needed to lie inside `area`, as far as it fits.
QRect Inside(const QRect& area, QRect place) {
    place.moveLeft(std::max(area.left(), std::min(place.left(), area.right() + 1 - place.width())));
    place.moveTop(std::max(area.top(), std::min(place.top(), area.bottom() + 1 - place.height())));
    return place;
}

bool InNormalState(const QWidget* window) {
    return window->isVisible() && !window->isMinimized() && !window->isMaximized();
}

} // namespace

QRect PlaceBesideEditWindow(const QRect& frame, const QRect& edit, const QRect& palette, const QRect& place) {
    if (!place.intersects(edit))
        return place;
    const QRect candidates[] = {
        Inside(frame, QRect(QPoint(std::max(edit.right(), palette.right()) + 1, place.top()), place.size())),
        Inside(frame, QRect(QPoint(place.left(), edit.bottom() + 1), place.size())),
    };
    for (const QRect& beside : candidates)
        if (frame.contains(beside) && !beside.intersects(edit) && !beside.intersects(palette))
            return beside;
    return place;
}

Workspace::Workspace(QMainWindow* main, QMdiArea* frame, QWidget* editWindow, QWidget* palette)
    : QObject(main), main_(main), frame_(frame), editWindow_(editWindow), palette_(palette) {}

void Workspace::PlaceMainWindow() {
    const QRect available = CurrentPlatform().AvailableGeometry();
    const std::unique_ptr<QSettings> settings = OpenSettings();
    const QRect remembered = settings->value(MainPlaceKey).toRect();
    if (remembered.isValid() && remembered.intersects(available)) {
        main_->setGeometry(remembered);
        if (settings->value(MainMaximisedKey).toBool())
            main_->setWindowState(main_->windowState() | Qt::WindowMaximized);
        return;
    }
    main_->setGeometry(available);
    // The frame is known once the window is shown; then the whole window, frame included, is fitted in.
    fitFrame_ = true;
    main_->installEventFilter(this);
}

void Workspace::Follow(QWidget* window, const QString& key) {
    Followed& followed = followed_[window];
    followed.Key = key;
    window->installEventFilter(this);
    connect(window, &QObject::destroyed, this, [this, window] { followed_.remove(window); });
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window))
        // Restored by its own title-bar button, a window takes its old place only after this announcement.
        connect(sub, &QMdiSubWindow::windowStateChanged, this, [this, sub] { CameUp(sub); },
                Qt::QueuedConnection);

    const QRect remembered = OpenSettings()->value(PlaceKey(key)).toRect();
    if (!remembered.isValid())
        return;
    auto* sub = qobject_cast<QMdiSubWindow*>(window);
    if (!sub) {
        // A window of its own comes back only where the screen shows it.
        if (remembered.intersects(CurrentPlatform().AvailableGeometry()))
            window->setGeometry(remembered);
        return;
    }
    // A minimised window keeps its icon where it is; the place is the one it is restored to.
    const bool minimised = sub->isMinimized();
    if (minimised)
        sub->showNormal();
    sub->resize(remembered.size());
    sub->move(Inside(frame_->viewport()->rect(), QRect(remembered.topLeft(), sub->size())).topLeft());
    if (minimised)
        sub->showMinimized();
    followed.RuleDue = true;
    CameUp(sub);
}

void Workspace::CameUp(QWidget* window) {
    const auto found = followed_.find(window);
    if (found == followed_.end() || !found->RuleDue || !InNormalState(window))
        return;
    found->RuleDue = false;
    window->setGeometry(PlaceBesideEditWindow(frame_->viewport()->rect(), editWindow_->geometry(),
                                              palette_->geometry(), window->geometry()));
}

bool Workspace::eventFilter(QObject* watched, QEvent* event) {
    if (watched == main_ && event->type() == QEvent::Show && fitFrame_) {
        fitFrame_ = false;
        const QRect available = CurrentPlatform().AvailableGeometry();
        const QMargins frame(main_->geometry().left() - main_->frameGeometry().left(),
                             main_->geometry().top() - main_->frameGeometry().top(),
                             main_->frameGeometry().right() - main_->geometry().right(),
                             main_->frameGeometry().bottom() - main_->geometry().bottom());
        main_->setGeometry(available.marginsRemoved(frame));
    }
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize) {
        auto* window = static_cast<QWidget*>(watched);
        const auto found = followed_.find(window);
        if (found != followed_.end() && InNormalState(window))
            found->NormalPlace = window->isWindow() ? window->normalGeometry() : window->geometry();
    }
    return QObject::eventFilter(watched, event);
}

void Workspace::Save() const {
    const std::unique_ptr<QSettings> settings = OpenSettings();
    settings->setValue(MainPlaceKey, main_->normalGeometry());
    settings->setValue(MainMaximisedKey, main_->isMaximized());
    // A window that never stood in normal state this run keeps the place remembered before.
    for (const Followed& followed : followed_)
        if (followed.NormalPlace.isValid())
            settings->setValue(PlaceKey(followed.Key), followed.NormalPlace);
}

} // namespace tav
