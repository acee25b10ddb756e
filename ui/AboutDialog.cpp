#include "AboutDialog.h"

#include "TileBitmaps.h"

#include <QEvent>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace tav {
namespace {

struct TextInfo {
    const char* Name;
    int Left, Top, Width, Height;
    const char* Text;
    int PixelSize;
};

// Positions inside the panel, in pixels: left, top, width, height.
constexpr TextInfo Texts[] = {
    {"nameText", 200, 24, 172, 35, "Tav Renna", 27},
    {"productText", 264, 56, 136, 35, "Map Editor", 27},
    {"editionText", 328, 88, 139, 35, "2nd Edition", 27},
    {"versionText", 224, 128, 224, 35, "Version Alpha 0.10", 27},
    {"descriptionText", 64, 184, 349, 23, "Battle map editor for Tavrenna", 16},
    {"programCreditText", 188, 202, 154, 23, "Program: the team", 16},
    {"artworkCreditText", 116, 220, 263, 23, "Tile artwork: nine tile sets", 16},
    {"thanksText", 164, 238, 140, 23, "Thanks to all", 16},
};

} // namespace

AboutDialog::AboutDialog(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(tr("Tavrena MapEditor バージョン情報"));
    setFixedSize(ClientWidth, ClientHeight);
    setAutoFillBackground(true);
    QPalette silver = palette();
    silver.setColor(QPalette::Window, QColor(192, 192, 192));
    silver.setColor(QPalette::Button, QColor(192, 192, 192));
    setPalette(silver);
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    setFont(font);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("aboutPanel"));
    panel->setGeometry(8, 8, 481, 273);
    // A lowered outer and a lowered inner bevel: two pixels of sunken Windows panel.
    panel->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);

    auto* picture = new QLabel(panel);
    picture->setObjectName(QStringLiteral("aboutPicture"));
    picture->setGeometry(16, 16, 161, 161);
    // The picture sits in the control's top-left corner at its own size, as a picture control shows it.
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setPixmap(QPixmap::fromImage(ReadPng(QStringLiteral(":/about.png"))));

    for (const TextInfo& info : Texts) {
        auto* label = new QLabel(QString::fromUtf8(info.Text), panel);
        label->setObjectName(QString::fromLatin1(info.Name));
        label->setGeometry(info.Left, info.Top, info.Width, info.Height);
        QFont face(QStringLiteral("Times New Roman"));
        face.setPixelSize(info.PixelSize);
        face.setBold(true);
        face.setItalic(true);
        label->setFont(face);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("aboutOkButton"));
    ok->setGeometry(208, 288, 81, 33);
    ok->setDefault(true);
    ok->setAutoDefault(true);
    // Ends the modal showing; the box stays for the next one.
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutDialog::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        setWindowTitle(tr("Tavrena MapEditor バージョン情報"));
    QDialog::changeEvent(event);
}

} // namespace tav
