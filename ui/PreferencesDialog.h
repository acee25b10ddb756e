#pragma once
// 環境設定: the start-up tile set and scale, grid lines, blinking, the autosave interval and the
// language. It edits a copy of the settings; the frame stores and applies what the user accepted.

#include "EditorSettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace tav {

class PreferencesDialog : public QDialog {
    Q_OBJECT
public:
    PreferencesDialog(const EditorSettings& current, QWidget* parent);

    // The settings as the dialog's controls stand.
    EditorSettings Chosen() const;

private:
    EditorSettings current_;
    QComboBox* startTileSet_ = nullptr;
    QComboBox* startEdge_ = nullptr;
    QCheckBox* gridLines_ = nullptr;
    QCheckBox* blink_ = nullptr;
    QSpinBox* autosave_ = nullptr;
    QComboBox* language_ = nullptr;
};

} // namespace tav
