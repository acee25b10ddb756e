#pragma once
// An 8-bit indexed drawing surface with the few primitives the artwork needs. Shapes are tested at
// pixel centres, so a shape drawn at 32, 16, 8 and 4 pixels is rasterised natively at each size.

#include <QImage>
#include <QRgb>

#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

namespace tav::artgen {

using Index = std::uint8_t;

class Canvas {
public:
    Canvas(int width, int height, Index fill = 0) : w_(width), h_(height), px_(static_cast<std::size_t>(width * height), fill) {}

    int Width() const { return w_; }
    int Height() const { return h_; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }
    Index Get(int x, int y) const { return px_[static_cast<std::size_t>(y * w_ + x)]; }
    void Put(int x, int y, Index c) {
        if (Inside(x, y))
            px_[static_cast<std::size_t>(y * w_ + x)] = c;
    }
    void Fill(Index c) { std::fill(px_.begin(), px_.end(), c); }
    void Rect(int x0, int y0, int x1, int y1, Index c) { // x1, y1 exclusive
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                Put(x, y, c);
    }
    void Frame(int x0, int y0, int x1, int y1, Index c) {
        for (int x = x0; x < x1; ++x) {
            Put(x, y0, c);
            Put(x, y1 - 1, c);
        }
        for (int y = y0; y < y1; ++y) {
            Put(x0, y, c);
            Put(x1 - 1, y, c);
        }
    }
    // Every pixel whose centre satisfies `inside(px, py)`, in pixel units.
    void Shape(const std::function<bool(double, double)>& inside, Index c) {
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x)
                if (inside(x + 0.5, y + 0.5))
                    Put(x, y, c);
    }
    // The rim of a shape: pixels inside whose 4-neighbour centre lies outside.
    void Outline(const std::function<bool(double, double)>& inside, Index c) {
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) {
                const double cx = x + 0.5, cy = y + 0.5;
                if (inside(cx, cy) && (!inside(cx - 1, cy) || !inside(cx + 1, cy) || !inside(cx, cy - 1) || !inside(cx, cy + 1)))
                    Put(x, y, c);
            }
    }
    void Line(double x0, double y0, double x1, double y1, double width, Index c) {
        Shape([&](double x, double y) { return SegmentDistance(x, y, x0, y0, x1, y1) <= width / 2; }, c);
    }
    void Disc(double cx, double cy, double r, Index c) {
        Shape([&](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; }, c);
    }
    void Ring(double cx, double cy, double r, double width, Index c) {
        Shape([&](double x, double y) {
            const double d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy));
            return d <= r + width / 2 && d >= r - width / 2;
        }, c);
    }
    void Ellipse(double cx, double cy, double rx, double ry, Index c) {
        Shape([&](double x, double y) { return Sq((x - cx) / rx) + Sq((y - cy) / ry) <= 1.0; }, c);
    }
    void Polygon(const std::vector<std::pair<double, double>>& points, Index c) {
        Shape([&](double x, double y) { return InPolygon(points, x, y); }, c);
    }
    void Blit(const Canvas& from, int left, int top) {
        for (int y = 0; y < from.h_; ++y)
            for (int x = 0; x < from.w_; ++x)
                Put(left + x, top + y, from.Get(x, y));
    }

    QImage ToImage(const QList<QRgb>& colours) const {
        QImage image(w_, h_, QImage::Format_Indexed8);
        image.setColorTable(colours);
        for (int y = 0; y < h_; ++y) {
            uchar* row = image.scanLine(y);
            for (int x = 0; x < w_; ++x)
                row[x] = Get(x, y);
        }
        return image;
    }

    static double Sq(double v) { return v * v; }
    static double SegmentDistance(double px, double py, double x0, double y0, double x1, double y1) {
        const double dx = x1 - x0, dy = y1 - y0;
        const double len2 = dx * dx + dy * dy;
        double t = len2 > 0 ? ((px - x0) * dx + (py - y0) * dy) / len2 : 0.0;
        t = std::clamp(t, 0.0, 1.0);
        return std::sqrt(Sq(px - (x0 + t * dx)) + Sq(py - (y0 + t * dy)));
    }
    static bool InPolygon(const std::vector<std::pair<double, double>>& pts, double x, double y) {
        bool inside = false;
        for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            const auto [xi, yi] = pts[i];
            const auto [xj, yj] = pts[j];
            if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
                inside = !inside;
        }
        return inside;
    }

private:
    int w_, h_;
    std::vector<Index> px_;
};

} // namespace tav::artgen
