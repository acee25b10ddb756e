#pragma once
// The maps the user opened or saved last, newest first, kept between runs in the application's settings
// and offered under ファイル → 最近使ったファイル. Editors running at once share the list: each change starts
// from the list as stored, so that what another editor added or removed stays.

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QMenu;

namespace tav {

class RecentFiles : public QObject {
    Q_OBJECT
public:
    static constexpr int MaximumCount = 8;

    // Reads the list from the settings.
    explicit RecentFiles(QObject* parent = nullptr);

    // Full paths, newest first.
    const QStringList& Paths() const { return paths_; }
    // Puts `path` first (once), drops what falls beyond MaximumCount, and stores the list.
    void Add(const QString& path);
    void Remove(const QString& path);
    // Reads the list as stored now.
    void Reload();

    // Keeps `menu` listing the files; choosing an item calls `open` with its path, unless the file is gone:
    // that is reported and the file leaves the list.
    void AttachMenu(QMenu* menu, std::function<void(const QString&)> open);

signals:
    void Changed();

private:
    void Store();
    void FillMenu();
    void Choose(const QString& path);

    QStringList paths_;
    QMenu* menu_ = nullptr;
    std::function<void(const QString&)> open_;
};

} // namespace tav
