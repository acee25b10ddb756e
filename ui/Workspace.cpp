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

QRect FitOnScreen(const QRect& available, const QMargins& frame, const QRect& place) {
    // A frame larger than the screen (no window manager would draw one) leaves the screen itself.
    QRect inner = available.marginsRemoved(frame);
    if (inner.isEmpty())
        inner = available;
    // Worked out from the stored numbers, whatever they are, without a rectangle reaching past the int range.
    const QSize size = place.size().boundedTo(inner.size()).expandedTo(QSize(1, 1));
    const int x = std::clamp(place.left(), inner.left(), inner.right() + 1 - size.width());
    const int y = std::clamp(place.top(), inner.top(), inner.bottom() + 1 - size.height());
    return {QPoint(x, y), size};
}

QRect FirstMainWindowPlace(const QRect& available, const QMargins& frame) {
    const QSize outer(available.width() * 9 / 10, available.height() * 9 / 10);
    const QRect outerPlace(available.left() + (available.width() - outer.width()) / 2,
                           available.top() + (available.height() - outer.height()) / 2, outer.width(), outer.height());
    return FitOnScreen(available, frame, outerPlace.marginsRemoved(frame));
}

QRect FirstPlaceBesideMainWindow(const QRect& available, const QMargins& frame, const QRect& main, int belowToolBar,
                                 QSize size) {
    const QRect inner = available.marginsRemoved(frame);
    const QSize fitted = size.boundedTo(inner.size());
    const int outerWidth = fitted.width() + frame.left() + frame.right();
    const QRect candidates[] = {
        QRect(QPoint(main.right() + 1 + frame.left(), main.top() + frame.top()), fitted),
        QRect(QPoint(main.left() - outerWidth + frame.left(), main.top() + frame.top()), fitted),
    };
    for (const QRect& beside : candidates)
        if (inner.contains(beside))
            return beside;
    return FitOnScreen(available, frame,
                       QRect(QPoint(main.right() - outerWidth + 1 + frame.left(), belowToolBar + frame.top()), fitted));
}

QMargins FrameMargins(const QWidget* window) {
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

Workspace::Workspace(QMainWindow* main, QMdiArea* frame, QWidget* editWindow, QWidget* palette)
    : QObject(main), main_(main), frame_(frame), editWindow_(editWindow), palette_(palette) {}

void Workspace::PlaceMainWindow() {
    const QRect available = CurrentPlatform().AvailableGeometry();
    const std::unique_ptr<QSettings> settings = OpenSettings();
    const QRect remembered = settings->value(MainPlaceKey).toRect();
    // The frame is known once the window is shown; then the whole window, frame included, is fitted in.
    fitFrame_ = true;
    main_->installEventFilter(this);
    if (remembered.isValid()) {
        // A size and place stored by another screen, or by hand, is made to fit this one.
        main_->setGeometry(FitOnScreen(available, FrameMargins(main_), remembered));
        if (settings->value(MainMaximisedKey).toBool())
            main_->setWindowState(main_->windowState() | Qt::WindowMaximized);
        return;
    }
    firstRun_ = true;
    main_->setGeometry(FirstMainWindowPlace(available, FrameMargins(main_)));
}

bool Workspace::Follow(QWidget* window, const QString& key) {
    Followed& followed = followed_[window];
    followed.Key = key;
    window->installEventFilter(this);
    connect(window, &QObject::destroyed, this, [this, window] { followed_.remove(window); });
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window))
        // Restored by its own title-bar button, a window takes its old place only after this announcement.
        connect(sub, &QMdiSubWindow::windowStateChanged, this, [this, sub] { CameUp(sub); },
                Qt::QueuedConnection);

    const QRect remembered = OpenSettings()->value(PlaceKey(key)).toRect();
    auto* sub = qobject_cast<QMdiSubWindow*>(window);
    if (!remembered.isValid()) {
        followed.RuleDue = sub != nullptr;
        if (sub)
            CameUp(sub);
        return false;
    }
    if (!sub) {
        // A window of its own comes back whole on the screen, framed as the main window is.
        window->setGeometry(FitOnScreen(CurrentPlatform().AvailableGeometry(), FrameMargins(main_), remembered));
        return true;
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
    return true;
}

void Workspace::CameUp(QWidget* window) {
    const auto found = followed_.find(window);
    if (found == followed_.end() || !found->RuleDue || !InNormalState(window))
        return;
    found->RuleDue = false;
    // No larger than the frame, so that the whole window can be seen.
    const QRect frame = frame_->viewport()->rect();
    const QRect place(window->pos(), window->size().boundedTo(frame.size()));
    window->setGeometry(PlaceBesideEditWindow(frame, editWindow_->geometry(), palette_->geometry(), Inside(frame, place)));
}

bool Workspace::eventFilter(QObject* watched, QEvent* event) {
    if (watched == main_ && event->type() == QEvent::Show && fitFrame_) {
        fitFrame_ = false;
        const QRect available = CurrentPlatform().AvailableGeometry();
        const QMargins frame = FrameMargins(main_);
        if (firstRun_)
            main_->setGeometry(FirstMainWindowPlace(available, frame));
        else if (!main_->isMaximized())
            main_->setGeometry(FitOnScreen(available, frame, main_->geometry()));
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
