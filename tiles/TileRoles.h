#pragma once
// What each tile code is in the game, by name: the same in every tile set. Kept below the editor so that
// every program can name codes (the editor's status bar does). The names are Japanese; a program with the
// English catalogue installed gets them in English (context "TileRoles").

#include <QString>

namespace tav {

// Codes first..last (inclusive) share one role.
struct TileRole {
    int First;
    int Last;
    const char* Name; // UTF-8
};

// The roles of codes 0..255 in code order, without gaps; codes from 128 on have no tile.
extern const TileRole TileRoles[20];

// The role's name of `code` (0..255).
QString TileRoleName(int code);
// "0x30 水辺": the code in hexadecimal and its role.
QString TileCodeText(int code);

} // namespace tav
