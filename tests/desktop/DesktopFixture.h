#pragma once
// The main window on a scripted platform, with an editor session whose settings and recovery copies live
// in the test's own folders (the test program points HOME and the XDG folders at a scratch folder before
// anything reads them), and helpers to make map files.

#include "CrashRecovery.h"
#include "Document.h"
#include "FileAccess.h"
#include "EditorSession.h"
#include "FileController.h"
#include "MainWindow.h"
#include "MapImage.h"
#include "Platform.h"
#include "RecentFiles.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <vector>

namespace tav::testing {

// Answers from queues (Cancel, no file, no choice when a queue is empty) and a record of every text shown.
class DesktopPlatform : public Platform {
public:
    QStringList Questions;
    QStringList Messages;
    QStringList Errors;
    std::deque<bool> Answers;
    std::deque<std::optional<QString>> OpenAnswers;
    std::deque<std::optional<QString>> SaveAnswers;
    std::deque<int> Choices;
    std::vector<FileDialogSettings> OpenDialogs;
    std::vector<FileDialogSettings> SaveDialogs;

    QSize ScreenSize() const override { return {1024, 768}; }
    QRect AvailableGeometry() const override { return {0, 0, 1024, 768}; }
    bool AskOkCancel(QWidget*, const QString&, const QString& text) override {
        Questions.push_back(text);
        return Next(Answers).value_or(false);
    }
    void ShowMessage(QWidget*, const QString&, const QString& text) override { Messages.push_back(text); }
    void ReportError(QWidget*, const QString& text) override { Errors.push_back(text); }
    std::optional<QString> OpenFileName(QWidget*, const FileDialogSettings& settings) override {
        OpenDialogs.push_back(settings);
        return Next(OpenAnswers).value_or(std::nullopt);
    }
    std::optional<QString> SaveFileName(QWidget*, const FileDialogSettings& settings) override {
        SaveDialogs.push_back(settings);
        return Next(SaveAnswers).value_or(std::nullopt);
    }
    std::optional<int> ChooseItem(QWidget*, const QString&, const QString&, const QStringList&, int) override {
        return Next(Choices);
    }
    int ExecModal(QDialog*) override { return 0; }
    bool TimersRun() const override { return false; }

private:
    template <class T>
    static std::optional<T> Next(std::deque<T>& answers) {
        std::optional<T> answer;
        if (!answers.empty()) {
            answer.emplace(std::move(answers.front()));
            answers.pop_front();
        }
        return answer;
    }
};

inline QByteArray MapBytes(const MapGrid& grid, int tileSet) {
    return MapImageBytes(BuildMapImage(grid, TileSetNumbered(tileSet).value()));
}

inline bool PutFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

inline QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A grid with a little of everything, different for each seed.
inline MapGrid SampleGrid(int seed) {
    MapGrid grid = FilledGrid(NewMapTile);
    for (int i = 0; i < MapCells; i += 7 + seed)
        grid[static_cast<std::size_t>(i)] = static_cast<TileCode>((i * 13 + seed) % 128);
    return grid;
}

class DesktopTest : public ::testing::Test {
public:
    DesktopTest() {
        auto platform = std::make_unique<DesktopPlatform>();
        Platform = platform.get();
        InstallPlatform(std::move(platform));
        QSettings().clear();
        Window = std::make_unique<MainWindow>();
    }
    ~DesktopTest() override {
        Window.reset();
        QSettings().clear();
        InstallPlatform(nullptr);
    }

    // The session as main makes it, with copies in the test's folder every `interval` milliseconds.
    EditorSession* StartSession(int interval = 60'000) {
        session_ = new EditorSession(Window.get(), {RecoveryFolder(), interval});
        return session_;
    }
    QString RecoveryFolder() const { return dir_.filePath(QStringLiteral("recovery")); }
    QString Path(const QString& name) const { return dir_.filePath(name); }
    Document& Doc() const { return *Window->Map(); }
    QAction* Action(const char* name) const { return Window->findChild<QAction*>(QString::fromLatin1(name)); }

    DesktopPlatform* Platform = nullptr;
    std::unique_ptr<MainWindow> Window;

private:
    QTemporaryDir dir_;
    EditorSession* session_ = nullptr;
};

} // namespace tav::testing
