#pragma once
// The readable text form of a whole .map file, for diffs and merges in version control: a header line
// with the tile-set number and the two stored bytes behind it, then one line per row from the top, each
// with the 48 codes of the row as the clipboard writes them (two upper-case hex digits, one space between).
//
//   tileset 3 サンドラ bytes 1E 00
//   30 30 30 ... (48 codes)
//   ... (48 rows)

#include "MapImage.h"

#include <optional>
#include <string>
#include <string_view>

namespace tav {

// The text of a map image. Every byte survives: the grid codes (any of 00-FF) and both stored bytes.
std::string FormatMapText(const MapImage& image);

struct MapTextResult {
    std::optional<MapImage> Image; // set exactly when Error is empty
    std::string Error;             // a sentence in English naming what is wrong; words of the text in it are
                                   // escaped and cut to 40 bytes
    int Line = 0;                  // 1-based line of the fault, 0 when it has none
    int Column = 0;                // 1-based code within the row (or word within the header), 0 when none
};

// Reads the text form back. The stored bytes come from the header's "bytes XX YY"; the number before the
// name must agree with them (so that an edited number is not silently ignored), the name is not read.
// Codes and bytes are two hex digits in either case; lines may end in CR LF; blank lines after the last
// row are ignored, as is one byte-order mark at the start.
MapTextResult ParseMapText(std::string_view text);

} // namespace tav
