#pragma once
// The commands that write a map from a map (or from nothing): shape, unshape, paint, shift, replace,
// exchange and new. Each may write over its input.

#include "CommandEntry.h"

namespace tav::cli {

int ShapeCommand(const CommandEntry& command, const QStringList& arguments);
int UnshapeCommand(const CommandEntry& command, const QStringList& arguments);
int PaintCommand(const CommandEntry& command, const QStringList& arguments);
int ShiftCommand(const CommandEntry& command, const QStringList& arguments);
int ReplaceCommand(const CommandEntry& command, const QStringList& arguments);
int ExchangeCommand(const CommandEntry& command, const QStringList& arguments);
int NewCommand(const CommandEntry& command, const QStringList& arguments);

} // namespace tav::cli
