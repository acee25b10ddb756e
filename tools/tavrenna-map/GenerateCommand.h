#pragma once
// tavrenna-map generate: fair maps from a seed, written as the editor saves them.

#include <QString>
#include "CommandEntry.h"

#include <QStringList>

#include <cstdint>
#include <optional>

namespace tav::cli {

// tavrenna-map generate -o OUT.map [--seed N] [--symmetry MODE] [--land P] ... [--json]
//                       [--count K --out-dir DIR]
int GenerateCommand(const CommandEntry& command, const QStringList& arguments);

// A seed: decimal digits only, 0 to 18446744073709551615 (any 64-bit number).
std::optional<std::uint64_t> ParseSeed(const QString& text);

} // namespace tav::cli
