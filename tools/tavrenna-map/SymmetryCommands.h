#pragma once
// The tool's symmetry: the symmetrize command and the --symmetry option of check.

#include "MapGrid.h"
#include "Symmetry.h"

#include <QCommandLineOption>
#include "CommandEntry.h"

#include <QStringList>

#include <optional>
#include <string>

namespace tav::cli {

class CommandLine;

// tavrenna-map symmetrize IN.map -o OUT.map --symmetry MODE [--source SHARE]
int SymmetrizeCommand(const CommandEntry& command, const QStringList& arguments);

// check's --symmetry MODE: the mode, or nothing when the option is not given; an unknown mode is a usage
// error.
extern const QCommandLineOption CheckSymmetryOption;
std::optional<SymmetryMode> CheckSymmetryMode(const CommandLine& line);

// The asymmetry line for the mode, or nothing when every cell keeps the symmetric-equal relation.
std::optional<std::string> AsymmetryText(const MapGrid& grid, SymmetryMode mode);

} // namespace tav::cli
