#include "FileDialogListing.h"

#include "NameOnlyIconProvider.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>

namespace tav {

namespace {

// The columns of QFileSystemModel.
constexpr int SizeColumn = 1;
constexpr int DateColumn = 3;

// Writes the size and date columns with the default locale, which follows the editor's language.
class EditorLocaleListing : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || (index.column() != SizeColumn && index.column() != DateColumn))
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        if (index.column() == SizeColumn) // a folder's size column stays as the model has it: empty
            return files->isDir(source) ? QIdentityProxyModel::data(index, role)
                                        : QVariant(QLocale().formattedDataSize(files->size(source)));
        return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
    }
};

} // namespace

void SetUpFileDialogListing(QFileDialog& dialog) {
    UseNameOnlyIcons(dialog);
    // The dialog owns the proxy; it is set after the dialog became Qt's own, which alone takes one.
    dialog.setProxyModel(new EditorLocaleListing(&dialog));
}

} // namespace tav
