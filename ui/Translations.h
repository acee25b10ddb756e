#pragma once
// The editor speaks Japanese whatever the desktop's language: Qt's own texts (file dialogs, message-box
// buttons, standard menus) come from Qt's Japanese translations, and the editor's reports of failed file
// operations are worded here.

#include <QString>

namespace tav {

class FileError;

// Loads Qt's Japanese translations from Qt's translations folder and makes Japanese the default locale,
// so dates and sizes in the dialogs read the Japanese way too. Returns false when the translations are
// not installed; the editor then still works, with Qt's texts in English.
bool InstallJapaneseTranslations();

// A failed read or write as the editor reports it: what failed, on which file, and why, in Japanese.
QString JapaneseFileErrorText(const FileError& error);

} // namespace tav
