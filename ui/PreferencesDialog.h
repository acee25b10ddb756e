#pragma once
// 環境設定: the start-up tile set and scale, grid lines, blinking, the interval of the recovery copies
// (自動保存の間隔) and the language. It edits a copy of the settings; the frame stores and applies what the user accepted.

#include "EditorSettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;

namespace tav {

class PreferencesDialog : public QDialog {
    Q_OBJECT
public:
    // `autosaveNote`, when not empty, stands beside the autosave interval: why copies cannot be kept.
    PreferencesDialog(const EditorSettings& current, const QString& autosaveNote, QWidget* parent);

    // The settings as the dialog's controls stand.
    EditorSettings Chosen() const;

private:
    EditorSettings current_;
    QComboBox* startTileSet_ = nullptr;
    QComboBox* startEdge_ = nullptr;
    QCheckBox* gridLines_ = nullptr;
    QCheckBox* blink_ = nullptr;
    QComboBox* autosave_ = nullptr;
    QComboBox* language_ = nullptr;
};

} // namespace tav
