#include "Translations.h"

#include "FileAccess.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cerrno>
#include <utility>

namespace tav {

namespace {

// The system errors a user meets with map files, said as a Japanese desktop says them. Any other errno
// keeps the system's own text.
constexpr std::pair<int, const char*> SystemErrorTexts[] = {
    {ENOENT, "ファイルまたはフォルダが見つかりません"},
    {EACCES, "アクセスが拒否されました"},
    {EPERM, "この操作は許可されていません"},
    {EROFS, "読み取り専用のファイルシステムです"},
    {ENOSPC, "ディスクの空き容量が足りません"},
    {EDQUOT, "ディスク使用量の上限に達しました"},
    {EFBIG, "ファイルが大きすぎます"},
    {EISDIR, "フォルダです"},
    {ENOTDIR, "パスの途中にフォルダではないものがあります"},
    {ENAMETOOLONG, "ファイル名が長すぎます"},
    {ELOOP, "シンボリックリンクが多すぎます"},
    {EIO, "入出力エラーが発生しました"},
    {EMFILE, "開いているファイルが多すぎます"},
    {EBUSY, "ファイルが使用中です"},
};

QString ProblemText(const FileError& error) {
    switch (error.Problem()) {
    case FileProblem::Directory:
        return QStringLiteral("フォルダです。マップファイルではありません");
    case FileProblem::Pipe:
        return QStringLiteral("パイプです。通常のファイルではありません");
    case FileProblem::Device:
        return QStringLiteral("デバイスです。通常のファイルではありません");
    case FileProblem::NotRegular:
        return QStringLiteral("通常のファイルではありません");
    case FileProblem::ShortWrite:
        if (error.ErrorNumber() == 0)
            return QStringLiteral("ファイルを最後まで書き込めませんでした");
        break;
    case FileProblem::SystemError:
        break;
    }
    for (const auto& [number, text] : SystemErrorTexts)
        if (number == error.ErrorNumber())
            return QString::fromUtf8(text);
    return error.Reason();
}

} // namespace

bool InstallJapaneseTranslations() {
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    // Parented to the application, so the translator lives exactly as long as it is installed.
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QLocale(QLocale::Japanese), QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

QString JapaneseFileErrorText(const FileError& error) {
    const QString what = error.Operation() == FileOperation::Read ? QStringLiteral("を読み込めませんでした")
                                                                    : QStringLiteral("に書き込めませんでした");
    return QStringLiteral("「%1」%2。\n%3。").arg(error.Path(), what, ProblemText(error));
}

} // namespace tav
