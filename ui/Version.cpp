#include "Version.h"

#include <QPushButton>

namespace tav {

TVersionView::TVersionView(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("VersionView"));
    setWindowTitle(QStringLiteral("Tavrena MapEditor バージョン情報"));
    setFixedSize(ClientWidth, ClientHeight);
    setAutoFillBackground(true);
    QPalette silver = palette();
    silver.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(silver);
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(208, 288, 81, 33);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &TVersionView::Button1Click);
}

void TVersionView::Button1Click() {
    accept();
}

} // namespace tav
