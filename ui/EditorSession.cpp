#include "EditorSession.h"

#include "CrashRecovery.h"
#include "Document.h"
#include "EditorSettings.h"
#include "FileController.h"
#include "MainWindow.h"
#include "Platform.h"
#include "RecentFiles.h"
#include "SettingsStore.h"
#include "StatusNotices.h"
#include "Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QStatusBar>

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
    bool valid = false;
    const int interval = qEnvironmentVariableIntValue("TAV_RECOVERY_INTERVAL_MS", &valid);
    if (valid && interval > 0)
        options.RecoveryIntervalMilliseconds = interval;
    return options;
}

EditorSession::EditorSession(MainWindow* window, const Options& options)
    : QObject(window), window_(window), recoveryFolder_(options.RecoveryFolder) {
    notices_ = new StatusNotices(window_->statusBar());
    window_->statusBar()->addPermanentWidget(notices_);
    recent_ = new RecentFiles(this);
    // The window and the recent files have read the settings by now.
    if (const QString refused = TakeRefusedSettingsFile(); !refused.isEmpty())
        notices_->Show(QStringLiteral("settings"), [refused] {
            return QCoreApplication::translate("EditorSession", "設定ファイルを使えません。既定の設定で起動しました。\n"
                                                                "「%1」は通常のファイルではないため、読み込みも保存もしません。")
                .arg(refused);
        });
    // A stored cost table or turn order that could not be read gave way to the default; said until the user
    // chooses new ones.
    if (const StoredRulesRefusal refused = StoredRulesRefused(); refused.Any()) {
        notices_->Show(QStringLiteral("movement rules"), [refused] {
            const char* what = refused.Costs && refused.Order ? QT_TRANSLATE_NOOP("EditorSession", "移動コストと手番の順")
                               : refused.Costs               ? QT_TRANSLATE_NOOP("EditorSession", "移動コスト")
                                                             : QT_TRANSLATE_NOOP("EditorSession", "手番の順");
            return QCoreApplication::translate("EditorSession", "設定の%1を読めないため、既定値を使います。")
                .arg(QCoreApplication::translate("EditorSession", what));
        });
        connect(window_, &MainWindow::MovementRulesChosen, this,
                [this] { notices_->Clear(QStringLiteral("movement rules")); });
    }
    recent_->AttachMenu(window_->RecentFilesMenu(), [this](const QString& path) {
        window_->Files()->OpenChosenPath(path);
    });
    connect(window_->Files(), &FileController::MapFileUsed, recent_, &RecentFiles::Add);
    autosavePreference_ = window_->Settings().AutosaveSeconds * 1000;
    recovery_ = new CrashRecovery(window_->Map(), recoveryFolder_,
                                  options.RecoveryIntervalMilliseconds > 0 ? options.RecoveryIntervalMilliseconds
                                                                           : autosavePreference_,
                                  this);
    // A folder that cannot be written is told once the first copy fails, until a copy is written again.
    connect(recovery_, &CrashRecovery::FailureChanged, this, [this] {
        if (recovery_->Failure())
            notices_->Show(QStringLiteral("recovery copy"), [this] { return RecoveryFailureText(); });
        else
            notices_->Clear(QStringLiteral("recovery copy"));
    });
    window_->SetAutosaveNote([this] { return recovery_->Failure() ? RecoveryFailureText() : QString(); });
    // Only a new choice of the interval is applied, so that changing another setting keeps an interval
    // given at start.
    connect(window_, &MainWindow::SettingsChanged, this, [this] {
        const int preference = window_->Settings().AutosaveSeconds * 1000;
        if (preference == autosavePreference_)
            return;
        autosavePreference_ = preference;
        recovery_->SetInterval(preference);
    });
}

EditorSession::~EditorSession() = default;

QString EditorSession::RecoveryFailureText() const {
    return QCoreApplication::translate("EditorSession", "復元用のコピーを保存できません。\n%1")
        .arg(FileErrorText(*recovery_->Failure()));
}

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
    if (!leftovers.Refused.isEmpty()) {
        QStringList names;
        for (const QString& path : leftovers.Refused)
            names.append(QDir::toNativeSeparators(path));
        notices_->Show(QStringLiteral("recovery files"), [names] {
            return QCoreApplication::translate("EditorSession", "復元用フォルダに通常のファイルでないものがあります。\n"
                                                                "開かずにそのままにしました: %1")
                .arg(names.join(QStringLiteral(", ")));
        });
    }
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
