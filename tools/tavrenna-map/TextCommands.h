#pragma once
// The commands that serve version control: the text form back into a map, and the difference of two maps.

#include "CommandEntry.h"

#include <QStringList>

namespace tav::cli {

int FromTextCommand(const CommandEntry& command, const QStringList& arguments);
int DiffCommand(const CommandEntry& command, const QStringList& arguments);

} // namespace tav::cli
