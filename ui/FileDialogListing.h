#pragma once
// What the editor's file dialogs list, and how: Qt's own dialog (a platform dialog would ignore both
// choices below) with a provider that never opens a listed file, and sizes and dates written in the
// editor's language. Qt's file-system model writes them with the system's locale, which the editor's
// language setting does not reach, so a Japanese editor on an English desktop listed English dates.

class QFileDialog;

namespace tav {

// Call before the dialog is shown.
void SetUpFileDialogListing(QFileDialog& dialog);

} // namespace tav
