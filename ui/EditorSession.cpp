#include "EditorSession.h"

#include "CrashRecovery.h"
#include "Document.h"
#include "FileController.h"
#include "MainWindow.h"
#include "Platform.h"
#include "RecentFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

namespace tav {

EditorArguments ParseEditorArguments(const QStringList& arguments) {
    EditorArguments result;
    bool optionsEnded = false;
    for (const QString& argument : arguments) {
        if (!optionsEnded && argument == QStringLiteral("--")) {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            result.UsageError =
                QCoreApplication::translate("EditorSession", "「%1」というオプションはありません。")
                    .arg(argument);
            return result;
        }
        if (result.MapPath) {
            result.UsageError = QCoreApplication::translate("EditorSession", "開けるファイルは1つだけです。");
            return result;
        }
        result.MapPath = argument;
    }
    return result;
}

EditorSession::Options EditorSession::DefaultOptions() {
    Options options;
    options.RecoveryFolder =
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(QStringLiteral("recovery"));
    options.RecoveryIntervalMilliseconds = CrashRecovery::DefaultIntervalMilliseconds;
    bool valid = false;
    const int interval = qEnvironmentVariableIntValue("TAV_RECOVERY_INTERVAL_MS", &valid);
    if (valid && interval > 0)
        options.RecoveryIntervalMilliseconds = interval;
    return options;
}

EditorSession::EditorSession(MainWindow* window, const Options& options)
    : QObject(window), window_(window), recoveryFolder_(options.RecoveryFolder) {
    recent_ = new RecentFiles(this);
    recent_->AttachMenu(window_->RecentFilesMenu(), [this](const QString& path) {
        window_->Files()->OpenChosenPath(path);
    });
    connect(window_->Files(), &FileController::MapFileUsed, recent_, &RecentFiles::Add);
    recovery_ = new CrashRecovery(window_->Map(), recoveryFolder_, options.RecoveryIntervalMilliseconds, this);
}

EditorSession::~EditorSession() = default;

void EditorSession::Start(const std::optional<QString>& mapPath) {
    if (mapPath) {
        // A relative name means the folder the editor was started in, which is the working folder now.
        const QString path = QFileInfo(*mapPath).absoluteFilePath();
        RunCommand([&] { window_->Files()->OpenPath(path); });
    }
    OfferRecovery();
}

void EditorSession::OfferRecovery() {
    CrashRecovery::Leftovers leftovers = CrashRecovery::FindLeftovers(recoveryFolder_);
    for (const RecoveredMap& map : leftovers.Maps) {
        const QString name = map.MapPath.isEmpty()
                                 ? QCoreApplication::translate("EditorSession", "（名前のない新しいマップ）")
                                 : QDir::toNativeSeparators(map.MapPath);
        const QString time = QLocale().toString(map.Written, QLocale::LongFormat);
        const QString question =
            QCoreApplication::translate("EditorSession", "前回、保存されないまま終了したマップがあります。\n"
                                                         "ファイル: %1\n記録した時刻: %2\n\n復元しますか？")
                .arg(name, time);
        const bool restore = CurrentPlatform().AskOkCancel(window_, QString::fromUtf8(ApplicationTitle), question);
        if (restore) {
            // The map in the editor is at most the unmodified file from the command line, so nothing is lost.
            RunCommand([&] { window_->Files()->RestoreRecoveredMap(map.Grid, map.TileSet, map.MapPath); });
            // This editor's own copy takes over before the old one goes.
            recovery_->WriteCopy();
        }
        leftovers.Forget(map);
        if (restore)
            break;
    }
}

} // namespace tav
