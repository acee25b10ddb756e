#pragma once
// The commands that read maps without writing them back, each taking any number of files and folders:
// check, analyse, stats, text and render.

#include "CommandEntry.h"

#include <QStringList>

namespace tav::cli {

int CheckCommand(const CommandEntry& command, const QStringList& arguments);
int AnalyseCommand(const CommandEntry& command, const QStringList& arguments);
int StatsCommand(const CommandEntry& command, const QStringList& arguments);
int TextCommand(const CommandEntry& command, const QStringList& arguments);
int RenderCommand(const CommandEntry& command, const QStringList& arguments);

} // namespace tav::cli
