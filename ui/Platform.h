#pragma once
// The editor's few contacts with the desktop that a test must be able to script: the screen size,
// modal questions and messages, the file dialogs, showing a dialog modally, and whether the blink
// timers really tick. Everything else in the windows is plain Qt.

#include <QObject>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QDialog;
class QWidget;

namespace tav {

// The settings of one open or save dialog.
struct FileDialogSettings {
    QString Title;            // empty: the platform's own title
    QString PresetName;       // the file name the dialog starts with
    QString Folder;           // the folder the dialog starts in; empty: the platform's choice
    QString Filter;           // in Qt's form, e.g. "タヴレンナマップファイル(*.map)"
    QString DefaultSuffix;    // added when the user types a name without one, e.g. "map"
    bool OverwritePrompt = false;
    bool FileMustExist = false;
    bool PathMustExist = false;    // the chosen file's folder must exist
    bool NoReadOnlyReturn = false; // an existing file that cannot be written is not accepted
    // There is no read-only check box to hide: the dialogs never offer one.
};

// Turns the filter form "Description(*.ext)|*.ext" into Qt's "Description(*.ext)"; a filter without
// the bar is returned unchanged.
QString QtFileFilter(const QString& filter);

class Platform {
public:
    virtual ~Platform() = default;

    // The size of the whole screen in pixels.
    virtual QSize ScreenSize() const;
    // The part of the screen windows may take: without the desktop's panels.
    virtual QRect AvailableGeometry() const;
    // A modal OK/Cancel question; true for OK.
    virtual bool AskOkCancel(QWidget* parent, const QString& caption, const QString& text);
    // A modal message with an OK button; returns when it was closed.
    virtual void ShowMessage(QWidget* parent, const QString& caption, const QString& text);
    // The application's general error report for a failure no command handled itself.
    virtual void ReportError(QWidget* parent, const QString& text);
    // The chosen file's full path, or nothing when the user cancelled.
    virtual std::optional<QString> OpenFileName(QWidget* parent, const FileDialogSettings& settings);
    virtual std::optional<QString> SaveFileName(QWidget* parent, const FileDialogSettings& settings);
    // A modal choice of one of `items`, `current` chosen at first; the index chosen, or nothing when the
    // user cancelled.
    virtual std::optional<int> ChooseItem(QWidget* parent, const QString& caption, const QString& label,
                                          const QStringList& items, int current);
    // Shows a dialog modally and returns its result code.
    virtual int ExecModal(QDialog* dialog);
    // Whether blink timers start real Qt timers. Tests turn this off and call the tick handlers themselves.
    virtual bool TimersRun() const { return true; }
};

// The platform in force; the real one unless a test installed another.
Platform& CurrentPlatform();
// Installs `platform` (nullptr: back to the real one) and returns the one that was in force.
std::unique_ptr<Platform> InstallPlatform(std::unique_ptr<Platform> platform);

// The application's general error report for the exception being handled: a message box with the
// error's own text. Call it from a catch block; the event loop then goes on.
void ReportCurrentError();

// Runs a command so that an error it does not handle itself reaches the general error report here,
// instead of unwinding through Qt's signal dispatch.
template <class Command>
void RunCommand(Command&& command) {
    try {
        std::forward<Command>(command)();
    } catch (...) {
        ReportCurrentError();
    }
}

// The application title, also the caption of plain messages.
inline constexpr char ApplicationTitle[] = "Tavrenna MapEditor";

// A timer as the windows use it (the blink, the recovery copies): an interval of 0 means stopped (a Qt timer
// with interval 0 would fire continuously), any other value starts it with that period.
class BlinkTimer : public QObject {
    Q_OBJECT
public:
    explicit BlinkTimer(std::function<void()> onTick, QObject* parent = nullptr);

    void SetInterval(int milliseconds);
    int Interval() const { return interval_; }
    bool IsTicking() const { return timer_.isActive(); }
    // Where timers do not run (tests): lets `milliseconds` pass since the timer was last started, ticking as
    // the running timer would.
    void Elapse(int milliseconds);

private:
    QTimer timer_;
    std::function<void()> onTick_;
    int interval_ = 0;
    int elapsed_ = 0; // since the start or the last tick, for Elapse
};

} // namespace tav

#include <QApplication>

namespace tav {

// The editor's application object: an error that escapes a command reaches the general error report,
// and the event loop goes on.
class EditorApplication : public QApplication {
public:
    EditorApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace tav
