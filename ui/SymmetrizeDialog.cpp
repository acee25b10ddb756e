#include "SymmetrizeDialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tav {

namespace {

// The buttons' object names, by SymmetrySource, so that a script can pick a share by name.
constexpr const char* SourceButtonNames[] = {"leftSource",    "rightSource",    "topSource",
                                             "bottomSource",  "topLeftSource",  "topRightSource",
                                             "bottomLeftSource", "bottomRightSource"};

QString Prompt(SymmetryMode mode) {
    switch (mode) {
    case SymmetryMode::LeftRight:
        return SymmetrizeDialog::tr("マップを左右対称にします。元にする部分を選んでください。");
    case SymmetryMode::TopBottom:
        return SymmetrizeDialog::tr("マップを上下対称にします。元にする部分を選んでください。");
    case SymmetryMode::Quad:
        return SymmetrizeDialog::tr("マップを上下左右対称にします。元にする部分を選んでください。");
    case SymmetryMode::Half:
        return SymmetrizeDialog::tr("マップを点対称にします。元にする部分を選んでください。");
    case SymmetryMode::Quarter:
        return SymmetrizeDialog::tr("マップを四方回転対称にします。元にする部分を選んでください。");
    case SymmetryMode::None:
        break;
    }
    return {};
}

} // namespace

SymmetrizeDialog::SymmetrizeDialog(SymmetryMode mode, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("symmetrizeDialog"));
    setWindowTitle(tr("対称にする"));
    auto* column = new QVBoxLayout(this);
    auto* prompt = new QLabel(Prompt(mode), this);
    prompt->setObjectName(QStringLiteral("symmetrizePrompt"));
    column->addWidget(prompt);
    for (const SymmetrySource source : AllowedSources(mode)) {
        const QString name = QCoreApplication::translate("SymmetrySources", SymmetrySourceName(source).data());
        auto* button = new QRadioButton(name, this);
        button->setObjectName(QString::fromLatin1(SourceButtonNames[static_cast<std::size_t>(source)]));
        column->addWidget(button);
        sources_.emplace_back(source, button);
    }
    if (!sources_.empty())
        sources_.front().second->setChecked(true);
    auto* note = new QLabel(tr("他の部分は元の部分の写しで置き換わります。重なる城は取り除かれます。"), this);
    note->setWordWrap(true);
    column->addWidget(note);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);
}

SymmetrySource SymmetrizeDialog::Source() const {
    for (const auto& [source, button] : sources_)
        if (button->isChecked())
            return source;
    return sources_.front().first;
}

} // namespace tav
