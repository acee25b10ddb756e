#include "NameOnlyIconProvider.h"

#include <QCoreApplication>
#include <QFileDialog>

namespace tav {

NameOnlyIconProvider::NameOnlyIconProvider() {
    // A folder's own icon would be read from a file inside it.
    setOptions(DontUseCustomDirectoryIcons);
    standardIcons_.setOptions(DontUseCustomDirectoryIcons);
}

QIcon NameOnlyIconProvider::icon(IconType type) const {
    return standardIcons_.icon(type);
}

// The QFileInfo comes from the listing, which has already run stat; its answers are cached.
QIcon NameOnlyIconProvider::icon(const QFileInfo& info) const {
    if (info.isRoot())
        return icon(Drive);
    return icon(info.isDir() ? Folder : File);
}

QString NameOnlyIconProvider::type(const QFileInfo& info) const {
    if (info.isRoot())
        return QCoreApplication::translate("NameOnlyIconProvider", "ドライブ");
    if (info.isDir())
        return QCoreApplication::translate("NameOnlyIconProvider", "フォルダ");
    if (info.isSymLink() && !info.exists())
        return QCoreApplication::translate("NameOnlyIconProvider", "ショートカット");
    // By name only: the database is asked about the file's name, never about its content.
    const QList<QMimeType> byName = mimeDatabase_.mimeTypesForFileName(info.fileName());
    if (!byName.isEmpty())
        return byName.constFirst().comment().isEmpty() ? byName.constFirst().name() : byName.constFirst().comment();
    return QCoreApplication::translate("NameOnlyIconProvider", "ファイル");
}

void UseNameOnlyIcons(QFileDialog& dialog) {
    // One provider for every dialog of the run; a dialog does not own its provider.
    static NameOnlyIconProvider provider;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontUseCustomDirectoryIcons);
    dialog.setIconProvider(&provider);
}

} // namespace tav
