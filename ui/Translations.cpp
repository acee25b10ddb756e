#include "Translations.h"

#include "FileAccess.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cerrno>
#include <utility>

namespace tav {

namespace {

// The system errors a user meets with map files, said as a desktop says them. Any other errno keeps the
// system's own text.
constexpr std::pair<int, const char*> SystemErrorTexts[] = {
    {ENOENT, QT_TRANSLATE_NOOP("FileErrors", "ファイルまたはフォルダが見つかりません")},
    {EACCES, QT_TRANSLATE_NOOP("FileErrors", "アクセスが拒否されました")},
    {EPERM, QT_TRANSLATE_NOOP("FileErrors", "この操作は許可されていません")},
    {EROFS, QT_TRANSLATE_NOOP("FileErrors", "読み取り専用のファイルシステムです")},
    {ENOSPC, QT_TRANSLATE_NOOP("FileErrors", "ディスクの空き容量が足りません")},
    {EDQUOT, QT_TRANSLATE_NOOP("FileErrors", "ディスク使用量の上限に達しました")},
    {EFBIG, QT_TRANSLATE_NOOP("FileErrors", "ファイルが大きすぎます")},
    {EISDIR, QT_TRANSLATE_NOOP("FileErrors", "フォルダです")},
    {ENOTDIR, QT_TRANSLATE_NOOP("FileErrors", "パスの途中にフォルダではないものがあります")},
    {ENAMETOOLONG, QT_TRANSLATE_NOOP("FileErrors", "ファイル名が長すぎます")},
    {ELOOP, QT_TRANSLATE_NOOP("FileErrors", "シンボリックリンクが多すぎます")},
    {EIO, QT_TRANSLATE_NOOP("FileErrors", "入出力エラーが発生しました")},
    {EMFILE, QT_TRANSLATE_NOOP("FileErrors", "開いているファイルが多すぎます")},
    {EBUSY, QT_TRANSLATE_NOOP("FileErrors", "ファイルが使用中です")},
};

QString Translated(const char* text) {
    return QCoreApplication::translate("FileErrors", text);
}

QString ProblemText(const FileError& error) {
    switch (error.Problem()) {
    case FileProblem::Directory:
        return Translated(QT_TRANSLATE_NOOP("FileErrors", "フォルダです。マップファイルではありません"));
    case FileProblem::Pipe:
        return Translated(QT_TRANSLATE_NOOP("FileErrors", "パイプです。通常のファイルではありません"));
    case FileProblem::Device:
        return Translated(QT_TRANSLATE_NOOP("FileErrors", "デバイスです。通常のファイルではありません"));
    case FileProblem::NotRegular:
        return Translated(QT_TRANSLATE_NOOP("FileErrors", "通常のファイルではありません"));
    case FileProblem::ShortWrite:
        if (error.ErrorNumber() == 0)
            return Translated(QT_TRANSLATE_NOOP("FileErrors", "ファイルを最後まで書き込めませんでした"));
        break;
    case FileProblem::UntrustedLink:
        return Translated(QT_TRANSLATE_NOOP("FileErrors", "誰でも書き込める共有フォルダで他のユーザーが作ったリンクです。安全のためたどりません"));
    case FileProblem::SystemError:
        break;
    }
    for (const auto& [number, text] : SystemErrorTexts)
        if (number == error.ErrorNumber())
            return Translated(text);
    return error.Reason();
}

// The translators in force, parented to the application so that none outlives it.
struct InstalledTranslations {
    QString Language;
    QTranslator* Translator = nullptr;
};

InstalledTranslations& Installed() {
    static InstalledTranslations installed;
    return installed;
}

} // namespace

bool InstallLanguage(const QString& language) {
    const bool english = language == QLatin1String(EnglishLanguage);
    const QString chosen = QString::fromLatin1(english ? EnglishLanguage : JapaneseLanguage);
    InstalledTranslations& installed = Installed();
    if (installed.Language == chosen)
        return true;
    if (installed.Translator) {
        QCoreApplication::removeTranslator(installed.Translator);
        delete installed.Translator;
        installed.Translator = nullptr;
    }
    installed.Language = chosen;
    QLocale::setDefault(english ? QLocale(QLocale::English, QLocale::UnitedStates)
                                : QLocale(QLocale::Japanese, QLocale::Japan));
    auto* translator = new QTranslator(QCoreApplication::instance());
    // The editor's English is compiled into the program; Qt's Japanese comes with Qt (the widgets' own texts
    // are all in qtbase, so the catalogue of every Qt module is not read).
    const bool loaded =
        english ? translator->load(QStringLiteral(":/translations/tavrenna_en.qm"))
                : translator->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                                   QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded && QCoreApplication::installTranslator(translator)) {
        installed.Translator = translator;
    } else {
        delete translator;
        // Removing the old translator announced the change; the windows follow it even so.
    }
    // The windows hear of the change through posted events; they are delivered now, so that every open window
    // speaks the new language when this returns.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    return loaded;
}

QString InstalledLanguage() {
    return Installed().Language;
}

QString FileErrorText(const FileError& error) {
    const QString text =
        error.Operation() == FileOperation::Read
            ? QCoreApplication::translate("FileErrors", "「%1」を読み込めませんでした。\n%2。")
            : QCoreApplication::translate("FileErrors", "「%1」に書き込めませんでした。\n%2。");
    return text.arg(error.Path(), ProblemText(error));
}

} // namespace tav
