#pragma once
// The editor speaks Japanese whatever the desktop's language, and English when the user chooses it. Its own
// texts are written in Japanese; English comes from the translation compiled into the program. Qt's own texts
// (file dialogs, message-box buttons, standard menus) are English by themselves and come from Qt's Japanese
// translations for Japanese. The editor's reports of failed file operations are worded here.

#include <QString>

namespace tav {

class FileError;

inline constexpr char JapaneseLanguage[] = "ja";
inline constexpr char EnglishLanguage[] = "en";

// Puts the translations of `language` ("ja", "en"; anything else counts as Japanese) in place of those of the
// language before, makes it the default locale, and retranslates the open windows before it returns. Returns
// false when a translation could not be loaded; the editor then still works, with those texts untranslated.
bool InstallLanguage(const QString& language);
// The language installed last: "ja" or "en"; empty before the first InstallLanguage.
QString InstalledLanguage();

// A failed read or write as the editor reports it: what failed, on which file, and why, in the editor's language.
QString FileErrorText(const FileError& error);

} // namespace tav
