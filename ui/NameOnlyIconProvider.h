#pragma once
// Icons and type names for the file dialogs' listings, decided from a file's name and the listing's own
// stat alone. Qt's own provider guesses a file's type by reading its first bytes on the user-interface
// thread, and a listed pipe, or a file such as /proc/kmsg, then freezes the editor for good.

#include <QAbstractFileIconProvider>
#include <QFileIconProvider>
#include <QMimeDatabase>

class QFileDialog;

namespace tav {

class NameOnlyIconProvider : public QAbstractFileIconProvider {
public:
    NameOnlyIconProvider();

    QIcon icon(IconType type) const override;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;

private:
    QFileIconProvider standardIcons_; // the style's icons for a folder, a file, a drive
    QMimeDatabase mimeDatabase_;
};

// Makes `dialog` Qt's own dialog (a platform dialog would not use the provider) and gives it a provider
// that never opens a listed file. Call before the dialog is shown.
void UseNameOnlyIcons(QFileDialog& dialog);

} // namespace tav
