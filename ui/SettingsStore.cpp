#include "SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <utility>

namespace tav {

namespace {

constexpr char WhereExtension[] = "tavrenna-where";

// A format that reads and writes nothing: a QSettings of it names the place of the editor's file (as the
// desktop or QSettings::setPath decide it) without opening the file itself.
QSettings::Format WhereFormat() {
    static const QSettings::Format format = QSettings::registerFormat(
        QString::fromLatin1(WhereExtension), [](QIODevice&, QSettings::SettingsMap&) { return true; },
        [](QIODevice&, const QSettings::SettingsMap&) { return true; });
    return format;
}

// The first of the files QSettings would open that exists and is not a regular file; empty when none is.
QString OddSettingsFile() {
    const QSettings where(WhereFormat(), QSettings::UserScope, QString::fromLatin1(SettingsOrganisation),
                          QString::fromLatin1(SettingsApplication));
    const QString place = where.fileName().chopped(static_cast<qsizetype>(sizeof WhereExtension - 1));
    const QString file = place + QStringLiteral("conf");
    // The organisation's file, read as a fallback, sits beside the organisation's folder.
    const QString organisationFile = QFileInfo(file).absolutePath() + QStringLiteral(".conf");
    for (const QString& path : {file, file + QStringLiteral(".lock"), organisationFile}) {
        const QFileInfo info(path);
        if (info.exists() && !info.isFile())
            return path;
    }
    return {};
}

QString& RefusedFile() {
    static QString path;
    return path;
}

} // namespace

std::unique_ptr<QSettings> OpenSettings() {
    // Whether the last call refused the file: the scratch file then holds what this run changed since.
    static bool refusing = false;
    const QString odd = OddSettingsFile();
    if (odd.isEmpty()) {
        refusing = false;
        RefusedFile().clear();
        return std::make_unique<QSettings>(QString::fromLatin1(SettingsOrganisation),
                                           QString::fromLatin1(SettingsApplication));
    }
    RefusedFile() = QDir::toNativeSeparators(odd);
    static QTemporaryDir scratch;
    auto settings = std::make_unique<QSettings>(scratch.filePath(QStringLiteral("settings.conf")), QSettings::IniFormat);
    if (!refusing)
        settings->clear(); // the defaults, not what an earlier refusal left there
    refusing = true;
    return settings;
}

QString TakeRefusedSettingsFile() {
    return std::exchange(RefusedFile(), QString());
}

} // namespace tav
