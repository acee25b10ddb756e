#include "RecentFiles.h"

#include "Platform.h"
#include "SettingsStore.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace tav {

namespace {

const QString SettingsKey = QStringLiteral("RecentFiles");

QString Normalised(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

RecentFiles::RecentFiles(QObject* parent) : QObject(parent) {
    Reload();
}

void RecentFiles::Reload() {
    const QStringList stored = OpenSettings()->value(SettingsKey).toStringList();
    paths_.clear();
    for (const QString& path : stored)
        if (!path.isEmpty() && !paths_.contains(path) && paths_.size() < MaximumCount)
            paths_.append(path);
}

void RecentFiles::Add(const QString& path) {
    Reload();
    const QString full = Normalised(path);
    paths_.removeAll(full);
    paths_.prepend(full);
    while (paths_.size() > MaximumCount)
        paths_.removeLast();
    Store();
}

void RecentFiles::Remove(const QString& path) {
    Reload();
    if (paths_.removeAll(path) > 0 || paths_.removeAll(Normalised(path)) > 0)
        Store();
}

void RecentFiles::Store() {
    const std::unique_ptr<QSettings> settings = OpenSettings();
    settings->setValue(SettingsKey, paths_);
    // Written at once, so that an editor that ends abruptly still leaves the list behind.
    settings->sync();
    // The items are made again when the menu opens: one of them may be the item being chosen right now.
    if (menu_)
        menu_->setEnabled(!paths_.isEmpty());
    emit Changed();
}

void RecentFiles::AttachMenu(QMenu* menu, std::function<void(const QString&)> open) {
    menu_ = menu;
    open_ = std::move(open);
    connect(menu_, &QMenu::aboutToShow, this, &RecentFiles::FillMenu);
    FillMenu();
}

void RecentFiles::FillMenu() {
    if (!menu_)
        return;
    Reload(); // with what other editors stored meanwhile
    menu_->clear();
    for (int i = 0; i < paths_.size(); ++i) {
        const QString& path = paths_[i];
        // The number is the item's key; the full path tells two maps of the same name apart.
        QString caption = QDir::toNativeSeparators(path);
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = menu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(caption));
        item->setObjectName(QStringLiteral("recentFile%1Action").arg(i + 1));
        connect(item, &QAction::triggered, this, [this, path] { RunCommand([&] { Choose(path); }); });
    }
    menu_->setEnabled(!paths_.isEmpty());
}

void RecentFiles::Choose(const QString& path) {
    if (!QFileInfo::exists(path)) {
        Remove(path);
        CurrentPlatform().ShowMessage(
            menu_ ? menu_->window() : nullptr, QString::fromUtf8(ApplicationTitle),
            QCoreApplication::translate("RecentFiles",
                                        "「%1」が見つかりません。最近使ったファイルの一覧から削除しました。")
                .arg(QDir::toNativeSeparators(path)));
        return;
    }
    if (open_)
        open_(path);
}

} // namespace tav
