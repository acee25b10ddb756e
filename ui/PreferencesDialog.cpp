#include "PreferencesDialog.h"

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

// The edit window's tile edges as the tool bar's hints name them.
constexpr std::pair<TileEdge, const char*> EdgeChoices[] = {
    {TileEdge::Px8, QT_TRANSLATE_NOOP("PreferencesDialog", "小さいサイズ (8)")},
    {TileEdge::Px16, QT_TRANSLATE_NOOP("PreferencesDialog", "普通のサイズ (16)")},
    {TileEdge::Px32, QT_TRANSLATE_NOOP("PreferencesDialog", "大きいサイズ (32)")}};
// The autosave intervals offered in whole minutes, after しない and 30 秒.
constexpr int AutosaveMinuteChoices[] = {1, 2, 5, 10, 15, 30, EditorSettings::MaxAutosaveMinutes};
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
    setObjectName(QStringLiteral("preferencesDialog"));
    setWindowTitle(tr("環境設定"));

    startTileSet_ = Named(new QComboBox(this), "startTileSet");
    for (const TileSetInfo& info : TileSets)
        startTileSet_->addItem(TileSetText(info.Name), TileSetNumber(info.Set));
    startTileSet_->setCurrentIndex(startTileSet_->findData(TileSetNumber(current.StartTileSet)));

    startEdge_ = Named(new QComboBox(this), "startEdge");
    for (const auto& [edge, caption] : EdgeChoices)
        startEdge_->addItem(QCoreApplication::translate("PreferencesDialog", caption), Pixels(edge));
    startEdge_->setCurrentIndex(startEdge_->findData(Pixels(current.StartEdge)));

    gridLines_ = Named(new QCheckBox(tr("グリッド線を表示する"), this), "gridLines");
    gridLines_->setChecked(current.GridLines);
    blink_ = Named(new QCheckBox(tr("カーソルを点滅させる"), this), "blink");
    blink_->setChecked(current.Blink);

    // A short list; an interval stored before in whole minutes between them is offered too, in its place.
    autosave_ = Named(new QComboBox(this), "autosaveInterval");
    autosave_->addItem(tr("しない"), 0);
    autosave_->addItem(tr("%1 秒").arg(30), 30);
    for (const int minutes : AutosaveMinuteChoices) {
        const int previous = autosave_->itemData(autosave_->count() - 1).toInt();
        if (current.AutosaveSeconds > previous && current.AutosaveSeconds < minutes * 60)
            autosave_->addItem(tr("%1 分").arg(current.AutosaveSeconds / 60), current.AutosaveSeconds);
        autosave_->addItem(tr("%1 分").arg(minutes), minutes * 60);
    }
    autosave_->setCurrentIndex(std::max(0, autosave_->findData(current.AutosaveSeconds)));

    language_ = Named(new QComboBox(this), "language");
    for (const auto& [code, name] : LanguageChoices)
        language_->addItem(QString::fromUtf8(name), QString::fromLatin1(code));
    language_->setCurrentIndex(std::max(0, language_->findData(current.Language)));

    auto* form = new QFormLayout;
    form->addRow(tr("起動時のタイルセット"), startTileSet_);
    form->addRow(tr("起動時のサイズ"), startEdge_);
    form->addRow(QString(), gridLines_);
    form->addRow(QString(), blink_);
    if (autosaveNote.isEmpty()) {
        form->addRow(tr("自動保存の間隔"), autosave_);
    } else {
        auto* note = Named(new QLabel(autosaveNote, this), "autosaveNote");
        note->setWordWrap(true);
        note->setStyleSheet(QStringLiteral("color: #c00000;"));
        auto* field = new QVBoxLayout;
        field->addWidget(autosave_);
        field->addWidget(note);
        form->addRow(tr("自動保存の間隔"), field);
    }
    form->addRow(tr("言語"), language_);

    auto* buttons = new QDialogButtonBox(this);
    Named(buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole), "okButton")->setDefault(true);
    Named(buttons->addButton(tr("キャンセル"), QDialogButtonBox::RejectRole), "cancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(buttons);
}

EditorSettings PreferencesDialog::Chosen() const {
    EditorSettings chosen = current_;
    chosen.StartTileSet = TileSetNumbered(startTileSet_->currentData().toInt()).value_or(current_.StartTileSet);
    chosen.StartEdge = TileEdgeOfPixels(startEdge_->currentData().toInt()).value_or(current_.StartEdge);
    chosen.GridLines = gridLines_->isChecked();
    chosen.Blink = blink_->isChecked();
    chosen.AutosaveSeconds = autosave_->currentData().toInt();
    chosen.Language = language_->currentData().toString();
    return chosen;
}

} // namespace tav
