#pragma once
// What every drawing of a tile shares: the colour slots, the looks of the nine sets, and the tile being
// drawn. Every tile is drawn from its role; the role layout is the same in all sets, only colours and a few
// motifs change with each set's mood. Shapes are described in tile units (0..1 across the tile) and tested
// at pixel centres, so each scale is rasterised natively.

#include "Canvas.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace tav::artgen {

// Colour slots, the same in every set; each set fills them with its own colours.
enum Slot : Index {
    K,    // outline and plain black
    Deep, // plain dark blue
    G1, G2, G3, // ground: light, base, dark
    F1, F2,     // foliage: light, dark
    Wood,
    W1, W2, // water: base, highlight
    Sand,   // shore
    P1, P2, // plateau: top, cliff
    M1, M2, // mountain: lit, shaded
    White,
    S1, S2,                 // stone: light, dark
    Fa0, Fa1, Fa2, Fa3,     // the four faction colours
    SlotCount
};
static_assert(SlotCount == 22, "a tile set has 22 colours at the three larger scales");

enum class TreeStyle { Round, Conifer, Crystal, Palm, Mushroom };
enum class GroundStyle { Grass, Crumbs, Plates, Sparkle, Dunes, Petals, Snow };
// The buildings of a set: houses, keeps and their roofs follow the theme of the set's faction names.
enum class BuildingStyle { Gable, Cloche, Pagoda, Factory, Onion, Horned, Lighthouse, Tower, Tent };
enum class WaterStyle { Crests, Bubbles, Ripples, Lights };
enum class MountainStyle { Jagged, Domes, Blocks, Spires };

struct SetStyle {
    std::array<std::uint32_t, Fa0> Colours; // slots K .. S2
    std::array<std::uint32_t, 4> Factions;
    TreeStyle Tree;
    GroundStyle Ground;
    BuildingStyle Building;
    WaterStyle Waves;
    MountainStyle Rock;
    bool SnowCaps;
};

// The colours named in the faction names.
inline constexpr std::uint32_t Green = 0x24B44A, Red = 0xDC2C2C, WhiteFaction = 0xF4F4F0, Black = 0x34343C,
                        Blue = 0x2C5AE6, Yellow = 0xF8D020;

// Each set keeps its terrain masses apart (the contrast test measures them) and its own mood.
//                      K         Deep      G1        G2        G3        F1        F2        Wood      W1        W2        Sand      P1        P2        M1        M2        White     S1        S2
inline constexpr std::array<SetStyle, 9> Sets = {{
    // 1: green lands of four domains
    {{0x000000, 0x00005E, 0x96D860, 0x6CB844, 0x4A8C2C, 0x2A7A3C, 0x12482A, 0x7A4E28, 0x2A62C8, 0x8CC4F4, 0xF0E6B0, 0xB08050, 0x6A4A30, 0xC4C4CC, 0x7A7884, 0xF8F8F0, 0xD8D0C0, 0x8A8478},
     {Green, Red, WhiteFaction, Black}, TreeStyle::Round, GroundStyle::Grass, BuildingStyle::Gable, WaterStyle::Crests, MountainStyle::Jagged, true},
    // 2: restaurants on a tablecloth: soup lakes, cake plateaus, cheese hills, gingerbread walls
    {{0x2A160C, 0x00005E, 0xFFF6E6, 0xF4E2C4, 0xD8B88C, 0x9ACC4C, 0x4A8A2A, 0xB0703A, 0xD4622E, 0xF8B070, 0xA09058, 0xF0A8C0, 0x8C4A2C, 0xFFE070, 0xD8A030, 0xFFFFFF, 0xD89858, 0xA06030},
     {Red, Blue, Yellow, WhiteFaction}, TreeStyle::Round, GroundStyle::Crumbs, BuildingStyle::Cloche, WaterStyle::Bubbles, MountainStyle::Domes, false},
    // 3: eastern houses among blossom, pines and ink mountains
    {{0x1A1414, 0x00005E, 0xF0D8DC, 0xE0BCC4, 0xB8909A, 0x3E7A5A, 0x1C4434, 0x8C2A20, 0x38A8B0, 0x9AD2E0, 0xA08C60, 0xB05A3C, 0x5A2A1E, 0x6A7890, 0x343C56, 0xFAF5EB, 0xB8342A, 0x6A1A14},
     {Green, Red, WhiteFaction, Blue}, TreeStyle::Conifer, GroundStyle::Petals, BuildingStyle::Pagoda, WaterStyle::Ripples, MountainStyle::Spires, false},
    // 4: machines: steel plates, coolant, copper slag heaps, crystal antennas
    {{0x101216, 0x00005E, 0x9AA2AE, 0x7A8290, 0x5A626E, 0x70E0E8, 0x0C4C4C, 0x6A4A30, 0x1E3A7A, 0x4A8AD8, 0xDCC030, 0xC8D0DC, 0x14161A, 0xE0A860, 0x9A5A30, 0xF0F4FA, 0xC8CED8, 0x6A707C},
     {Blue, Red, WhiteFaction, Black}, TreeStyle::Crystal, GroundStyle::Plates, BuildingStyle::Factory, WaterStyle::Lights, MountainStyle::Blocks, false},
    // 5: jewel duchies: amethyst ground, emerald groves, sapphire seas, ice peaks
    {{0x100A18, 0x00005E, 0x7C5CA6, 0x5C3C84, 0x3E2660, 0x7CE8B8, 0x1E9466, 0xC0A040, 0x1A3CB4, 0x70A0F8, 0xE6C86E, 0xE07AC8, 0xA03050, 0xD8E8F8, 0x8098C0, 0xFFFFFF, 0xE0D8EC, 0x8A80A0},
     {Black, Yellow, Red, Green}, TreeStyle::Crystal, GroundStyle::Sparkle, BuildingStyle::Onion, WaterStyle::Crests, MountainStyle::Spires, true},
    // 6: creature realms: moss, giant mushrooms, terracotta mesas, horned dens
    {{0x181424, 0x00005E, 0x7ACAB8, 0x4EA894, 0x2E7A6C, 0xC8D858, 0x7A3A8A, 0x6E4A38, 0x1E3A6E, 0x6AD0F0, 0xE8D8A8, 0xC87858, 0x6A3A2A, 0xE8E4F4, 0x9088B0, 0xFFFFFF, 0xD0CCC0, 0x807A70},
     {Red, Green, WhiteFaction, Black}, TreeStyle::Mushroom, GroundStyle::Grass, BuildingStyle::Horned, WaterStyle::Bubbles, MountainStyle::Jagged, true},
    // 7: harbours: dunes, palms, heather headlands, lighthouses
    {{0x141E28, 0x00005E, 0xF4E4B0, 0xE8D490, 0xC0A868, 0x7AA838, 0x3E5E18, 0x8C643C, 0x0E8CC0, 0xB8F0F8, 0x98743C, 0x8A6A9A, 0x3A2A4A, 0x9A9A9A, 0x6E6A66, 0xFFFFFF, 0xFFFFFF, 0x9AA8B4},
     {Yellow, Red, WhiteFaction, Black}, TreeStyle::Palm, GroundStyle::Dunes, BuildingStyle::Lighthouse, WaterStyle::Ripples, MountainStyle::Jagged, false},
    // 8: night city: asphalt blocks, black canals with neon reflections, brick roofs, moonlit ridges
    {{0x08080C, 0x00005E, 0x5E5E82, 0x4A4A6A, 0x303048, 0x40D8B0, 0x186A5E, 0xA05038, 0x060818, 0xE050E0, 0xC8A060, 0x8E5A48, 0x6A4038, 0xC8D0E8, 0x98A0C8, 0xFFF096, 0xA0A0B8, 0x5C5C74},
     {WhiteFaction, Black, Green, Red}, TreeStyle::Round, GroundStyle::Plates, BuildingStyle::Tower, WaterStyle::Lights, MountainStyle::Blocks, false},
    // 9: animal squads in snow: pines, lavender highlands, warm rounded hills, log forts and tents
    {{0x281E1E, 0x00005E, 0xFFFFFF, 0xE6EEF6, 0xB8C8DC, 0x5CB848, 0x2E7A3A, 0xA06E3C, 0x48A8F0, 0xD0F0FF, 0x5A5048, 0xC8A0E0, 0x7A5AA0, 0xF0B070, 0xB86A40, 0xFFF8F0, 0xA06E3C, 0x6A4424},
     {Green, Red, WhiteFaction, Yellow}, TreeStyle::Conifer, GroundStyle::Snow, BuildingStyle::Tent, WaterStyle::Crests, MountainStyle::Domes, false},
}};

inline std::uint32_t Hash(int x, int y, int salt) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(salt) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

// Texture that is scattered at random keeps off the border pixels, so two tiles meet on equal rows.
inline bool Inner(int x, int y, int e) { return x > 0 && y > 0 && x < e - 1 && y < e - 1; }

// A light-luminance colour takes a dark rim and the other way round, so a faction mark always stands out.
inline bool IsLight(std::uint32_t rgb) {
    return 0.2126 * ((rgb >> 16) & 0xFF) + 0.7152 * ((rgb >> 8) & 0xFF) + 0.0722 * (rgb & 0xFF) > 110;
}

// One tile being drawn: e x e pixels, shapes given in tile units.
struct Tile {
    Canvas& C;
    int E;
    const SetStyle& Style;

    bool Big() const { return E >= 16; }
    template <class F> void Area(F inside, Index c) {
        C.Shape([&](double x, double y) { return inside(x / E, y / E); }, c);
    }
    template <class F> void Rim(F inside, Index c) {
        if (Big())
            C.Outline([&](double x, double y) { return inside(x / E, y / E); }, c);
    }
    // A rectangle in tile units that is at least one pixel wide and high at every scale.
    void Box(double u0, double v0, double u1, double v1, Index c) {
        const int x0 = static_cast<int>(u0 * E + 0.5), y0 = static_cast<int>(v0 * E + 0.5);
        const int x1 = std::max(x0 + 1, static_cast<int>(u1 * E + 0.5)), y1 = std::max(y0 + 1, static_cast<int>(v1 * E + 0.5));
        C.Rect(x0, y0, x1, y1, c);
    }
    int Px(double u) const { return static_cast<int>(u * E); }
    std::uint32_t Rgb(Index slot) const { return slot < Fa0 ? Style.Colours[slot] : Style.Factions[static_cast<std::size_t>(slot - Fa0)]; }
    Index RimOf(Index slot) const { return IsLight(Rgb(slot)) ? Index{K} : Index{White}; }
    // A faction mark: the shape in the faction colour inside a one-pixel rim of the colour that sets it
    // apart most, so it reads on any ground and in any set.
    template <class F> void Marked(F inside, Index colour) {
        if (E >= 8)
            C.Shape([&](double x, double y) {
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        if (inside((x + dx) / E, (y + dy) / E))
                            return true;
                return false;
            }, RimOf(colour));
        Area(inside, colour);
    }
};

} // namespace tav::artgen
