#pragma once
// The one place the editor's settings are opened: the preferences and the recent files share a file that
// QSettings finds by the application's names. Before it is opened, that file and the files QSettings reads or
// locks beside it are looked at: one that is not a regular file (a pipe would block the editor for ever, a
// device might never end) is refused, and the run keeps its settings in a scratch file instead, starting with
// the defaults and storing nothing for the next run.

#include <QSettings>
#include <QString>

#include <memory>

namespace tav {

// The names QSettings finds the editor's file by.
inline constexpr char SettingsOrganisation[] = "Tavrenna";
inline constexpr char SettingsApplication[] = "Tavrenna MapEditor"; // the application name: one file with the recent files

std::unique_ptr<QSettings> OpenSettings();

// The file for which OpenSettings refused the settings since the last call; empty when it refused none. The
// session tells the user once.
QString TakeRefusedSettingsFile();

} // namespace tav
