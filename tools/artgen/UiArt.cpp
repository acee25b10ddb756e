// Tool-bar pictures, the window icon and the about-box picture.

#include "ArtGen.h"
#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace tav::artgen {

namespace {

// One colour table for all tool-bar pictures; the buttons sit on a silver bar.
enum Ui : Index {
    Silver, Black, White, Grey, LightGrey, Yellow, DarkYellow, Blue, LightBlue, Red, DarkRed, Green, LightGreen,
    Brown, Tan, Orange, Sea, Sand, UiCount
};
const QList<QRgb> UiColours = {
    0xFFC0C0C0, 0xFF000000, 0xFFFFFFFF, 0xFF808080, 0xFFE2E2E2, 0xFFF2C83C, 0xFFB48C1E, 0xFF2850C8, 0xFF78AAF0,
    0xFFD22828, 0xFF8C1414, 0xFF28A03C, 0xFF82D26E, 0xFF825028, 0xFFDCB478, 0xFFF08C28, 0xFF2C68C8, 0xFFE6D28E,
};

using Pts = std::vector<std::pair<double, double>>;

void Page(Canvas& c, int x0, int y0, int x1, int y1) {
    c.Rect(x0, y0, x1, y1, White);
    c.Frame(x0, y0, x1, y1, Black);
    // folded corner
    c.Polygon({{x1 - 6.0, y0 + 0.0}, {x1 + 0.0, y0 + 6.0}, {x1 - 6.0, y0 + 6.0}}, LightGrey);
    c.Polygon({{x1 - 5.5, y0 - 0.5}, {x1 + 0.5, y0 - 0.5}, {x1 + 0.5, y0 + 5.5}}, Silver);
    c.Line(x1 - 6.0 + 0.5, y0 + 0.5, x1 - 0.5, y0 + 6.5, 1.0, Black);
    c.Rect(x1 - 6, y0, x1 - 5, y0 + 7, Black);
    c.Rect(x1 - 6, y0 + 6, x1, y0 + 7, Black);
}

void Floppy(Canvas& c, int x0, int y0, int size) {
    const int x1 = x0 + size, y1 = y0 + size;
    c.Rect(x0, y0, x1, y1, Blue);
    c.Frame(x0, y0, x1, y1, Black);
    c.Rect(x0 + 4, y0 + 1, x1 - 4, y0 + size / 2 - 1, White);      // label
    c.Rect(x0 + 5, y0 + 3, x1 - 5, y0 + 4, LightBlue);
    c.Rect(x0 + 5, y1 - size / 3, x1 - 5, y1 - 1, LightGrey);     // shutter
    c.Rect(x0 + 6, y1 - size / 3 + 1, x0 + 8, y1 - 2, Black);
}

void Pencil(Canvas& c, double x0, double y0, double x1, double y1, double width) {
    // body from (x0, y0) (tip) to (x1, y1) (eraser)
    const double dx = x1 - x0, dy = y1 - y0, len = std::sqrt(dx * dx + dy * dy);
    const double ux = dx / len, uy = dy / len;
    const double tipLen = width * 1.4;
    c.Line(x0 + ux * tipLen, y0 + uy * tipLen, x1 - ux * 3, y1 - uy * 3, width, Yellow);
    c.Line(x0 + ux * tipLen, y0 + uy * tipLen, x1 - ux * 3, y1 - uy * 3, width * 0.35, DarkYellow);
    c.Line(x1 - ux * 3, y1 - uy * 3, x1, y1, width, Red);
    const double px = -uy * width / 2, py = ux * width / 2;
    c.Polygon({{x0, y0}, {x0 + ux * tipLen + px, y0 + uy * tipLen + py}, {x0 + ux * tipLen - px, y0 + uy * tipLen - py}}, Tan);
    c.Disc(x0 + ux * 1.2, y0 + uy * 1.2, 1.3, Black);
}

void Arrow(Canvas& c, double x0, double y0, double x1, double y1, Index colour) {
    const double dx = x1 - x0, dy = y1 - y0, len = std::sqrt(dx * dx + dy * dy);
    const double ux = dx / len, uy = dy / len;
    c.Line(x0, y0, x1 - ux * 4, y1 - uy * 4, 2.2, colour);
    c.Polygon({{x1 + ux, y1 + uy}, {x1 - ux * 5 - uy * 4, y1 - uy * 5 + ux * 4}, {x1 - ux * 5 + uy * 4, y1 - uy * 5 - ux * 4}}, colour);
}

void Checker(Canvas& c, int cells) {
    const int x0 = 3, size = 18, q = size / cells;
    for (int j = 0; j < cells; ++j)
        for (int i = 0; i < cells; ++i)
            c.Rect(x0 + i * q, x0 + j * q, x0 + (i + 1) * q, x0 + (j + 1) * q, (i + j) % 2 ? LightGreen : Green);
    c.Frame(x0 - 1, x0 - 1, x0 + cells * q + 1, x0 + cells * q + 1, Black);
}

void MiniShore(Canvas& c, bool shaped) {
    // a little map: water with an island, with or without its shore
    c.Rect(2, 4, 22, 20, Sea);
    if (shaped) {
        c.Ellipse(12, 12, 7.5, 5.5, Sand);
        c.Ellipse(12, 12, 5.5, 3.8, Green);
    } else {
        c.Rect(6, 8, 18, 16, Green);
    }
    c.Frame(2, 4, 22, 20, Black);
}

Canvas ToolbarCanvas(const QString& name) {
    Canvas c(24, 24, Silver);
    if (name == "new-map") {
        Page(c, 5, 2, 19, 22);
        c.Line(11, 4, 11, 10, 1, Orange);
        c.Line(8, 7, 14, 7, 1, Orange);
        c.Put(9, 5, Yellow); c.Put(13, 5, Yellow); c.Put(9, 9, Yellow); c.Put(13, 9, Yellow);
    } else if (name == "open") {
        c.Polygon({{2, 6}, {9, 6}, {11, 8}, {19, 8}, {19, 20}, {2, 20}}, DarkYellow);
        c.Polygon({{5, 11}, {23, 11}, {19, 20}, {2, 20}}, Yellow);
        c.Outline([](double x, double y) { return Canvas::InPolygon({{2, 6}, {9, 6}, {11, 8}, {19, 8}, {19, 11}, {23, 11}, {19, 20}, {2, 20}}, x, y); }, Black);
        Arrow(c, 14, 7, 19, 2, Green);
    } else if (name == "save-as") {
        Floppy(c, 2, 5, 17);
        Pencil(c, 12, 20, 22, 4, 4);
    } else if (name == "save") {
        Floppy(c, 3, 3, 18);
    } else if (name == "exit") {
        c.Rect(4, 2, 14, 22, Brown);
        c.Frame(4, 2, 14, 22, Black);
        c.Polygon({{4, 2}, {10, 5}, {10, 23}, {4, 21}}, Tan);
        c.Frame(4, 2, 14, 22, Black);
        c.Put(8, 13, Black);
        Arrow(c, 12, 12, 22, 12, Red);
    } else if (name == "pen") {
        Pencil(c, 3, 21, 20, 4, 5);
    } else if (name == "line") {
        c.Line(4, 20, 20, 4, 2.0, Black);
        c.Disc(4, 20, 2, Blue);
        c.Disc(20, 4, 2, Blue);
    } else if (name == "box") {
        c.Frame(3, 5, 21, 19, Black);
        c.Frame(4, 6, 20, 18, Black);
    } else if (name == "box-fill") {
        c.Rect(3, 5, 21, 19, Blue);
        c.Frame(3, 5, 21, 19, Black);
        c.Rect(4, 6, 20, 8, LightBlue);
    } else if (name == "circle") {
        c.Shape([](double x, double y) { const double d = Canvas::Sq((x - 12) / 9.5) + Canvas::Sq((y - 12) / 8); return d <= 1.0 && d >= 0.64; }, Black);
    } else if (name == "circle-fill") {
        c.Ellipse(12, 12, 9.5, 8, Blue);
        c.Outline([](double x, double y) { return Canvas::Sq((x - 12) / 9.5) + Canvas::Sq((y - 12) / 8) <= 1.0; }, Black);
        c.Ellipse(9, 9, 3, 2, LightBlue);
    } else if (name == "bucket") {
        const Pts bucket = {{3, 10}, {13, 4}, {19, 14}, {10, 20}};
        c.Polygon(bucket, LightGrey);
        c.Outline([&](double x, double y) { return Canvas::InPolygon(bucket, x, y); }, Black);
        c.Line(3, 10, 13, 4, 2, Grey);
        c.Ring(8, 7, 5, 1, Black);
        c.Polygon({{13, 4}, {22, 13}, {21, 20}, {19, 14}}, Blue);
        c.Disc(21, 20, 2, Blue);
    } else if (name == "range-selection") {
        // marching ants around the selection
        for (int i = 3; i < 21; ++i) {
            const Index dash = ((i / 2) % 2) ? Black : White;
            c.Put(i, 4, dash);
            c.Put(i, 18, dash);
        }
        for (int j = 4; j < 19; ++j) {
            const Index dash = ((j / 2) % 2) ? Black : White;
            c.Put(3, j, dash);
            c.Put(20, j, dash);
        }
        c.Polygon({{13, 11}, {13, 23}, {16, 20}, {19, 23}, {21, 22}, {18, 19}, {22, 18}}, White);
        c.Outline([](double x, double y) { return Canvas::InPolygon({{13, 11}, {13, 23}, {16, 20}, {19, 23}, {21, 22}, {18, 19}, {22, 18}}, x, y); }, Black);
    } else if (name == "cut") {
        c.Line(7, 2, 15, 15, 2, Grey);
        c.Line(17, 2, 9, 15, 2, Grey);
        c.Line(7, 2, 15, 15, 0.8, LightGrey);
        c.Ring(7, 18, 3.5, 1.6, Red);
        c.Ring(17, 18, 3.5, 1.6, Red);
        c.Disc(12, 10, 1, Black);
    } else if (name == "paste") {
        c.Rect(4, 4, 18, 22, Brown);
        c.Frame(4, 4, 18, 22, Black);
        c.Rect(8, 2, 14, 6, Grey);
        c.Frame(8, 2, 14, 6, Black);
        Page(c, 10, 9, 22, 23);
        c.Rect(12, 15, 19, 16, Grey);
        c.Rect(12, 18, 19, 19, Grey);
    } else if (name == "replace") {
        c.Rect(2, 3, 11, 12, Green);
        c.Frame(2, 3, 11, 12, Black);
        c.Rect(13, 12, 22, 21, Sea);
        c.Frame(13, 12, 22, 21, Black);
        Arrow(c, 7, 15, 11, 19, Red);
        Arrow(c, 7, 13, 7, 18, Red);
    } else if (name == "exchange") {
        c.Rect(2, 8, 8, 16, Green);
        c.Frame(2, 8, 8, 16, Black);
        c.Rect(16, 8, 22, 16, Sea);
        c.Frame(16, 8, 22, 16, Black);
        Arrow(c, 9, 6, 16, 6, Red);
        Arrow(c, 15, 18, 8, 18, Red);
    } else if (name == "shape") {
        MiniShore(c, true);
        c.Line(14, 22, 22, 14, 1.6, Brown);
        c.Put(22, 12, Yellow); c.Put(21, 13, White); c.Put(23, 13, Yellow); c.Put(22, 14, Yellow);
    } else if (name == "unshape") {
        MiniShore(c, false);
        c.Line(15, 15, 22, 22, 2, Red);
        c.Line(22, 15, 15, 22, 2, Red);
    } else if (name == "undo") {
        c.Shape([](double x, double y) { const double d = std::sqrt(Canvas::Sq(x - 12) + Canvas::Sq(y - 13)); return d >= 5.5 && d <= 8.2 && !(x < 12 && y > 13); }, Blue);
        c.Polygon({{0.5, 13}, {9.5, 13}, {5, 19}}, Blue);
    } else if (name == "edge-32") {
        Checker(c, 2);
    } else if (name == "edge-16") {
        Checker(c, 3);
    } else if (name == "edge-8") {
        Checker(c, 6);
    } else if (name == "map-check") {
        Page(c, 3, 2, 19, 22);
        c.Rect(6, 10, 16, 11, Grey); c.Rect(6, 13, 16, 14, Grey); c.Rect(6, 16, 13, 17, Grey);
        c.Line(8, 13, 12, 18, 2.4, Red);
        c.Line(12, 18, 21, 5, 2.4, Red);
    } else if (name == "faction-analysis") {
        const Index bars[] = {Green, Red, White, Black};
        const int heights[] = {14, 9, 17, 6};
        for (int i = 0; i < 4; ++i) {
            const int x = 3 + i * 5;
            c.Rect(x, 21 - heights[i], x + 4, 21, bars[i]);
            c.Frame(x, 21 - heights[i], x + 4, 21, Black);
        }
        c.Rect(2, 21, 23, 22, Black);
    } else if (name == "help") {
        c.Disc(12, 12, 10, Blue);
        c.Outline([](double x, double y) { return Canvas::Sq(x - 12) + Canvas::Sq(y - 12) <= 100; }, Black);
        c.Shape([](double x, double y) { const double d = std::sqrt(Canvas::Sq(x - 12) + Canvas::Sq(y - 9)); return d >= 2.2 && d <= 4.6 && !(x < 11 && y > 9); }, White);
        c.Rect(11, 12, 14, 15, White);
        c.Rect(11, 16, 14, 19, White);
    } else if (name == "symmetry") {
        // A flag and its mirror image on either side of a dashed axis.
        c.Polygon({{3, 6}, {10, 9}, {3, 12}}, Green);
        c.Polygon({{21, 6}, {14, 9}, {21, 12}}, Red);
        c.Rect(2, 5, 3, 20, Black);
        c.Rect(21, 5, 22, 20, Black);
        c.Rect(2, 20, 7, 21, Brown);
        c.Rect(17, 20, 22, 21, Brown);
        for (int y = 2; y < 23; y += 4)
            c.Rect(11, y, 13, y + 2, Blue);
    }
    return c;
}

} // namespace

const std::vector<QString>& ToolbarPictureNames() {
    static const std::vector<QString> names = {
        "new-map", "open", "save-as", "save", "exit", "pen", "line",
        "box", "box-fill", "circle", "circle-fill", "bucket", "range-selection",
        "cut", "paste", "replace", "exchange", "shape", "unshape",
        "undo", "edge-32", "edge-16", "edge-8", "map-check", "faction-analysis",
        "help", "symmetry",
    };
    return names;
}

QImage ToolbarPicture(const QString& pictureName) { return ToolbarCanvas(pictureName).ToImage(UiColours); }

namespace {

struct IconLayout {
    int Size;
    int Tiles; // per side: 2 or 3
    int Edge;  // of a tile picture: 8, 16 or 32
};
constexpr IconLayout IconLayouts[] = {
    {16, 2, 8}, {24, 3, 8}, {32, 2, 16}, {48, 3, 16}, {64, 2, 32}, {96, 3, 16}, {128, 2, 32}, {256, 2, 32},
};

} // namespace

const std::vector<int>& IconSizes() {
    static const std::vector<int> sizes = [] {
        std::vector<int> all;
        for (const IconLayout& layout : IconLayouts)
            all.push_back(layout.Size);
        return all;
    }();
    return sizes;
}

QImage IconPicture(int size) {
    // A corner of a map in the first tile set: a fortress on green land by the water (two by two tiles), or
    // the fortress in its walls (three by three). Above the largest tiles every pixel is repeated, so the
    // icon stays crisp at every size the desktop asks for.
    static constexpr int codes32[2][2] = {{4, 20}, {63, 126}};
    static constexpr int codes48[3][3] = {{112, 116, 113}, {114, 20, 115}, {120, 29, 121}};
    const auto layout = std::find_if(std::begin(IconLayouts), std::end(IconLayouts),
                                     [size](const IconLayout& l) { return l.Size == size; });
    if (layout == std::end(IconLayouts))
        return {};
    const int e = layout->Edge;
    const QImage tiles = TileSetPicture(1, e);
    QImage icon(layout->Tiles * e, layout->Tiles * e, QImage::Format_Indexed8);
    icon.setColorTable(tiles.colorTable());
    for (int j = 0; j < layout->Tiles; ++j)
        for (int i = 0; i < layout->Tiles; ++i) {
            const int code = layout->Tiles == 3 ? codes48[j][i] : codes32[j][i];
            for (int y = 0; y < e; ++y)
                for (int x = 0; x < e; ++x)
                    icon.setPixel(i * e + x, j * e + y, tiles.pixelIndex((code % 8) * e + x, (code / 8) * e + y));
        }
    return size == icon.width() ? icon : icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QImage AboutPicture() {
    // 256 colours: shading ramps for the paint, the wood, the metal and the background.
    enum { Bg = 0, Ink = 1, RedRamp = 16, WoodRamp = 48, MetalRamp = 80, BgRamp = 112, Bristle = 144 };
    QList<QRgb> colours(256, 0xFF000000);
    colours[Bg] = 0xFFC0C0C0;
    colours[Ink] = 0xFF000000;
    auto ramp = [&](int base, int count, QColor from, QColor to) {
        for (int i = 0; i < count; ++i) {
            const double f = count > 1 ? double(i) / (count - 1) : 0.0;
            colours[base + i] = qRgb(int(from.red() + (to.red() - from.red()) * f), int(from.green() + (to.green() - from.green()) * f),
                                     int(from.blue() + (to.blue() - from.blue()) * f));
        }
    };
    ramp(RedRamp, 32, QColor(90, 0, 0), QColor(255, 120, 110));
    ramp(WoodRamp, 32, QColor(70, 35, 10), QColor(230, 170, 100));
    ramp(MetalRamp, 32, QColor(60, 64, 72), QColor(245, 248, 252));
    ramp(BgRamp, 32, QColor(200, 214, 235), QColor(250, 250, 255));
    ramp(Bristle, 16, QColor(30, 24, 20), QColor(120, 100, 80));

    Canvas c(150, 150, Bg);
    auto shade = [](int base, int count, double f) { return static_cast<Index>(base + std::clamp(int(f * (count - 1) + 0.5), 0, count - 1)); };
    // background: a soft vertical gradient, dithered so it stays smooth in 32 steps
    static constexpr int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 150; ++x) {
            const double f = 1.0 - y / 150.0 + (bayer[y % 4][x % 4] / 16.0 - 0.5) / 31.0;
            c.Put(x, y, shade(BgRamp, 32, f));
        }
    // the bucket: lit from the left, a rim ellipse full of red paint, a wire handle
    const double top = 96, bottom = 142, rTop = 36, rBottom = 28, cx = 75;
    auto halfWidth = [&](double y) { return rTop + (rBottom - rTop) * (y - top) / (bottom - top); };
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 150; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            if (py < top || py > bottom + 6)
                continue;
            const double hw = halfWidth(std::min(py, bottom));
            const double t = (px - cx) / hw;
            const bool body = std::abs(t) <= 1.0 && (py <= bottom || Canvas::Sq(t) + Canvas::Sq((py - bottom) / 6) <= 1.0);
            if (body) {
                const double light = 0.95 - 0.75 * Canvas::Sq((t + 0.45) / 1.45) + (bayer[y % 4][x % 4] / 16.0 - 0.5) / 31.0;
                c.Put(x, y, shade(MetalRamp, 32, light));
            }
        }
    c.Outline([&](double x, double y) {
        if (y < top || y > bottom + 6) return false;
        const double hw = halfWidth(std::min(y, bottom));
        const double t = (x - cx) / hw;
        return std::abs(t) <= 1.0 && (y <= bottom || Canvas::Sq(t) + Canvas::Sq((y - bottom) / 6) <= 1.0);
    }, Ink);
    c.Ellipse(cx, top, rTop, 8, shade(MetalRamp, 32, 0.3));
    c.Ellipse(cx, top + 1, rTop - 3, 6, shade(RedRamp, 32, 0.55));
    c.Ellipse(cx - 8, top, 12, 2.5, shade(RedRamp, 32, 0.85));
    c.Shape([&](double x, double y) { const double d = Canvas::Sq((x - cx) / rTop) + Canvas::Sq((y - top) / 8); return d <= 1.0 && d >= 0.84; }, Ink);
    // paint running down the side
    for (const auto& drip : {std::pair{52.0, 18.0}, std::pair{63.0, 10.0}, std::pair{92.0, 22.0}})
        c.Shape([&](double x, double y) { return std::abs(x - drip.first) <= 3.2 && y >= top + 4 && y <= top + drip.second; }, shade(RedRamp, 32, 0.5));
    for (const auto& drip : {std::pair{52.0, 18.0}, std::pair{63.0, 10.0}, std::pair{92.0, 22.0}})
        c.Disc(drip.first, top + drip.second, 3.6, shade(RedRamp, 32, 0.45));
    c.Shape([&](double x, double y) { const double d = std::sqrt(Canvas::Sq(x - cx) + Canvas::Sq((y - top) * 1.2)); return y < top && d >= rTop - 1 && d <= rTop + 1.2; }, shade(MetalRamp, 32, 0.15));

    // the brush, handle to the upper right, bristles down to the left
    const double hx0 = 140, hy0 = 8, fx = 84, fy = 52, bx = 62, by = 72;
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 150; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double dh = Canvas::SegmentDistance(px, py, hx0, hy0, fx + 6, fy - 5);
            if (dh <= 6.5) {
                const double side = ((px - hx0) * 0.707 + (py - hy0) * 0.707) * 0.0 + ((px - fx) * 0.66 - (py - fy) * -0.75);
                (void)side;
                const double across = ((px - hx0) * -0.66 + (py - hy0) * -0.75) / 6.5; // -1..1 across the handle
                c.Put(x, y, shade(WoodRamp, 32, 0.55 + 0.4 * across - 0.2 * across * across));
            }
        }
    c.Outline([&](double x, double y) { return Canvas::SegmentDistance(x, y, hx0, hy0, fx + 6, fy - 5) <= 6.5; }, Ink);
    auto ferrule = [&](double x, double y) { return Canvas::SegmentDistance(x, y, fx + 7, fy - 6, fx - 3, fy + 3) <= 8; };
    c.Shape(ferrule, shade(MetalRamp, 32, 0.6));
    c.Shape([&](double x, double y) { return ferrule(x, y) && Canvas::SegmentDistance(x, y, fx + 7, fy - 6, fx - 3, fy + 3) <= 3; }, shade(MetalRamp, 32, 0.95));
    c.Outline(ferrule, Ink);
    auto bristles = [&](double x, double y) {
        const double d = Canvas::SegmentDistance(x, y, fx - 3, fy + 3, bx, by);
        const double along = ((x - (fx - 3)) * (bx - fx + 3) + (y - (fy + 3)) * (by - fy - 3)) / (Canvas::Sq(bx - fx + 3) + Canvas::Sq(by - fy - 3));
        return d <= 8.5 - 4.0 * std::clamp(along, 0.0, 1.0) * std::clamp(along, 0.0, 1.0);
    };
    c.Shape(bristles, Bristle + 4);
    c.Shape([&](double x, double y) { return bristles(x, y) && Canvas::SegmentDistance(x, y, fx - 3, fy + 3, bx, by) > 0 && ((int(x) + int(y)) % 4 == 0); }, Bristle + 10);
    c.Shape([&](double x, double y) { return bristles(x, y) && Canvas::SegmentDistance(x, y, bx, by, bx, by) < 9; }, shade(RedRamp, 32, 0.5));
    c.Outline(bristles, Ink);
    // the splash: a burst of red drops flying from the bristles
    const double drops[][3] = {{46, 84, 6}, {34, 74, 4}, {54, 96, 3.5}, {28, 92, 3}, {40, 62, 3}, {22, 66, 2.2},
                               {20, 82, 2.5}, {36, 100, 2}, {58, 86, 3}, {14, 74, 1.6}, {48, 70, 2.4}, {30, 56, 1.8}};
    for (const auto& d : drops) {
        c.Disc(d[0], d[1], d[2], shade(RedRamp, 32, 0.5));
        c.Disc(d[0] - d[2] * 0.35, d[1] - d[2] * 0.35, d[2] * 0.35, shade(RedRamp, 32, 0.95));
    }
    c.Line(60, 76, 46, 84, 5, shade(RedRamp, 32, 0.45));
    c.Line(58, 78, 36, 74, 2.5, shade(RedRamp, 32, 0.45));
    return c.ToImage(colours);
}

} // namespace tav::artgen
