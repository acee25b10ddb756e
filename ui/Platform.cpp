#include "Platform.h"

#include "FileAccess.h"
#include "FileDialogListing.h"
#include "Translations.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>

namespace tav {

QString QtFileFilter(const QString& filter) {
    const qsizetype bar = filter.indexOf(QLatin1Char('|'));
    return bar < 0 ? filter : filter.left(bar);
}

QSize Platform::ScreenSize() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(1024, 768);
}

QRect Platform::AvailableGeometry() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(QPoint(0, 0), ScreenSize());
}

bool Platform::AskOkCancel(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

void Platform::ShowMessage(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

void Platform::ReportError(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(ApplicationTitle), text, QMessageBox::Ok, parent);
    box.exec();
}

namespace {

std::optional<QString> RunFileDialog(QWidget* parent, const FileDialogSettings& settings, bool save) {
    QFileDialog dialog(parent, settings.Title);
    SetUpFileDialogListing(dialog); // no listed file may block the window; sizes and dates in the editor's language
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save || !settings.FileMustExist ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!settings.Filter.isEmpty())
        dialog.setNameFilter(QtFileFilter(settings.Filter));
    if (!settings.DefaultSuffix.isEmpty())
        dialog.setDefaultSuffix(settings.DefaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !settings.OverwritePrompt);
    if (!settings.Folder.isEmpty())
        dialog.setDirectory(settings.Folder);
    if (!settings.PresetName.isEmpty())
        dialog.selectFile(settings.PresetName);
    // Qt's dialog checks neither the folder nor whether a file can be written, so the choice is checked
    // here and the dialog comes back until the user picks an acceptable file or cancels.
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        const QString chosen = dialog.selectedFiles().constFirst();
        const QFileInfo info(chosen);
        if (settings.PathMustExist && !info.absoluteDir().exists()) {
            CurrentPlatform().ShowMessage(
                &dialog, QString::fromUtf8(ApplicationTitle),
                QCoreApplication::translate("Platform", "%1\nフォルダが存在しません。")
                    .arg(info.absolutePath()));
            continue;
        }
        if (settings.NoReadOnlyReturn && info.exists() && !info.isWritable()) {
            CurrentPlatform().ShowMessage(
                &dialog, QString::fromUtf8(ApplicationTitle),
                QCoreApplication::translate(
                    "Platform", "%1\nこのファイルは読み取り専用です。別の名前を指定してください。")
                    .arg(chosen));
            continue;
        }
        return chosen;
    }
}

std::unique_ptr<Platform>& InstalledPlatform() {
    static std::unique_ptr<Platform> platform = std::make_unique<Platform>();
    return platform;
}

} // namespace

std::optional<QString> Platform::OpenFileName(QWidget* parent, const FileDialogSettings& settings) {
    return RunFileDialog(parent, settings, false);
}

std::optional<QString> Platform::SaveFileName(QWidget* parent, const FileDialogSettings& settings) {
    return RunFileDialog(parent, settings, true);
}

std::optional<int> Platform::ChooseItem(QWidget* parent, const QString& caption, const QString& label,
                                       const QStringList& items, int current) {
    bool chosen = false;
    const QString item = QInputDialog::getItem(parent, caption, label, items, current, false, &chosen);
    if (!chosen)
        return std::nullopt;
    return static_cast<int>(items.indexOf(item));
}

int Platform::ExecModal(QDialog* dialog) {
    return dialog->exec();
}

void ReportCurrentError() {
    QString text;
    try {
        throw;
    } catch (const FileError& error) {
        text = FileErrorText(error);
    } catch (const std::exception& error) {
        text = QString::fromUtf8(error.what());
    } catch (...) {
        text = QCoreApplication::translate("Platform", "不明なエラーが発生しました");
    }
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    CurrentPlatform().ReportError(parent, text);
}

Platform& CurrentPlatform() {
    return *InstalledPlatform();
}

std::unique_ptr<Platform> InstallPlatform(std::unique_ptr<Platform> platform) {
    if (!platform)
        platform = std::make_unique<Platform>();
    InstalledPlatform().swap(platform);
    return platform;
}

BlinkTimer::BlinkTimer(std::function<void()> onTick, QObject* parent) : QObject(parent), onTick_(std::move(onTick)) {
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (onTick_)
            onTick_();
    });
}

void BlinkTimer::SetInterval(int milliseconds) {
    interval_ = milliseconds > 0 ? milliseconds : 0;
    elapsed_ = 0;
    if (interval_ == 0 || !CurrentPlatform().TimersRun()) {
        timer_.stop();
        return;
    }
    timer_.start(interval_);
}

void BlinkTimer::Elapse(int milliseconds) {
    while (interval_ > 0 && elapsed_ + milliseconds >= interval_) {
        milliseconds -= interval_ - elapsed_;
        elapsed_ = 0;
        if (onTick_)
            onTick_(); // may start the timer anew, with another interval
    }
    if (interval_ > 0)
        elapsed_ += milliseconds;
}

} // namespace tav

namespace tav {

EditorApplication::EditorApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool EditorApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ReportCurrentError();
    }
    return false;
}

} // namespace tav
