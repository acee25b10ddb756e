// The single decorations: the monster, the sea monster, the ship and the logs.

#include "DecorationArt.h"

#include "TerrainArt.h"

#include <cmath>

namespace tav::artgen {

void Monster(Tile& t) {
    Ground(t);
    auto body = [](double u, double v) { return Canvas::Sq((u - 0.5) / 0.38) + Canvas::Sq((v - 0.58) / 0.34) <= 1.0; };
    auto horns = [](double u, double v) {
        const double d = std::abs(u - 0.5);
        return v >= 0.08 && v <= 0.34 && d >= 0.14 + (v - 0.08) * 0.2 && d <= 0.22 + (v - 0.08) * 0.5 && d <= 0.36;
    };
    t.Area(horns, White);
    t.Rim(horns, K);
    t.Area(body, Wood);
    t.Rim(body, K);
    t.Box(0.30, 0.44, 0.44, 0.58, White);
    t.Box(0.56, 0.44, 0.70, 0.58, White);
    if (t.E >= 8) {
        t.Box(0.36, 0.48, 0.42, 0.58, K);
        t.Box(0.58, 0.48, 0.64, 0.58, K);
    }
    if (t.Big()) {
        t.Box(0.32, 0.70, 0.68, 0.78, K);
        t.Box(0.36, 0.70, 0.42, 0.74, White);
        t.Box(0.58, 0.70, 0.64, 0.74, White);
    }
}

void SeaMonster(Tile& t) {
    Water(t, 48);
    const BuildingStyle style = t.Style.Building;
    if (style == BuildingStyle::Cloche) { // an octopus rising from the soup
        auto head = [](double u, double v) { return Canvas::Sq((u - 0.5) / 0.26) + Canvas::Sq((v - 0.36) / 0.24) <= 1.0; };
        auto arms = [](double u, double v) {
            for (double cu : {0.22, 0.5, 0.78})
                if (Canvas::SegmentDistance(u, v, 0.5 + (cu - 0.5) * 0.4, 0.52, cu, 0.78) <= 0.06)
                    return true;
            return false;
        };
        t.Area(arms, P1);
        t.Rim(arms, K);
        t.Area(head, P1);
        t.Rim(head, K);
        t.Box(0.38, 0.32, 0.46, 0.42, White);
        t.Box(0.54, 0.32, 0.62, 0.42, White);
        if (t.E >= 8) {
            t.Box(0.40, 0.36, 0.44, 0.42, K);
            t.Box(0.56, 0.36, 0.60, 0.42, K);
        }
        t.Box(0.06, 0.80, 0.94, 0.86, W2);
        return;
    }
    auto hump = [](double u, double v, double cu, double r) { return v <= 0.72 && Canvas::Sq(u - cu) + Canvas::Sq(v - 0.72) <= r * r && Canvas::Sq(u - cu) + Canvas::Sq(v - 0.72) >= (r - 0.12) * (r - 0.12); };
    auto body = [&](double u, double v) {
        return hump(u, v, 0.30, 0.20) || hump(u, v, 0.62, 0.16) ||
               (Canvas::Sq((u - 0.80) / 0.13) + Canvas::Sq((v - 0.34) / 0.11) <= 1.0) || (u >= 0.70 && u <= 0.80 && v >= 0.34 && v <= 0.72);
    };
    // machines get an iron serpent; eastern, jewel and creature sets a dragon with a spiny back
    const bool iron = style == BuildingStyle::Factory || style == BuildingStyle::Tower;
    const bool spiny = style == BuildingStyle::Pagoda || style == BuildingStyle::Onion || style == BuildingStyle::Horned;
    if (spiny) {
        auto spikes = [](double u, double v) {
            for (const auto& [cu, top] : {std::pair{0.30, 0.52}, std::pair{0.62, 0.56}})
                if (v >= top - 0.12 && v <= top + 0.02 && std::abs(u - cu) <= 0.06 * (v - top + 0.12) / 0.14)
                    return true;
            return false;
        };
        t.Area(spikes, F1);
        t.Rim(spikes, K);
    }
    t.Area(body, iron ? Index{S2} : Index{F2});
    t.Rim(body, K);
    t.Box(0.80, 0.28, 0.86, 0.34, White);
    t.Box(0.06, 0.74, 0.94, 0.80, W2);
}

void Ship(Tile& t) {
    Water(t, 48);
    const BuildingStyle style = t.Style.Building;
    if (style == BuildingStyle::Factory || style == BuildingStyle::Tower) { // a steamer with a funnel
        auto hull = [](double u, double v) { return v >= 0.56 && v <= 0.80 && std::abs(u - 0.5) <= 0.44 - (v - 0.56) * 0.6; };
        auto cabin = [](double u, double v) { return u >= 0.24 && u <= 0.70 && v >= 0.38 && v <= 0.58; };
        auto funnel = [](double u, double v) { return u >= 0.50 && u <= 0.64 && v >= 0.14 && v <= 0.40; };
        t.Area(funnel, S2);
        t.Area([&](double u, double v) { return funnel(u, v) && v <= 0.22; }, K);
        t.Rim(funnel, K);
        t.Area(cabin, White);
        t.Rim(cabin, K);
        if (t.Big())
            for (double bu : {0.30, 0.42, 0.54})
                t.Box(bu, 0.44, bu + 0.06, 0.50, W1);
        t.Area(hull, S1);
        t.Rim(hull, K);
        t.Box(0.06, 0.80, 0.94, 0.86, W2);
        return;
    }
    if (style == BuildingStyle::Tent) { // a canoe with a paddle
        auto canoe = [](double u, double v) { return Canvas::Sq((u - 0.5) / 0.44) + Canvas::Sq((v - 0.56) / 0.14) <= 1.0 && v >= 0.50; };
        t.C.Line(t.E * 0.70, t.E * 0.22, t.E * 0.40, t.E * 0.76, std::max(1.0, t.E * 0.06), Wood);
        t.Area(canoe, Wood);
        t.Rim(canoe, K);
        t.Area([](double u, double v) { return Canvas::Sq(u - 0.40) + Canvas::Sq(v - 0.44) <= 0.08 * 0.08; }, White);
        t.Box(0.08, 0.72, 0.92, 0.78, W2);
        return;
    }
    auto hull = [](double u, double v) { return v >= 0.60 && v <= 0.80 && std::abs(u - 0.5) <= 0.40 - (v - 0.60) * 0.9; };
    auto sail = [](double u, double v) { return u >= 0.50 && v >= 0.14 && v <= 0.56 && (u - 0.50) <= (v - 0.14) * 0.8; };
    auto jib = [](double u, double v) { return u < 0.46 && v >= 0.24 && v <= 0.56 && (0.46 - u) <= (v - 0.24) * 0.9; };
    t.Box(0.46, 0.08, 0.50, 0.62, K);
    t.Area(sail, White);
    if (style == BuildingStyle::Pagoda && t.E >= 8) // the battens of a junk sail
        for (double bv : {0.26, 0.38, 0.50})
            t.Area([&](double u, double v) { return sail(u, v) && std::abs(v - bv) <= 0.5 / t.E; }, K);
    if (style == BuildingStyle::Lighthouse) // a striped harbour sail
        t.Area([&](double u, double v) { return sail(u, v) && static_cast<int>(v * 10.0) % 2 == 0; }, W1);
    t.Rim(sail, K);
    t.Area(jib, White);
    t.Rim(jib, K);
    t.Area(hull, Wood);
    t.Rim(hull, K);
    t.Box(0.10, 0.80, 0.90, 0.86, W2);
}

void Logs(Tile& t) {
    Ground(t);
    const BuildingStyle style = t.Style.Building;
    if (style == BuildingStyle::Factory || style == BuildingStyle::Lighthouse || style == BuildingStyle::Tower) { // barrels
        for (double cu : {0.28, 0.72}) {
            auto barrel = [cu](double u, double v) { return v >= 0.30 && v <= 0.92 && std::abs(u - cu) <= 0.20 - 0.05 * std::abs(v - 0.61) / 0.31; };
            t.Area(barrel, style == BuildingStyle::Lighthouse ? Index{Wood} : Index{S1});
            for (double bv : {0.42, 0.80})
                t.Area([&](double u, double v) { return barrel(u, v) && std::abs(v - bv) <= 0.03; }, K);
            t.Rim(barrel, K);
        }
        auto lying = [](double u, double v) { return Canvas::Sq((u - 0.5) / 0.16) + Canvas::Sq((v - 0.18) / 0.14) <= 1.0; };
        t.Area(lying, S2);
        t.Rim(lying, K);
        return;
    }
    if (style == BuildingStyle::Horned) { // a heap of bones
        for (const auto& b : {std::array<double, 4>{0.16, 0.30, 0.84, 0.62}, std::array<double, 4>{0.20, 0.78, 0.80, 0.46}}) {
            auto bone = [&](double u, double v) {
                return Canvas::SegmentDistance(u, v, b[0], b[1], b[2], b[3]) <= 0.06 || Canvas::Sq(u - b[0]) + Canvas::Sq(v - b[1]) <= 0.1 * 0.1 ||
                       Canvas::Sq(u - b[2]) + Canvas::Sq(v - b[3]) <= 0.1 * 0.1;
            };
            t.Area(bone, White);
            t.Rim(bone, K);
        }
        return;
    }
    const double ends[][2] = {{0.30, 0.70}, {0.70, 0.70}, {0.50, 0.40}};
    for (const auto& p : ends) {
        auto log = [&](double u, double v) { return Canvas::Sq(u - p[0]) + Canvas::Sq(v - p[1]) <= 0.19 * 0.19; };
        t.Area(log, Wood);
        t.Area([&](double u, double v) { return Canvas::Sq(u - p[0]) + Canvas::Sq(v - p[1]) <= 0.11 * 0.11; }, Sand);
        if (t.Big())
            t.Area([&](double u, double v) { return Canvas::Sq(u - p[0]) + Canvas::Sq(v - p[1]) <= 0.035 * 0.035; }, Wood);
        t.Rim(log, K);
    }
}

void CrossedLogs(Tile& t) {
    Ground(t);
    auto a = [](double u, double v) { return Canvas::SegmentDistance(u, v, 0.16, 0.16, 0.84, 0.84) <= 0.10; };
    auto b = [](double u, double v) { return Canvas::SegmentDistance(u, v, 0.84, 0.16, 0.16, 0.84) <= 0.10; };
    t.Area(a, Wood);
    t.Rim(a, K);
    t.Area(b, Wood);
    t.Rim(b, K);
    if (t.Big())
        t.Area([](double u, double v) { return Canvas::SegmentDistance(u, v, 0.80, 0.20, 0.20, 0.80) <= 0.02; }, Sand);
}

} // namespace tav::artgen
