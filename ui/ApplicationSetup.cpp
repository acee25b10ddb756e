#include "ApplicationSetup.h"

#include "EditorSettings.h"
#include "Platform.h"
#include "TitleBarIconStyle.h"
#include "Translations.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace tav {

namespace {

const QString UiFontName = QStringLiteral("ＭＳ Ｐゴシック");

// The first installed face that stands in for `designed`, or `designed` itself when none is installed.
// Naming a face that is not installed costs Qt a fallback search for every script the windows show (some
// milliseconds at start-up), so the application font names the installed face directly.
QString InstalledFace(const QString& designed) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& face : QFont::substitutes(designed))
        if (installed.contains(face, Qt::CaseInsensitive))
            return face;
    return designed;
}

} // namespace

void InitApplication() {
    QApplication::setApplicationName(QString::fromUtf8(ApplicationTitle));
    // Names the settings file and the data folder: ~/.config/Tavrenna/, ~/.local/share/Tavrenna/.
    QApplication::setOrganizationName(QStringLiteral("Tavrenna"));
    // The stored language from the start, so that even a message before the main window speaks it.
    InstallLanguage(EditorSettings::Load().Language);
    QApplication::setApplicationDisplayName(QString());
    // The windows name the fonts of the system they were designed on; these are the nearest installed faces.
    const QStringList gothic = {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                                QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic"),
                                QStringLiteral("Droid Sans Fallback")};
    for (const QString& name : {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("ＭＳ ゴシック"),
                                QStringLiteral("MS PGothic"), QStringLiteral("MS UI Gothic")})
        QFont::insertSubstitutions(name, gothic);
    // Metric-compatible faces first, so that the about box's lines keep the widths they were laid out for.
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("Nimbus Roman"),
                                QStringLiteral("TeX Gyre Termes"), QStringLiteral("DejaVu Serif"),
                                QStringLiteral("Noto Serif CJK JP")});
    QApplication::setStyle(new TitleBarIconStyle);
    QFont font(InstalledFace(UiFontName));
    font.setPixelSize(12);
    QApplication::setFont(font);
}

} // namespace tav
