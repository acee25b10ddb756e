// The floor of a whole-map action: the least any editor must do when one key changes every cell. A bare
// widget of the edit window's visible size that, on each press of the space bar, copies a 32-pixel map
// picture (48 * 32 pixels square, 4 bytes a pixel: 9,437,184 bytes) and paints the part of it that shows.
// Other keys do nothing, which gives the cost of a key press alone. whole_map_through_x.py drives it beside
// the editor.
//
//   floor_window WIDTH HEIGHT

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

#include <cstdlib>
#include <cstring>

namespace {

constexpr int MapPixels = 48 * 32;

class FloorWindow : public QWidget {
public:
    FloorWindow()
        : shown_(MapPixels, MapPixels, QImage::Format_RGB32), next_(MapPixels, MapPixels, QImage::Format_RGB32) {
        // Two different pictures, so that every copy changes what is painted.
        shown_.fill(QColor(40, 120, 60));
        next_.fill(QColor(30, 60, 160));
        setWindowTitle(QStringLiteral("floor"));
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() != Qt::Key_Space)
            return;
        // The map picture drawn anew: one copy of its bytes, then the visible part painted.
        std::swap(shown_, next_);
        std::memcpy(next_.bits(), shown_.constBits(), static_cast<std::size_t>(shown_.sizeInBytes()));
        shown_.bits()[0] ^= 0xFF;
        update();
    }
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.drawImage(event->rect(), shown_, event->rect());
    }

private:
    QImage shown_;
    QImage next_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: floor_window WIDTH HEIGHT\n");
        return 2;
    }
    FloorWindow window;
    window.setFixedSize(std::atoi(argv[1]), std::atoi(argv[2]));
    window.move(0, 0);
    window.show();
    return app.exec();
}
