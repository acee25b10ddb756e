#include "PreferencesDialog.h"

#include "MapGrid.h"
#include "TileSets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace tav {

namespace {

// The scales as the tool bar's hints name them.
constexpr std::pair<int, const char*> ScaleChoices[] = {
    {Small, QT_TRANSLATE_NOOP("PreferencesDialog", "小さいサイズ (8)")},
    {Middle, QT_TRANSLATE_NOOP("PreferencesDialog", "普通のサイズ (16)")},
    {Large, QT_TRANSLATE_NOOP("PreferencesDialog", "大きいサイズ (32)")}};
// Each language in its own words, whatever the editor's language.
constexpr std::pair<const char*, const char*> LanguageChoices[] = {{"ja", "日本語"}, {"en", "English"}};

template <class Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

PreferencesDialog::PreferencesDialog(const EditorSettings& current, const QString& autosaveNote, QWidget* parent)
    : QDialog(parent), current_(current) {
    setObjectName(QStringLiteral("PreferencesDialog"));
    setWindowTitle(tr("環境設定"));

    startTileSet_ = Named(new QComboBox(this), "StartTileSet");
    for (const TileSetInfo& info : TileSets)
        startTileSet_->addItem(TileSetText(info.Name), info.Number);
    startTileSet_->setCurrentIndex(startTileSet_->findData(current.StartTileSet));

    startScale_ = Named(new QComboBox(this), "StartScale");
    for (const auto& [scale, caption] : ScaleChoices)
        startScale_->addItem(QCoreApplication::translate("PreferencesDialog", caption), scale);
    startScale_->setCurrentIndex(startScale_->findData(current.StartScale));

    gridLines_ = Named(new QCheckBox(tr("グリッド線を表示する"), this), "GridLines");
    gridLines_->setChecked(current.GridLines);
    blink_ = Named(new QCheckBox(tr("カーソルを点滅させる"), this), "Blink");
    blink_->setChecked(current.Blink);

    autosave_ = Named(new QComboBox(this), "AutosaveInterval");
    autosave_->addItem(tr("しない"), 0);
    autosave_->addItem(tr("%1 秒").arg(30), 30);
    for (int minutes = 1; minutes <= EditorSettings::MaxAutosaveMinutes; ++minutes)
        autosave_->addItem(tr("%1 分").arg(minutes), minutes * 60);
    autosave_->setCurrentIndex(std::max(0, autosave_->findData(current.AutosaveSeconds)));

    language_ = Named(new QComboBox(this), "Language");
    for (const auto& [code, name] : LanguageChoices)
        language_->addItem(QString::fromUtf8(name), QString::fromLatin1(code));
    language_->setCurrentIndex(std::max(0, language_->findData(current.Language)));

    auto* form = new QFormLayout;
    form->addRow(tr("起動時のタイルセット"), startTileSet_);
    form->addRow(tr("起動時のサイズ"), startScale_);
    form->addRow(QString(), gridLines_);
    form->addRow(QString(), blink_);
    if (autosaveNote.isEmpty()) {
        form->addRow(tr("自動保存の間隔"), autosave_);
    } else {
        auto* note = Named(new QLabel(autosaveNote, this), "AutosaveNote");
        note->setWordWrap(true);
        note->setStyleSheet(QStringLiteral("color: #c00000;"));
        auto* field = new QVBoxLayout;
        field->addWidget(autosave_);
        field->addWidget(note);
        form->addRow(tr("自動保存の間隔"), field);
    }
    form->addRow(tr("言語"), language_);

    auto* buttons = new QDialogButtonBox(this);
    Named(buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole), "OkButton")->setDefault(true);
    Named(buttons->addButton(tr("キャンセル"), QDialogButtonBox::RejectRole), "CancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(buttons);
}

EditorSettings PreferencesDialog::Chosen() const {
    EditorSettings chosen = current_;
    chosen.StartTileSet = startTileSet_->currentData().toInt();
    chosen.StartScale = startScale_->currentData().toInt();
    chosen.GridLines = gridLines_->isChecked();
    chosen.Blink = blink_->isChecked();
    chosen.AutosaveSeconds = autosave_->currentData().toInt();
    chosen.Language = language_->currentData().toString();
    return chosen;
}

} // namespace tav
