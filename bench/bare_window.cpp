// A bare Qt window of the editor's kind, the yardstick of startup.sh: a QMainWindow holding a QMdiArea with
// one subwindow that shows a 384-pixel picture of 12 x 12 coloured squares. Nothing of ours is linked.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPixmap>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bare window"));
    auto* area = new QMdiArea;
    window.setCentralWidget(area);

    QPixmap squares(384, 384);
    QPainter painter(&squares);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            painter.fillRect(x * 32, y * 32, 32, 32, QColor::fromHsv((x * 7 + y * 13) * 9 % 360, 200, 220));
    painter.end();

    auto* label = new QLabel;
    label->setPixmap(squares);
    label->setFixedSize(384, 384);
    QMdiSubWindow* sub = area->addSubWindow(label);
    sub->setWindowTitle(QStringLiteral("map"));
    sub->show();

    window.resize(1024, 768);
    window.show();
    return app.exec();
}
