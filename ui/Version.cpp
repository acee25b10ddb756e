#include "Version.h"

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

// Positions inside Panel1, in pixels: left, top, width, height.
constexpr TextInfo Texts[] = {
    {"StaticText1", 200, 24, 172, 35, "Tav Renna", 27},
    {"StaticText2", 264, 56, 136, 35, "Map Editor", 27},
    {"StaticText3", 328, 88, 139, 35, "2nd Edition", 27},
    {"StaticText4", 224, 128, 224, 35, "Version Alpha 0.10", 27},
    {"StaticText5", 64, 184, 349, 23, "Battle map editor for Tavrenna", 16},
    {"StaticText6", 188, 202, 154, 23, "Program: the team", 16},
    {"StaticText7", 116, 220, 263, 23, "Tile artwork: nine tile sets", 16},
    {"StaticText8", 164, 238, 140, 23, "Thanks to all", 16},
};

} // namespace

TVersionView::TVersionView(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("VersionView"));
    setWindowTitle(QStringLiteral("Tavrena MapEditor バージョン情報"));
    setFixedSize(ClientWidth, ClientHeight);
    setAutoFillBackground(true);
    QPalette silver = palette();
    silver.setColor(QPalette::Window, QColor(192, 192, 192));
    silver.setColor(QPalette::Button, QColor(192, 192, 192));
    setPalette(silver);
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    setFont(font);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 8, 481, 273);
    // A lowered outer and a lowered inner bevel: two pixels of sunken Windows panel.
    Panel1->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);

    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(16, 16, 161, 161);
    // The picture sits in the control's top-left corner at its own size, as a picture control shows it.
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(QPixmap(QStringLiteral(":/about.png")));

    for (std::size_t i = 0; i < std::size(Texts); ++i) {
        const TextInfo& info = Texts[i];
        auto* label = new QLabel(QString::fromUtf8(info.Text), Panel1);
        label->setObjectName(QString::fromLatin1(info.Name));
        label->setGeometry(info.Left, info.Top, info.Width, info.Height);
        QFont face(QStringLiteral("Times New Roman"));
        face.setPixelSize(info.PixelSize);
        face.setBold(true);
        face.setItalic(true);
        label->setFont(face);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        StaticText[i] = label;
    }

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(208, 288, 81, 33);
    Button1->setDefault(true);
    Button1->setAutoDefault(true);
    connect(Button1, &QPushButton::clicked, this, &TVersionView::Button1Click);
}

void TVersionView::Button1Click() {
    // Ends the modal showing; the box stays for the next one.
    accept();
}

} // namespace tav
